#pragma once

#include "ansistring.h"

#include <QComboBox>

// An editable drop-down whose text the user may pick from the list or type
// freely. The list never changes through typing and nothing is completed.
// OnChange follows each typed change and each pick, even a pick of the item
// already shown.
class TComboBox : public QComboBox {
    Q_OBJECT

public:
    // Typing stops at this many characters.
    static constexpr int TypedLengthLimit = 255;

    explicit TComboBox(QWidget *parent = nullptr);

    AnsiString Text() const;
    // Replaces the text; the same text again changes and raises nothing.
    void SetText(const AnsiString &text);

signals:
    void OnChange(QObject *Sender);
};
