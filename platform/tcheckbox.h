#pragma once

#include <QCheckBox>

// A two-state check box that raises OnClick after each toggle by the user
// (a click on the box or its caption, or Space); setting it from code raises nothing.
class TCheckBox : public QCheckBox {
    Q_OBJECT

public:
    explicit TCheckBox(QWidget *parent = nullptr);

    bool Checked() const { return isChecked(); }

signals:
    // Checked already reads the new state.
    void OnClick(QObject *Sender);
};
