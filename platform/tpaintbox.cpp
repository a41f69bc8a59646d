#include "tpaintbox.h"

#include "syscolors.h"

#include <QPaintEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget *parent)
    : TGraphicControl(parent) {
    // The image always covers the whole box, so nothing beneath needs painting; an
    // update from inside the parent's paint therefore cannot start a paint loop.
    setAttribute(Qt::WA_OpaquePaintEvent);
    Canvas()->SetDevice(&image_);
    Canvas()->SetOnPrepare([this] { fitImage(); });
    // Drawing is batched: the box is painted once at the next paint, not per fill.
    Canvas()->SetOnChange([this](const QRect &) { update(); });
}

TPaintBox::~TPaintBox() {
    Canvas()->SetDevice(nullptr);
}

const QImage &TPaintBox::Image() const {
    fitImage();
    // Finish pending drawing so the pixels are complete and a copy stays unchanged.
    Canvas()->Release();
    return image_;
}

void TPaintBox::fitImage() const {
    if (image_.size() == size())
        return;
    Canvas()->Release();
    // Keep what was drawn where it still fits; new area starts as the button face.
    QImage fitted(size(), QImage::Format_RGB32);
    fitted.fill(ResolveColor(clBtnFace));
    if (!image_.isNull()) {
        QPainter painter(&fitted);
        painter.drawImage(0, 0, image_);
    }
    image_ = fitted;
    Canvas()->SetDevice(&image_);
}

void TPaintBox::paintEvent(QPaintEvent *event) {
    fitImage();
    Canvas()->Release();
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}
