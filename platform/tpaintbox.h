#pragma once

#include "tgraphiccontrol.h"

#include <QImage>

// A drawing surface that others draw on through its canvas. Unlike the windowless
// paint box of old, it keeps what was drawn in an image the size of the box and
// shows it on every repaint, so nothing is lost when the window is redrawn.
class TPaintBox : public TGraphicControl {
    Q_OBJECT

public:
    explicit TPaintBox(QWidget *parent = nullptr);
    ~TPaintBox() override;

    // What has been drawn so far, one pixel per pixel of the box.
    const QImage &Image() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void fitImage() const;

    // Follows the box's size lazily: a hidden widget gets no resize events, and
    // the owner may draw before the window is shown.
    mutable QImage image_;
};
