#include "plaintexttooltips.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

PlainTextToolTips::PlainTextToolTips(QWidget *window)
    : QObject(window)
    , window_(window) {
    qApp->installEventFilter(this);
}

bool PlainTextToolTips::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != window_ || widget->toolTip().isEmpty())
        return false; // Qt passes the event on to the parent, as for any hint-less child
    const auto *help = static_cast<QHelpEvent *>(event);
    QToolTip::showText(help->globalPos(), Qt::convertFromPlainText(widget->toolTip()), widget);
    return true;
}
