#pragma once

#include "stringtable.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QString>

// Pieces the rating program's editor dialogs share: controls named by their control id (tests and the
// dialogs find them by it) and the OK and Cancel row.

template <typename Widget>
Widget* NamedControl(Widget* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

constexpr unsigned kDialogOkText = 19001;
constexpr unsigned kDialogCancelText = 1202;  // "Annulla"
constexpr unsigned kProgramCaptionText = 1003;

// OK (the default button, runs accept()) and Cancel (reject()) at the right of a row.
inline QHBoxLayout* OkCancelRow(QDialog* dialog, int okId, int cancelId)
{
    auto ok = NamedControl(new QPushButton(LoadResString(kDialogOkText)), okId);
    auto cancel = NamedControl(new QPushButton(LoadResString(kDialogCancelText)), cancelId);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}
