#pragma once

#include <QLabel>

// Static plain text on the window's colour. It sizes itself to its text; with word
// wrap it keeps the width it was given and grows or shrinks in height instead.
class TLabel : public QLabel {
    Q_OBJECT

public:
    explicit TLabel(QWidget *parent = nullptr);

    // These hide QLabel's own setters so that every change re-fits the label.
    void setText(const QString &text);
    void setWordWrap(bool on);

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fitToText();

    // The width last given from outside: word wrap breaks lines within it, whatever
    // width fitting a single line made the label in the meantime. A size other than
    // the one fitting last produced was given from outside (a hidden widget reports
    // no resize events, so they cannot tell).
    int m_givenWidth = 0;
    QSize m_fittedSize;
};
