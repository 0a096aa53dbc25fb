#pragma once

#include "placeholderdialog.h"

// The central address book's contact management; the dialog proper comes later.
class CContactManagerDlg : public CPlaceholderDialog {
    Q_OBJECT
public:
    explicit CContactManagerDlg(const ConsoleWindowContext& context, QWidget* parent = nullptr)
        : CPlaceholderDialog(QStringLiteral("CContactManagerDlg"), 1013, context, parent)
    {
    }
};
