#include "PartesDelInforme.h"

#include "report/ArchivoListado.h"

#include <QFile>

namespace tablero {

QString ParteNoDisponible::Mensaje() const
{
    if (escribiendo)
        return QStringLiteral("La parte %1 del informe todavía se está escribiendo: espere a que termine el listado.")
            .arg(numero);
    return QStringLiteral("La parte %1 del informe no se escribió: el listado se canceló o falló antes de llegar a ella.")
        .arg(numero);
}

void PartesDelInforme::Comenzar(const QString& archivoInforme)
{
    archivo = archivoInforme;
    escribiendo = true;
    terminadas = 0;
    primeraMostrada = false;
}

bool PartesDelInforme::Terminada(int numero)
{
    terminadas = numero;
    if (numero == 1)
        primeraMostrada = true;
    return numero == 1;
}

std::optional<ParteNoDisponible> PartesDelInforme::Impedimento(const QString& URL) const
{
    if (archivo.isEmpty())
        return std::nullopt;
    const std::optional<int> numero = report::NumeroDeParte(archivo, URL);
    if (!numero)
        return std::nullopt;
    // While the writer is at it, the file of a part it has not finished holds only some of its rows.
    if (escribiendo && *numero > terminadas)
        return ParteNoDisponible{*numero, true};
    if (!QFile::exists(report::RutaDeParte(archivo, *numero)))
        return ParteNoDisponible{*numero, false};
    return std::nullopt;
}

} // namespace tablero
