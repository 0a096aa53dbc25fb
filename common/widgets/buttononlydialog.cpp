#include "buttononlydialog.h"

#include <QKeyEvent>

void CButtonOnlyDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: event->accept(); return;
    default: QDialog::keyPressEvent(event);
    }
}
