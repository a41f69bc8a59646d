#pragma once

#include "ansistring.h"

#include <QLineEdit>

// A single-line edit box. MaxLength limits only what the user types or pastes;
// text written by the program is never cut, and 0 means no limit at all.
// OnChange follows every change of the text, whoever made it.
class TEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
    // Shadows QLineEdit's own property, which would cut the program's texts.
    Q_PROPERTY(int maxLength READ MaxLength WRITE setMaxLength)

public:
    explicit TEdit(QWidget *parent = nullptr);
    ~TEdit() override;

    AnsiString Text() const;
    // Replaces the whole text; the same text again changes and raises nothing.
    void SetText(const AnsiString &text);
    // The same for Unicode text; hides QLineEdit::setText, which the window
    // description calls for start values.
    void setText(const QString &text);

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

private:
    class UserLimitValidator;

    int m_maxLength = 0;
    bool m_programWrite = false;
    // The text as it stood after the last change, so the validator can tell
    // what an edit inserted.
    QString m_lastText;
};
