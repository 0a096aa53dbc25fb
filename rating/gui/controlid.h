#pragma once

#include <QString>

// Gives a dialog's control its id as object name, by which tests and the dialog's own code find it.
template <typename Widget>
Widget* Named(Widget* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}
