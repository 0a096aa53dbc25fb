#include "servicepricedlg.h"

#include "admincontrols.h"
#include "adminstrings.h"
#include "hoteltablesetup.h"
#include "lodgixmessagebox.h"
#include "numericedit.h"
#include "stringtable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lodgix {

namespace {

constexpr double kMaxPrice = 1000000.0;
constexpr double kMaxVat = 100.0;

}  // namespace

CServicePriceDlg::CServicePriceDlg(Kind kind, QWidget* parent)
    : CLodgixDialog(parent), m_kind(kind), m_name(AddEdit(this, kName, kNameLength)),
      m_price(AddNumber(this, kPrice, kind == kOptionalService ? -kMaxPrice : 0.0, kMaxPrice, 0.0)),
      m_vat(AddNumber(this, kVat, 0.0, kMaxVat, RateValue(m_result.vat)))
{
    setObjectName(QStringLiteral("CServicePriceDlg"));
    const bool feature = kind == kFeature;
    QLabel* nameLabel =
        AddLabel(this, kNameLabel, Required(LoadResString(feature ? kFeatureNameString : kServiceNameString)));
    QLabel* priceLabel = AddLabel(
        this, kPriceLabel, Required(LoadResString(kind == kClientService ? kPriceString : kExtraPriceString)));
    QLabel* vatLabel = AddLabel(this, kVatLabel, Required(LoadResString(kVatString)));
    priceLabel->setVisible(!feature);
    m_price->setVisible(!feature);
    vatLabel->setVisible(kind == kClientService);
    m_vat->setVisible(kind == kClientService);

    QHBoxLayout* buttons = OkCancelRow(this, kOk, kCancel, [this] { OnOk(); });

    auto grid = new QGridLayout;
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(priceLabel, 1, 0);
    grid->addWidget(m_price, 1, 1);
    grid->addWidget(vatLabel, 2, 0);
    grid->addWidget(m_vat, 2, 1);
    grid->setColumnMinimumWidth(1, 220);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    ShowTitle();
    m_name->setFocus();
}

void CServicePriceDlg::SetService(const QString& name, Money price, VatRate vat)
{
    m_name->setText(name);
    m_price->SetValue(AmountValue(price));
    m_vat->SetValue(RateValue(vat));
    // The built-in client service keeps its name: the program finds it by it.
    m_name->setEnabled(!(m_kind == kClientService && name == QLatin1String(kInternetAccessService)));
    ShowTitle();
}

void CServicePriceDlg::ShowTitle()
{
    const bool empty = m_name->text().isEmpty();
    if (m_kind == kFeature)
        setWindowTitle(LoadResString(empty ? kNewFeatureString : kModifyFeatureString));
    else
        setWindowTitle(LoadResString(empty ? kNewServiceString : kModifyServiceString));
}

void CServicePriceDlg::OnOk()
{
    if (m_name->text().isEmpty()) {
        LodgixMessageBox(this, kMissingDataString, QMessageBox::Critical);
        return;
    }
    const Money price = MoneyOf(m_price->GetValue());
    if (m_kind != kFeature && price.IsZero()) {
        LodgixMessageBox(this, kPriceAndVatString, QMessageBox::Critical);
        return;
    }
    m_result = {m_name->text(), m_kind == kFeature ? Money() : price, RateOf(m_vat->GetValue())};
    accept();
}

}  // namespace lodgix
