#pragma once

#include "commonarearecord.h"
#include "lodgixdialog.h"

class QCheckBox;
class QLineEdit;

namespace lodgix {

// A common area of the key-card system: name, a code of up to three digits (stored as three digits) and
// whether guests use it free of charge. Edits the caller's record on OK.
class CCommonAreaEditDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kName = 1442;
    static constexpr int kCode = 1443;
    static constexpr int kFree = 1444;
    static constexpr int kOk = 1447;
    static constexpr int kCancel = 1448;
    static constexpr int kCodeDigits = 3;

    explicit CCommonAreaEditDlg(CommonAreaRecord& area, QWidget* parent = nullptr);

    // The stored form of a typed code: its number with three digits ("7" gives "007").
    static QString CodeText(const QString& typed);

private:
    void OnOk();

    CommonAreaRecord& m_area;
    QLineEdit* m_name;
    QLineEdit* m_code;
    QCheckBox* m_free;
};

}  // namespace lodgix
