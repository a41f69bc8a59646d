#pragma once

#include <QPushButton>

// A push button that raises OnClick when pressed by the pointer or from the keyboard
// (Space, Return or Enter while it has the focus).
class TButton : public QPushButton {
    Q_OBJECT

public:
    explicit TButton(QWidget *parent = nullptr);

signals:
    void OnClick(QObject *Sender);
};
