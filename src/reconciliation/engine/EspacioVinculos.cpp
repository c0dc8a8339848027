// The room a reconciling run needs, and its refusal.

#include "EspacioVinculos.h"

#include <QLocale>
#include <algorithm>

namespace conciliacion {

namespace {

// A saved line's row besides its link list: its mark, its ID and the row's own bytes.
constexpr qint64 kBytesPorFila = 16;
constexpr qint64 kMargenMinimo = 100LL * 1024 * 1024;

qint64 bytesListas(qint64 filas, qsizetype largoLista)
{
    return filas * qint64(largoLista) * 105 / 100;
}

} // namespace

qint64 BytesVinculos(const VinculosNuevos& nuevos)
{
    // Each new left line keeps R, each new right line L.
    return nuevos.Cantidad() * kBytesPorVinculo + bytesListas(qint64(nuevos.izquierda.size()), nuevos.textoDerecha.size())
           + bytesListas(qint64(nuevos.derecha.size()), nuevos.textoIzquierda.size());
}

qint64 BytesEstado(const EstadoFila& estado)
{
    return qint64(estado.vinculo.size()) + kBytesPorFila;
}

qint64 EspacioNecesario(const VinculosNuevos& nuevos)
{
    return 2 * BytesVinculos(nuevos);
}

qint64 MargenEspacio(qint64 necesario)
{
    return std::max(necesario / 10, kMargenMinimo);
}

bool AlcanzaEspacio(qint64 necesario, qint64 libre)
{
    return libre >= necesario + MargenEspacio(necesario);
}

QString TextoEspacio(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

Aviso AvisoSinEspacio(qint64 necesario, qint64 libre)
{
    return Aviso{QStringLiteral("No hay espacio suficiente en el disco de la empresa para grabar los vínculos: se "
                                "necesitan unos %1 libres (%2 más un margen de %3) y hay %4 libres.\r\nNo se grabó "
                                "nada.")
                     .arg(TextoEspacio(necesario + MargenEspacio(necesario)), TextoEspacio(necesario),
                          TextoEspacio(MargenEspacio(necesario)), TextoEspacio(libre)),
                 ui::vbOKOnly + ui::vbExclamation, kTituloAvisoOperador};
}

} // namespace conciliacion
