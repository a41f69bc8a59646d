#include "tcombobox.h"

#include "ansiqt.h"

#include <QLineEdit>

TComboBox::TComboBox(QWidget *parent)
    : QComboBox(parent) {
    setEditable(true);
    // Qt would add typed text to the list on Enter and complete "ﾋ" to "ﾋﾟｸｾﾙ".
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    lineEdit()->setMaxLength(TypedLengthLimit);

    // A pick of the item already shown changes no text, so only `activated`
    // reports every pick; typing reports through the edit field alone.
    connect(this, &QComboBox::activated, this, [this] { emit OnChange(this); });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { emit OnChange(this); });
}

AnsiString TComboBox::Text() const {
    return ToAnsiString(currentText());
}

void TComboBox::SetText(const AnsiString &text) {
    const QString unicode = ToQString(text);
    if (unicode == currentText())
        return;
    setEditText(unicode);
    emit OnChange(this);
}
