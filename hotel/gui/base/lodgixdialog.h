#pragma once

#include "buttononlydialog.h"

#include <QString>

// The base of the hotel program's dialogs: Enter and Escape never close one, only its own buttons do,
// and the close box cancels. Controls carry their ids as object names, so that tests find them.
class CLodgixDialog : public CButtonOnlyDialog {
    Q_OBJECT
public:
    using CButtonOnlyDialog::CButtonOnlyDialog;

    // A control's object name: its id.
    static QString Id(int control) { return QString::number(control); }
    // The label of a field that must be filled.
    static QString Required(const QString& label) { return label + QStringLiteral(" *"); }
};
