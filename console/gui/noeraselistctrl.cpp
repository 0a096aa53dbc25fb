#include "noeraselistctrl.h"

CNoEraseListCtrl::CNoEraseListCtrl(QWidget* parent) : QListWidget(parent)
{
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::transparent);
    colours.setColor(QPalette::Window, Qt::transparent);
    setPalette(colours);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CNoEraseListCtrl::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    emit FocusLost();
}
