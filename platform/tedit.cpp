#include "tedit.h"

#include "ansiqt.h"

#include <QFocusEvent>
#include <QValidator>

#include <limits>
#include <utility>

// Qt's own length limit also cuts what the program writes, so the box keeps
// Qt's limit out of reach and checks the user's edits here instead. Qt runs the
// validator after every change; it only needs to step in when a user edit made
// the text longer than both the limit and the text before it.
class TEdit::UserLimitValidator : public QValidator {
public:
    explicit UserLimitValidator(TEdit *edit)
        : QValidator(edit)
        , m_edit(edit) {}

    State validate(QString &input, int &pos) const override {
        const qsizetype limit = m_edit->m_maxLength;
        const QString &before = m_edit->m_lastText;
        // Qt clears the undo history when the program writes, so an edit without
        // history is a program write (or an undo back to one).
        if (m_edit->m_programWrite || !m_edit->isUndoAvailable())
            return Acceptable;
        if (limit == 0 || input.size() <= limit || input.size() <= before.size())
            return Acceptable;

        // Typing, pasting and dropping leave the cursor right after what they
        // inserted; the rest of the text is what stood before and after it.
        const qsizetype cursor = qBound(qsizetype(0), qsizetype(pos), input.size());
        qsizetype tail = input.size() - cursor;
        if (tail > before.size() || QStringView(input).last(tail) != QStringView(before).last(tail))
            tail = CommonTail(input, before);
        const qsizetype insertEnd = input.size() - tail;
        const qsizetype head = CommonHead(QStringView(input).first(insertEnd),
                                          QStringView(before).first(before.size() - tail));

        qsizetype room = limit - head - tail;
        if (room > 0 && input.at(head + room - 1).isHighSurrogate())
            --room; // never keep half a character
        if (room <= 0)
            return Invalid; // Qt puts the text back as it was
        input = input.first(head + room) + input.sliced(insertEnd);
        pos = int(head + room);
        return Acceptable;
    }

private:
    static qsizetype CommonHead(QStringView a, QStringView b) {
        qsizetype n = 0;
        while (n < a.size() && n < b.size() && a[n] == b[n])
            ++n;
        return n;
    }
    static qsizetype CommonTail(QStringView a, QStringView b) {
        qsizetype n = 0;
        while (n < a.size() && n < b.size() && a[a.size() - 1 - n] == b[b.size() - 1 - n])
            ++n;
        return n;
    }

    TEdit *m_edit;
};

TEdit::TEdit(QWidget *parent)
    : QLineEdit(parent) {
    QLineEdit::setMaxLength(std::numeric_limits<int>::max());
    setValidator(new UserLimitValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_lastText = text;
        emit OnChange(this);
    });
}

TEdit::~TEdit() = default;

AnsiString TEdit::Text() const {
    return ToAnsiString(text());
}

void TEdit::SetText(const AnsiString &text) {
    setText(ToQString(text));
}

void TEdit::setText(const QString &text) {
    // Qt's setText would reset the cursor, selection and undo even for the same text.
    if (text == QLineEdit::text())
        return;
    const bool wasWriting = std::exchange(m_programWrite, true);
    QLineEdit::setText(text);
    m_programWrite = wasWriting;
}

void TEdit::setMaxLength(int maxLength) {
    m_maxLength = maxLength > 0 ? maxLength : 0;
}

void TEdit::SelectAll() {
    selectAll();
}

void TEdit::CopyToClipboard() {
    copy();
    if (!hasFocus())
        deselect();
}

void TEdit::ShowStart() {
    setCursorPosition(0);
}

void TEdit::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason)
        selectAll();
}
