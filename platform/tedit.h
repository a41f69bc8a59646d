#pragma once

#include "ansistring.h"

#include <QLineEdit>

#include <memory>

// A single-line edit box. MaxLength limits only what the user types or pastes;
// text written by the program is never cut, and 0 means no limit at all.
// OnChange follows every change of the text, whoever made it.
class TEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
    // Shadows QLineEdit's own property, which would cut the program's texts.
    Q_PROPERTY(int maxLength READ MaxLength WRITE setMaxLength)
    // Shadows QLineEdit's own property, which sees only the shown part of a long text.
    Q_PROPERTY(QString text READ text WRITE setText USER true)

public:
    explicit TEdit(QWidget *parent = nullptr);
    ~TEdit() override;

    AnsiString Text() const;
    // Replaces the whole text; the same text again changes and raises nothing.
    void SetText(const AnsiString &text);
    // The same for Unicode text; hides QLineEdit::setText, which the window
    // description calls for start values.
    void setText(const QString &text);
    // The whole text. Hides QLineEdit::text(), which holds only the shown part of a long
    // text written by SetTextShowingStart while the box is not in use.
    QString text() const;

    // SetText followed by ShowStart, for long texts the program rewrites often. While the
    // box is not in use (no focus, no mouse, no drop), the line edit holds only the part
    // that shows, as long as that part is provably drawn the same as the whole; Qt would
    // otherwise lay out and measure the whole text at every write and every paint. The
    // whole text goes into the line edit as soon as the user reaches the box, with the
    // cursor and selection where they were.
    void SetTextShowingStart(const AnsiString &text);
    // Whether the line edit holds only the shown part of the text.
    bool HoldsShownPartOnly() const { return m_shownPartOnly; }

    int MaxLength() const { return m_maxLength; }
    // Hides QLineEdit::setMaxLength: the present text is never cut.
    void setMaxLength(int maxLength);

    void SelectAll();
    // Copies the selected text; an unfocused box keeps no visible selection.
    void CopyToClipboard();
    // Scrolls back to the beginning, for long texts the program wrote.
    void ShowStart();

signals:
    void OnChange(QObject *Sender);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    class UserLimitValidator;
    class PlainCharacters;

    // How many leading characters of `whole` show exactly as the whole would when the
    // box shows its beginning; whole.size() when no shorter part is sure to.
    qsizetype ShownPartLength(const QString &whole) const;
    // Puts the whole text into the line edit, keeping cursor and selection.
    void HoldWholeText();

    int m_maxLength = 0;
    bool m_programWrite = false;
    // The text as it stood after the last change, so the validator can tell
    // what an edit inserted.
    QString m_lastText;
    // The whole text while the line edit holds only its shown part.
    bool m_shownPartOnly = false;
    QString m_wholeText;
    int m_shownWidth = 0;
    mutable std::unique_ptr<PlainCharacters> m_plain;
};
