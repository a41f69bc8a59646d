#include "tspinedit.h"

#include "spinvalue.h"
#include "tedit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>

#include <string>

TSpinEdit::TSpinEdit(QWidget *parent)
    : QWidget(parent)
    , m_edit(new TEdit(this))
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this)) {
    // The box stands for the whole control in the tab chain and as the focus
    // widget; its tooltip covers the parts, which carry none of their own.
    // Pressing an arrow, which takes no focus, focuses the nearest ancestor
    // that does: this control, and so the box.
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_edit);
    // An input method would bypass the typing filter.
    m_edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_edit->setTextMargins(0, 0, ButtonWidth, 0);
    m_edit->installEventFilter(this);

    const std::pair<QToolButton *, Qt::ArrowType> arrows[] = {{m_up, Qt::UpArrow},
                                                              {m_down, Qt::DownArrow}};
    for (auto [button, arrow] : arrows) {
        button->setArrowType(arrow);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->raise();
    }
    m_up->setObjectName(QStringLiteral("up"));
    m_down->setObjectName(QStringLiteral("down"));
    // `clicked` comes when the button is released over the arrow and at each
    // auto-repeat while it is held there.
    connect(m_up, &QAbstractButton::clicked, this, [this] { Step(m_increment); });
    connect(m_down, &QAbstractButton::clicked, this, [this] { Step(-(long long)m_increment); });

    connect(m_edit, &TEdit::OnChange, this, [this] { emit OnChange(this); });
    LayOutParts();
}

AnsiString TSpinEdit::Text() const {
    return m_edit->Text();
}

void TSpinEdit::SetText(const AnsiString &text) {
    m_edit->SetText(text);
}

int TSpinEdit::Value() const {
    return SpinEditValue(m_edit->Text(), m_minValue);
}

void TSpinEdit::setValue(int value) {
    SetText(std::to_string(value));
}

int TSpinEdit::MaxLength() const {
    return m_edit->MaxLength();
}

void TSpinEdit::setMaxLength(int maxLength) {
    m_edit->setMaxLength(maxLength);
}

QAbstractButton *TSpinEdit::upButton() const {
    return m_up;
}

QAbstractButton *TSpinEdit::downButton() const {
    return m_down;
}

QSize TSpinEdit::sizeHint() const {
    return m_edit->sizeHint();
}

QSize TSpinEdit::minimumSizeHint() const {
    return m_edit->minimumSizeHint();
}

void TSpinEdit::Step(long long delta) {
    long long next = Value() + delta;
    if (next > m_maxValue)
        next = m_maxValue;
    if (next < m_minValue)
        next = m_minValue;
    SetText(std::to_string(next));
}

void TSpinEdit::ClampToRange() {
    const std::optional<int> number = ParseSpinEditText(m_edit->Text());
    if (!number)
        return;
    if (*number < m_minValue)
        setValue(m_minValue);
    else if (*number > m_maxValue)
        setValue(m_maxValue);
}

bool TSpinEdit::RefuseKey(const QKeyEvent *event) const {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return true;
    // Shortcuts (Ctrl+V and the like) are the box's business, not typing.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString decimalPoint = QLocale().decimalPoint();
    for (const QChar c : event->text()) {
        const bool control = c.unicode() < 0x20 || c.unicode() == 0x7F;
        const bool numeric =
            (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || decimalPoint.contains(c);
        if (!control && !numeric)
            return true;
    }
    return false;
}

bool TSpinEdit::eventFilter(QObject *watched, QEvent *event) {
    if (watched != m_edit)
        return QWidget::eventFilter(watched, event);

    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = !(key->modifiers() & ~Qt::KeypadModifier);
        if (plain && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            Step(key->key() == Qt::Key_Up ? m_increment : -(long long)m_increment);
            return true;
        }
        if (RefuseKey(key)) {
            QApplication::beep();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Only a move to another control corrects the number: not a popup such
        // as the box's own menu, nor the window going inactive.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            ClampToRange();
    }
    return QWidget::eventFilter(watched, event);
}

void TSpinEdit::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    LayOutParts();
}

void TSpinEdit::LayOutParts() {
    m_edit->setGeometry(rect());
    // The arrows sit inside the box's frame, the up arrow above the down arrow.
    QStyleOptionFrame option;
    option.initFrom(m_edit);
    const int frame = m_edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, m_edit);
    const int top = frame;
    const int height = qMax(2, this->height() - 2 * frame);
    const int x = width() - frame - ButtonWidth;
    const int upHeight = height / 2;
    m_up->setGeometry(x, top, ButtonWidth, upHeight);
    m_down->setGeometry(x, top + upHeight, ButtonWidth, height - upHeight);
}
