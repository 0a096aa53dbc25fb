#pragma once

#include "placeholderdialog.h"

// Calling a contact of the address book; the dialog proper comes later.
class CCallContactDlg : public CPlaceholderDialog {
    Q_OBJECT
public:
    explicit CCallContactDlg(const ConsoleWindowContext& context, QWidget* parent = nullptr)
        : CPlaceholderDialog(QStringLiteral("CCallContactDlg"), 1014, context, parent)
    {
    }
};
