#include "Units.h"

#include <QGuiApplication>
#include <QPalette>
#include <cmath>

namespace ui {

int TwipsToPx(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

double PxToTwips(int px)
{
    return px * kTwipsPerPixel;
}

namespace {

QColor systemColour(int index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 0x01: return palette.color(QPalette::Window);         // desktop
    case 0x02:
    case 0x0D: return palette.color(QPalette::Highlight);      // active caption, highlight
    case 0x03: return palette.color(QPalette::Inactive, QPalette::Highlight);
    case 0x04: return palette.color(QPalette::Window);         // menu
    case 0x05: return palette.color(QPalette::Base);           // window background
    case 0x06: return palette.color(QPalette::Shadow);         // window frame
    case 0x07: return palette.color(QPalette::WindowText);     // menu text
    case 0x08: return palette.color(QPalette::Text);           // window text
    case 0x09:
    case 0x0E: return palette.color(QPalette::HighlightedText);
    case 0x10: return palette.color(QPalette::Mid);            // button shadow
    case 0x11: return palette.color(QPalette::Disabled, QPalette::Text);
    case 0x12: return palette.color(QPalette::ButtonText);
    case 0x14: return palette.color(QPalette::Light);          // button highlight
    case 0x15: return palette.color(QPalette::Dark);           // 3D dark shadow
    case 0x16: return palette.color(QPalette::Midlight);
    case 0x17: return palette.color(QPalette::ToolTipText);
    case 0x18: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Button);           // 0x0F button face, and the rest
    }
}

} // namespace

QColor FromBgr(qint32 value)
{
    if (value < 0)
        return systemColour(value & 0xFF);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

qint32 ToBgr(const QColor& color)
{
    return qint32(color.red()) | (qint32(color.green()) << 8) | (qint32(color.blue()) << 16);
}

} // namespace ui
