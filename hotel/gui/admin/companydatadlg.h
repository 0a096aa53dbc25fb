#pragma once

#include "companyrecord.h"
#include "lodgixdialog.h"

#include <vector>

class QLineEdit;

namespace lodgix {

// The fourteen texts of a company (an invoice's addressee). OK needs name, address, city, province,
// country, VAT number and tax code; the caller stores Record().
class CCompanyDataDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kCompanyName = 1113;
    static constexpr int kTaxCode = 1141;
    static constexpr int kOk = 1139;
    static constexpr int kCancel = 1140;
    static constexpr int kTextLength = 63;

    explicit CCompanyDataDlg(const CompanyRecord& company, QWidget* parent = nullptr);

    const CompanyRecord& Record() const { return m_company; }

private:
    struct Field {
        int edit;
        int label;  // 0: none of its own
        QString text;
        bool required;
        QString CompanyRecord::*member;
    };
    static std::vector<Field> Fields();
    void OnOk();

    CompanyRecord m_company;
    std::vector<std::pair<QLineEdit*, Field>> m_edits;
};

}  // namespace lodgix
