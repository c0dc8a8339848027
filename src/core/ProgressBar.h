#pragma once
// The percentage bar drawn on a picture box during long loops.

#include <QString>

namespace suite { class PictureBox; }

namespace ModGlobal {

// Clears the box, sets its scale width to 100, writes Leyenda, " " and the percentage ("###", so nothing
// for 0) followed by "%" centred on it, draws a box filled in Color (BGR) from 0 to Porcentaje over the text
// with a not-XOR pen (the text stays readable under the bar), and refreshes the box (on the box's time
// budget, so a call per row is cheap).
void DibujarProgreso(suite::PictureBox& Cuadro, double Porcentaje, qint32 Color, const QString& Leyenda);

// The text the bar shows.
QString TextoProgreso(double Porcentaje, const QString& Leyenda);

} // namespace ModGlobal
