#include "ProgressBar.h"

#include "platform/suite/PictureBox.h"

#include <cmath>

namespace ModGlobal {

QString TextoProgreso(double Porcentaje, const QString& Leyenda)
{
    const double redondeado = std::round(Porcentaje);
    const QString numero = redondeado == 0 ? QString() : QString::number(qint64(redondeado));
    return Leyenda + QLatin1Char(' ') + numero + QLatin1Char('%');
}

void DibujarProgreso(suite::PictureBox& Cuadro, double Porcentaje, qint32 Color, const QString& Leyenda)
{
    if (!Cuadro.AutoRedraw())
        Cuadro.setAutoRedraw(true);
    Cuadro.Cls();
    Cuadro.setScaleWidth(100);
    Cuadro.setDrawMode(suite::PictureBox::vbNotXorPen);
    const QString texto = TextoProgreso(Porcentaje, Leyenda);
    Cuadro.setCurrentX(50 - Cuadro.TextWidth(texto) / 2);
    Cuadro.setCurrentY((Cuadro.ScaleHeight() - Cuadro.TextHeight(texto)) / 2);
    Cuadro.Print(texto);
    Cuadro.Line(0, 0, Porcentaje, Cuadro.ScaleHeight(), Color, suite::PictureBox::Forma::CajaLlena);
    Cuadro.Refresh();
}

} // namespace ModGlobal
