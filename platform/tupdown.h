#pragma once

#include <QWidget>

class QToolButton;

// Which arrow moved an up-down: next is the upper arrow, prev the lower one.
enum TUDBtnType { btNext, btPrev };

// A pair of arrow buttons, up above down, that keeps a position of its own.
// It is tied to no box and never takes the keyboard focus, so clicking it leaves
// the box being typed into undisturbed.
class TUpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(int Position READ Position WRITE setPosition)

public:
    explicit TUpDown(QWidget *parent = nullptr);

    int Min() const { return m_min; }
    void setMin(int value);
    int Max() const { return m_max; }
    void setMax(int value);
    int Position() const { return m_position; }
    void setPosition(int value);

    QSize sizeHint() const override;

signals:
    // After every change made by an arrow; Position already holds the new value.
    void OnClick(QObject *Sender, TUDBtnType Button);

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void step(TUDBtnType button);
    void keepPositionInRange();

    QToolButton *m_up;
    QToolButton *m_down;
    short m_min = 0;
    short m_max = 100;
    short m_position = 0;
};
