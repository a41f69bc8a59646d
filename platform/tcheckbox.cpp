#include "tcheckbox.h"

TCheckBox::TCheckBox(QWidget *parent)
    : QCheckBox(parent) {
    // Opaque, so hovering never makes the window beneath repaint.
    setAutoFillBackground(true);
    // clicked() follows the toggle and is not emitted by setChecked().
    connect(this, &QCheckBox::clicked, this, [this] { emit OnClick(this); });
}
