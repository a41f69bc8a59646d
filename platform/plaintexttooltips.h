#pragma once

#include <QObject>

class QWidget;

// Shows the hints of a widget tree as plain text. Qt would take a hint such as
// "<TH>で出力" for markup and show only part of it.
class PlainTextToolTips : public QObject {
    Q_OBJECT

public:
    explicit PlainTextToolTips(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
};
