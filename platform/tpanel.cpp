#include "tpanel.h"

#include "syscolors.h"

#include <QEvent>
#include <QPainter>

TPanel::TPanel(QWidget *parent)
    : QFrame(parent) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    // It covers every pixel it owns, so the window beneath never repaints for it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
}

void TPanel::setColor(TColor color) {
    m_color = color;
    repaint();
}

QSize TPanel::sizeHint() const {
    return {17, 16};
}

bool TPanel::event(QEvent *event) {
    // No hint of its own, and none borrowed from the parent either.
    if (event->type() == QEvent::ToolTip) {
        event->accept();
        return true;
    }
    return QFrame::event(event);
}

void TPanel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const int right = width() - 1;
    const int bottom = height() - 1;
    painter.fillRect(rect(), ResolveColor(m_color));
    // The lowered edge: shadow along the top and left, highlight along the bottom and
    // right; the highlight owns the top-right and bottom-left corner pixels.
    const QColor shadow = ResolveColor(clBtnShadow);
    const QColor highlight = ResolveColor(clBtnHighlight);
    painter.fillRect(0, 0, right, 1, shadow);
    painter.fillRect(0, 0, 1, bottom, shadow);
    painter.fillRect(right, 0, 1, height(), highlight);
    painter.fillRect(0, bottom, width(), 1, highlight);
}
