#include "AvisoDelInforme.h"

#include "platform/suite/PictureBox.h"

namespace tablero {

QString AvisoDelInforme(report::ResultadoListado resultado, bool alLeer)
{
    switch (resultado) {
    case report::ResultadoListado::Completo:
        return QStringLiteral(" Listo ...");
    case report::ResultadoListado::Cancelado:
        if (alLeer)
            return QStringLiteral(" Informe cancelado: se detuvo la lectura de la base de datos antes de escribir "
                                  "sus filas.");
        return QStringLiteral(" Informe incompleto: cancelado por el operador.");
    case report::ResultadoListado::Fallido:
    case report::ResultadoListado::Ocupado:
        break;
    }
    return QStringLiteral(" Informe incompleto: la lectura o la escritura falló.");
}

void DibujarLectura(suite::PictureBox& cuadro)
{
    const QString texto = QStringLiteral("Leyendo las filas ...");
    if (!cuadro.AutoRedraw())
        cuadro.setAutoRedraw(true);
    cuadro.Cls();
    cuadro.setScaleWidth(100);
    cuadro.setCurrentX(50 - cuadro.TextWidth(texto) / 2);
    cuadro.setCurrentY((cuadro.ScaleHeight() - cuadro.TextHeight(texto)) / 2);
    cuadro.Print(texto);
    cuadro.Refresh();
}

} // namespace tablero
