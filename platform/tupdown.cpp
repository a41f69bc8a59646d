#include "tupdown.h"

#include <QEvent>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <limits>

namespace {

short toShort(int value) {
    return static_cast<short>(std::clamp<int>(value, std::numeric_limits<short>::min(),
                                              std::numeric_limits<short>::max()));
}

QToolButton *makeArrow(Qt::ArrowType arrow, QWidget *parent) {
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    // Repeat like a spin box's arrows; the step itself stays 1 however long the hold.
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(
        parent->style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold, nullptr, parent));
    button->setAutoRepeatInterval(
        parent->style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatRate, nullptr, parent));
    return button;
}

} // namespace

TUpDown::TUpDown(QWidget *parent)
    : QWidget(parent)
    , m_up(makeArrow(Qt::UpArrow, this))
    , m_down(makeArrow(Qt::DownArrow, this)) {
    setFocusPolicy(Qt::NoFocus);
    // Opaque, so a hovered or pressed arrow never makes the window beneath repaint.
    setAutoFillBackground(true);
    // An auto-repeating button emits pressed() on the press and at every repeat but not on
    // the release, which steps at once like the desktop's own arrow control.
    connect(m_up, &QToolButton::pressed, this, [this] { step(btNext); });
    connect(m_down, &QToolButton::pressed, this, [this] { step(btPrev); });
    resize(sizeHint());
}

void TUpDown::setMin(int value) {
    m_min = toShort(value);
    keepPositionInRange();
}

void TUpDown::setMax(int value) {
    m_max = toShort(value);
    keepPositionInRange();
}

void TUpDown::setPosition(int value) {
    m_position = toShort(value);
    keepPositionInRange();
}

QSize TUpDown::sizeHint() const {
    return {15, 20};
}

bool TUpDown::event(QEvent *event) {
    // No hint of its own, and none borrowed from the parent either.
    if (event->type() == QEvent::ToolTip) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void TUpDown::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    const int upper = height() / 2;
    m_up->setGeometry(0, 0, width(), upper);
    m_down->setGeometry(0, upper, width(), height() - upper);
}

void TUpDown::step(TUDBtnType button) {
    // No wrapping: at a limit the click is simply ignored.
    if (button == btNext) {
        if (m_position >= m_max)
            return;
        ++m_position;
    } else {
        if (m_position <= m_min)
            return;
        --m_position;
    }
    emit OnClick(this, button);
}

void TUpDown::keepPositionInRange() {
    if (m_min <= m_max)
        m_position = std::clamp(m_position, m_min, m_max);
}
