#include "companydatadlg.h"

#include "admincontrols.h"
#include "adminstrings.h"
#include "lodgixmessagebox.h"
#include "stringtable.h"

#include <QLabel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace lodgix {

std::vector<CCompanyDataDlg::Field> CCompanyDataDlg::Fields()
{
    const QString phone = LoadResString(kPhoneString);
    const QString email = LoadResString(kEmailString);
    return {
        {kCompanyName, 1114, LoadResString(kCompanyNameString), true, &CompanyRecord::companyName},
        {1115, 1116, LoadResString(kAddressString), true, &CompanyRecord::address},
        {1117, 1118, LoadResString(kCityString), true, &CompanyRecord::city},
        {1120, 1119, LoadResString(kProvinceString), true, &CompanyRecord::province},
        {1122, 1121, LoadResString(kPostCodeString), false, &CompanyRecord::postCode},
        {1124, 1123, LoadResString(kCountryString), true, &CompanyRecord::country},
        {1126, 1125, phone + QStringLiteral(" 1"), false, &CompanyRecord::phone1},
        {1127, 1128, phone + QStringLiteral(" 2"), false, &CompanyRecord::phone2},
        {1130, 1129, LoadResString(kFaxString), false, &CompanyRecord::phone3},
        {1132, 1131, email + QStringLiteral(" 1"), false, &CompanyRecord::email1},
        {1133, 1134, email + QStringLiteral(" 2"), false, &CompanyRecord::email2},
        {1135, 1136, LoadResString(kWebAddressString), false, &CompanyRecord::webAddress},
        {1137, 1138, LoadResString(kVatNumberString), true, &CompanyRecord::vatNumber},
        {kTaxCode, 1142, LoadResString(kTaxCodeString), true, &CompanyRecord::taxCode},
    };
}

CCompanyDataDlg::CCompanyDataDlg(const CompanyRecord& company, QWidget* parent)
    : CLodgixDialog(parent), m_company(company)
{
    setObjectName(QStringLiteral("CCompanyDataDlg"));
    setWindowTitle(LoadResString(kNewCompanyString));
    auto grid = new QGridLayout;
    int row = 0;
    for (const Field& field : Fields()) {
        QLineEdit* edit = AddEdit(this, field.edit, kTextLength);
        edit->setText(company.*field.member);
        edit->setMinimumWidth(260);
        grid->addWidget(AddLabel(this, field.label, field.required ? Required(field.text) : field.text), row, 0);
        grid->addWidget(edit, row, 1);
        m_edits.emplace_back(edit, field);
        ++row;
    }
    QHBoxLayout* buttons = OkCancelRow(this, kOk, kCancel, [this] { OnOk(); });
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    m_edits.front().first->setFocus();
}

void CCompanyDataDlg::OnOk()
{
    for (const auto& [edit, field] : m_edits) {
        if (field.required && edit->text().isEmpty()) {
            LodgixMessageBox(this, kMissingDataString, QMessageBox::Critical);
            return;
        }
    }
    for (const auto& [edit, field] : m_edits)
        m_company.*field.member = edit->text();
    accept();
}

}  // namespace lodgix
