#include "syscolors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// The system colour indexes of the classic desktop, mapped to Qt's palette roles.
QPalette::ColorRole roleOf(unsigned index) {
    switch (index) {
    case 0x05: // window
        return QPalette::Base;
    case 0x08: // window text
    case 0x12: // button text
        return QPalette::WindowText;
    case 0x0D: // highlight
        return QPalette::Highlight;
    case 0x0E: // highlight text
        return QPalette::HighlightedText;
    case 0x10: // button shadow
        return QPalette::Dark;
    case 0x14: // button highlight
        return QPalette::Light;
    case 0x15: // 3D dark shadow
        return QPalette::Shadow;
    case 0x16: // 3D light
        return QPalette::Midlight;
    case 0x17: // info text
        return QPalette::ToolTipText;
    case 0x18: // info background
        return QPalette::ToolTipBase;
    case 0x0F: // button face
    default:
        return QPalette::Button;
    }
}

} // namespace

QColor ResolveColor(TColor color) {
    if (IsSystemColor(color))
        return QGuiApplication::palette().color(QPalette::Active, roleOf(color & 0xFFu));
    return QColor(static_cast<int>(RedOf(color)), static_cast<int>(GreenOf(color)),
                  static_cast<int>(BlueOf(color)));
}

TColor ColorFromQColor(const QColor &color) {
    const QColor rgb = color.toRgb();
    return RGBToColor(static_cast<unsigned>(rgb.red()), static_cast<unsigned>(rgb.green()),
                      static_cast<unsigned>(rgb.blue()));
}
