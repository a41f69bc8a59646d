#include "tbutton.h"

TButton::TButton(QWidget *parent)
    : QPushButton(parent) {
    // Outside a dialog Qt ignores Return and Enter on a button unless it is auto-default;
    // being so only marks it as the default while it has the focus, as on the desktop.
    setAutoDefault(true);
    // Opaque, so hovering never makes the window beneath repaint.
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    connect(this, &QPushButton::clicked, this, [this] { emit OnClick(this); });
}
