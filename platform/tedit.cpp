#include "tedit.h"

#include "ansiqt.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QValidator>

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

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

// Characters that draw the same wherever they stand in a left-to-right line: no marks, no
// right-to-left text or direction controls, no scripts that reshape by context, and glyphs
// that stay within the font's ascent and descent in every script run they can fall into.
// In a text made only of these, the line up to any point looks the same whatever follows,
// and the box centres it vertically just as it would a line of the plain font: Qt centres
// a line edit's text on the bounding box of the whole text.
class TEdit::PlainCharacters {
public:
    explicit PlainCharacters(const QFont &font)
        : m_font(font)
        , m_metrics(font)
        , m_known(0x10000, Unknown) {}

    const QFont &font() const { return m_font; }

    bool AllPlain(QStringView text) {
        for (const QChar c : text) {
            std::uint8_t &known = m_known[c.unicode()];
            if (known == Unknown)
                known = IsPlain(c) ? Plain : NotPlain;
            if (known == NotPlain)
                return false;
        }
        return true;
    }

private:
    enum : std::uint8_t { Unknown, Plain, NotPlain };

    bool IsPlain(QChar c) const {
        const bool control = c.unicode() < 0x20; // the line edit shows these as blanks
        switch (c.category()) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Other_PrivateUse:
        case QChar::Other_NotAssigned:
            return false;
        case QChar::Other_Control:
            if (!control)
                return false;
            break;
        default:
            break;
        }
        switch (c.direction()) {
        case QChar::DirL:
        case QChar::DirEN:
        case QChar::DirES:
        case QChar::DirET:
        case QChar::DirCS:
        case QChar::DirB:
        case QChar::DirS:
        case QChar::DirWS:
        case QChar::DirON:
            break;
        case QChar::DirBN:
            if (control)
                break;
            return false;
        default:
            return false;
        }
        switch (c.script()) {
        case QChar::Script_Common:
        case QChar::Script_Latin:
        case QChar::Script_Han:
        case QChar::Script_Hiragana:
        case QChar::Script_Katakana:
            break;
        default:
            return false;
        }
        if (c == u'\t')
            return true; // a tab adds width and no glyph
        // A neutral character takes the script of the run it stands in, and each script
        // may draw it from another font.
        static const QString runs[] = {QString(), QStringLiteral("漢"), QStringLiteral("あ"),
                                       QStringLiteral("ア")};
        for (const QString &run : runs) {
            const QRectF box = m_metrics.boundingRect(run + c);
            if (box.top() < -m_metrics.ascent() || box.bottom() > m_metrics.descent())
                return false;
        }
        return true;
    }

    QFont m_font;
    QFontMetricsF m_metrics;
    std::vector<std::uint8_t> m_known;
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

QString TEdit::text() const {
    return m_shownPartOnly ? m_wholeText : QLineEdit::text();
}

void TEdit::SetText(const AnsiString &text) {
    setText(ToQString(text));
}

void TEdit::setText(const QString &text) {
    // Qt's setText would reset the cursor, selection and undo even for the same text.
    if (text == TEdit::text())
        return;
    m_shownPartOnly = false;
    m_wholeText.clear();
    const bool wasWriting = std::exchange(m_programWrite, true);
    QLineEdit::setText(text);
    m_programWrite = wasWriting;
}

void TEdit::SetTextShowingStart(const AnsiString &text) {
    QString whole = ToQString(text);
    const qsizetype shown = ShownPartLength(whole);
    if (shown == whole.size() || whole == TEdit::text()) {
        setText(whole);
        ShowStart();
        return;
    }
    m_wholeText = std::move(whole);
    m_shownPartOnly = true;
    {
        // The line edit's own signals would announce the part; the whole is announced below.
        const QSignalBlocker quiet(this);
        const bool wasWriting = std::exchange(m_programWrite, true);
        QLineEdit::setText(m_wholeText.first(shown));
        setCursorPosition(0);
        m_programWrite = wasWriting;
    }
    m_shownWidth = width();
    emit textChanged(m_wholeText);
}

qsizetype TEdit::ShownPartLength(const QString &whole) const {
    // Below this a part saves too little to be worth the checks.
    constexpr qsizetype firstTry = 256;
    if (whole.size() < 2 * firstTry || hasFocus() || echoMode() != Normal ||
        !inputMask().isEmpty() || layoutDirection() != Qt::LeftToRight)
        return whole.size();
    if (!m_plain || m_plain->font() != font())
        m_plain = std::make_unique<PlainCharacters>(font());
    if (!m_plain->AllPlain(whole))
        return whole.size();

    // Far past the right edge, so that what the cut can change (a kerning pair or
    // ligature across it) lies out of sight, and the part never fits the box, which
    // would align it differently.
    const QFontMetricsF metrics(font());
    const qreal needed = 2 * width() + 4 * metrics.maxWidth();
    for (qsizetype n = firstTry; 2 * n <= whole.size(); n *= 2) {
        QString part = whole.first(n);
        for (QChar &c : part)
            if (c.unicode() < 0x20 && c != u'\t')
                c = u' ';
        if (metrics.horizontalAdvance(part) >= needed)
            return n;
    }
    return whole.size();
}

void TEdit::HoldWholeText() {
    if (!m_shownPartOnly)
        return;
    const int cursor = cursorPosition();
    const int start = selectionStart();
    const int length = selectionLength();
    m_shownPartOnly = false;
    const QString whole = std::exchange(m_wholeText, QString());
    // Nothing changes for anyone watching: the text, cursor and selection stay as they were.
    const QSignalBlocker quiet(this);
    const bool wasWriting = std::exchange(m_programWrite, true);
    QLineEdit::setText(whole);
    m_programWrite = wasWriting;
    if (length > 0) {
        const int anchor = cursor == start ? start + length : start;
        setSelection(anchor, cursor - anchor);
    } else {
        setCursorPosition(cursor);
    }
}

void TEdit::setMaxLength(int maxLength) {
    m_maxLength = maxLength > 0 ? maxLength : 0;
}

void TEdit::SelectAll() {
    HoldWholeText();
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
    HoldWholeText();
    QLineEdit::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason)
        selectAll();
}

// Wherever the user can reach past the shown part, the line edit gets the whole text first.
void TEdit::mousePressEvent(QMouseEvent *event) {
    HoldWholeText();
    QLineEdit::mousePressEvent(event);
}

void TEdit::mouseDoubleClickEvent(QMouseEvent *event) {
    HoldWholeText();
    QLineEdit::mouseDoubleClickEvent(event);
}

void TEdit::keyPressEvent(QKeyEvent *event) {
    HoldWholeText();
    QLineEdit::keyPressEvent(event);
}

void TEdit::inputMethodEvent(QInputMethodEvent *event) {
    HoldWholeText();
    QLineEdit::inputMethodEvent(event);
}

void TEdit::contextMenuEvent(QContextMenuEvent *event) {
    HoldWholeText();
    QLineEdit::contextMenuEvent(event);
}

void TEdit::dragEnterEvent(QDragEnterEvent *event) {
    HoldWholeText();
    QLineEdit::dragEnterEvent(event);
}

void TEdit::resizeEvent(QResizeEvent *event) {
    // The part was measured against the width it was written at.
    if (width() > m_shownWidth)
        HoldWholeText();
    QLineEdit::resizeEvent(event);
}

void TEdit::changeEvent(QEvent *event) {
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::LayoutDirectionChange:
        HoldWholeText(); // what the part was checked against no longer holds
        break;
    default:
        break;
    }
    QLineEdit::changeEvent(event);
}
