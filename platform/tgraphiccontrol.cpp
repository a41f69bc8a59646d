#include "tgraphiccontrol.h"

#include <QPainter>

TGraphicControl::TGraphicControl(QWidget *parent)
    : QWidget(parent)
    , canvas_(std::make_unique<TCanvas>()) {
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(false);
    // A new control starts empty at the parent's origin; its owner gives it bounds.
    setGeometry(0, 0, 0, 0);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::SetLeft(int value) {
    if (value != x())
        move(value, y());
}

void TGraphicControl::SetTop(int value) {
    if (value != y())
        move(x(), value);
}

void TGraphicControl::SetWidth(int value) {
    if (value != width())
        resize(value, height());
}

void TGraphicControl::SetHeight(int value) {
    if (value != height())
        resize(width(), value);
}

bool TGraphicControl::Visible() const {
    return !(testAttribute(Qt::WA_WState_ExplicitShowHide) && testAttribute(Qt::WA_WState_Hidden));
}

void TGraphicControl::WMPaint() {
    Paint();
}

void TGraphicControl::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    // Unbind even when a paint handler throws, so the canvas never keeps a dead painter.
    struct Binding {
        TCanvas *canvas;
        ~Binding() { canvas->Unbind(); }
    } binding{canvas_.get()};
    canvas_->Bind(&painter);
    WMPaint();
}
