#include "tlabel.h"

#include <QEvent>

TLabel::TLabel(QWidget *parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Painting its own background keeps the window beneath from repainting with it.
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
}

void TLabel::setText(const QString &text) {
    QLabel::setText(text);
    fitToText();
}

void TLabel::setWordWrap(bool on) {
    QLabel::setWordWrap(on);
    fitToText();
}

bool TLabel::event(QEvent *event) {
    // No hint of its own, and none borrowed from the parent either.
    if (event->type() == QEvent::ToolTip) {
        event->accept();
        return true;
    }
    return QLabel::event(event);
}

void TLabel::changeEvent(QEvent *event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitToText();
}

void TLabel::fitToText() {
    if (this->size() != m_fittedSize)
        m_givenWidth = width();
    QSize size;
    if (wordWrap())
        size = QSize(m_givenWidth, heightForWidth(m_givenWidth));
    else
        size = sizeHint();
    // Resizing uncovers or covers part of the window, so only when it really changes.
    if (size.isValid() && size != this->size())
        resize(size);
    m_fittedSize = this->size();
}
