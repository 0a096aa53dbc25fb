#pragma once

#include "conventionrecord.h"
#include "lodgixdialog.h"

#include <array>

class CNumericEdit;
class QLineEdit;

namespace lodgix {

// A customer agreement: its name, the twelve room prices by season and treatment, and its VAT. Writes the
// caller's record on OK; a name is required.
class CConventionDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kName = 1413;
    static constexpr int kVat = 1409;
    static constexpr int kOk = 1412;
    static constexpr int kCancel = 1411;

    explicit CConventionDlg(ConventionRecord& convention, QWidget* parent = nullptr);

private:
    void OnOk();

    ConventionRecord& m_convention;
    QLineEdit* m_name;
    // By season, then by treatment in the order overnight only, bed and breakfast, half board, full board.
    std::array<CNumericEdit*, PriceTable::kCount> m_prices{};
    CNumericEdit* m_vat;
};

}  // namespace lodgix
