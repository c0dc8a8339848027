#pragma once
// Twips and colours as the program writes them. Positions and sizes are in twips, 15 to a pixel (Qt's
// device-independent pixels are at 96 per inch). Colours are BGR numbers (&HFF0000 is blue); numbers with
// the high bit set (&H8000000F) name a system colour, taken from the application palette.

#include <QColor>

namespace ui {

inline constexpr double kTwipsPerPixel = 15.0;

int TwipsToPx(double twips);
double PxToTwips(int px);
QColor FromBgr(qint32 bgrOrSystem);
qint32 ToBgr(const QColor& color);

} // namespace ui
