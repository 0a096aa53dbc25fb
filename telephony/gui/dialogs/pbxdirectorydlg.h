#pragma once

#include "placeholderdialog.h"

// The PBX phone book; the dialog proper comes later.
class CPbxDirectoryDlg : public CPlaceholderDialog {
    Q_OBJECT
public:
    explicit CPbxDirectoryDlg(QWidget* parent = nullptr)
        : CPlaceholderDialog(QStringLiteral("CPbxDirectoryDlg"), 1015, parent)
    {
    }
};
