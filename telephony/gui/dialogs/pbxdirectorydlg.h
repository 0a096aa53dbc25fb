#pragma once

#include "placeholderdialog.h"

// The PBX phone book; the dialog proper comes later.
class CPbxDirectoryDlg : public CPlaceholderDialog {
    Q_OBJECT
public:
    explicit CPbxDirectoryDlg(const ConsoleWindowContext& context, QWidget* parent = nullptr)
        : CPlaceholderDialog(QStringLiteral("CPbxDirectoryDlg"), 1015, context, parent)
    {
    }
};
