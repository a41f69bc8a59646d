#pragma once

#include "tcolor.h"

#include <QFrame>

// A captionless colour swatch: filled with Color inside a one-pixel lowered edge.
// Takes no focus, shows no hint and raises no events.
class TPanel : public QFrame {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE setColor)

public:
    explicit TPanel(QWidget *parent = nullptr);

    TColor Color() const { return m_color; }
    // Stores the colour as given and repaints at once.
    void setColor(TColor color);

    QSize sizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    TColor m_color = clBtnFace;
};
