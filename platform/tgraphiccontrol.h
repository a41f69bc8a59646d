#pragma once

#include "tcanvas.h"

#include <QWidget>

#include <memory>

// The windowless control of the old class library: it paints on its parent's surface
// (nothing opaque of its own, the parent shows through), takes no focus and handles
// no input; mouse and hint events it does not use go on to its parent, so a control
// with a hint shows it and one without shows its parent's.
class TGraphicControl : public QWidget {
    Q_OBJECT

public:
    explicit TGraphicControl(QWidget *parent = nullptr);
    ~TGraphicControl() override;

    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    // An equal value does nothing; another moves the edge, and the old and the new
    // rectangle are repainted at the next paint.
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);

    const QFont &Font() const { return font(); }
    void SetFont(const QFont &value) { setFont(value); }

    // The control's own flag: true unless it was hidden, whether or not its parent
    // is on screen yet.
    bool Visible() const;
    void SetVisible(bool value) { setVisible(value); }

    TCanvas *Canvas() const { return canvas_.get(); }

    // Paints the control, and the parent beneath it, before returning. Nothing is
    // drawn while the control or its window is hidden.
    void Repaint() { repaint(); }

protected:
    // The paint message: by default it runs Paint(). Runs inside paintEvent with the
    // canvas drawing on this control, origin at its top-left corner, clipped to it.
    virtual void WMPaint();
    virtual void Paint() {}

    void paintEvent(QPaintEvent *event) override;

private:
    std::unique_ptr<TCanvas> canvas_;
};
