#pragma once

#include "ansistring.h"

#include <QWidget>

class QAbstractButton;
class QToolButton;
class TEdit;

// A numeric edit box with a pair of small arrow buttons inside its right edge.
// Value reads the text as a number (MinValue when it is none) without limiting
// it; the arrows, the Up and Down keys and leaving the box bring it into
// MinValue..MaxValue. OnChange follows every change of the text.
class TSpinEdit : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(int Value READ Value WRITE setValue)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
    Q_PROPERTY(int Increment READ Increment WRITE setIncrement)

public:
    // Width of the arrow buttons, which the text stops short of.
    static constexpr int ButtonWidth = 15;

    explicit TSpinEdit(QWidget *parent = nullptr);

    AnsiString Text() const;
    // Replaces the whole text; the same text again changes and raises nothing.
    void SetText(const AnsiString &text);

    int MinValue() const { return m_minValue; }
    void setMinValue(int value) { m_minValue = value; }
    int MaxValue() const { return m_maxValue; }
    void setMaxValue(int value) { m_maxValue = value; }
    int Value() const;
    // Writes the value as decimal text, as given.
    void setValue(int value);
    int MaxLength() const;
    void setMaxLength(int maxLength);
    int Increment() const { return m_increment; }
    void setIncrement(int increment) { m_increment = increment; }

    // The parts, for the window's focus checks and for tests.
    TEdit *editor() const { return m_edit; }
    QAbstractButton *upButton() const;
    QAbstractButton *downButton() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void OnChange(QObject *Sender);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Steps by `delta` from Value, limited to MinValue..MaxValue.
    void Step(long long delta);
    // Keeps typed characters to the ones a number can hold; true when refused.
    bool RefuseKey(const QKeyEvent *event) const;
    // The nearer limit replaces a number outside MinValue..MaxValue.
    void ClampToRange();
    void LayOutParts();

    TEdit *m_edit;
    QToolButton *m_up;
    QToolButton *m_down;
    int m_minValue = 0;
    int m_maxValue = 0;
    int m_increment = 1;
};
