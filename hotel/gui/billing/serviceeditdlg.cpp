#include "serviceeditdlg.h"

#include "deskform.h"
#include "guestrecord.h"
#include "hoteldatabase.h"
#include "hoteltablesetup.h"
#include "internetgateway.h"
#include "lodgixmessagebox.h"
#include "numericedit.h"
#include "rowlist.h"
#include "stringtable.h"

#include <QComboBox>
#include <algorithm>
#include <initializer_list>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace lodgix {
namespace {

constexpr unsigned kNewServiceString = 2027;        // "Nuovo servizio"
constexpr unsigned kVatString = 2034;               // "IVA (%)"
constexpr unsigned kMissingDataString = 2037;       // "Mancano alcuni dati obbligatori"
constexpr unsigned kCancelString = 2047;            // "Annulla"
constexpr unsigned kPriceAndVatString = 2118;       // "Impostare il prezzo giornaliero e l'IVA"
constexpr unsigned kDescriptionString = 2147;       // "Descrizione"
constexpr unsigned kUnitPriceString = 2148;         // "Prezzo unitario"
constexpr unsigned kQuantityString = 2149;          // "Quantità"
constexpr unsigned kModifyServiceString = 2196;     // "Modifica servizio"
constexpr unsigned kGenericServiceString = 2197;    // "Servizio generico"
constexpr unsigned kHoursString = 2324;             // "ore"
constexpr unsigned kConfirmInternetString = 2325;   // "Confermi il servizio di accesso alla rete internet per"

constexpr double kMaxPrice = 1000000.0;
constexpr double kMaxVat = 100.0;
constexpr int kGenericService = 0;  // the catalogue entry's item data: no client service
constexpr int kMinutesPerHour = 60;
constexpr int kFieldWidth = 260;

}  // namespace

CServiceEditDlg::CServiceEditDlg(Mode mode, int guestId, CHotelDatabase& database, QWidget* parent)
    : CLodgixDialog(parent), m_mode(mode), m_guestId(mode == kClientServices ? guestId : 0), m_database(database),
      m_catalogue(new QComboBox(this)),
      m_descriptionLabel(DeskLabel(this, kDescriptionLabel, Required(LoadResString(kDescriptionString)))),
      m_descriptionEdit(new QLineEdit(this)),
      m_priceLabel(DeskLabel(this, kPriceLabel, LoadResString(kUnitPriceString))),
      m_priceEdit(DeskNumber(this, kPrice, 2, 0.0, kMaxPrice)),
      m_vatLabel(DeskLabel(this, kVatLabel, LoadResString(kVatString))),
      m_vatEdit(DeskNumber(this, kVat, 2, 0.0, kMaxVat)),
      m_quantityLabel(DeskLabel(this, kQuantityLabel, LoadResString(kQuantityString))),
      m_quantityEdit(DeskNumber(this, kQuantity, 0, 1, kMaxQuantity)),
      m_ok(DeskButton(this, kOk, QStringLiteral("OK"))), m_cancel(DeskButton(this, kCancel, LoadResString(kCancelString)))
{
    setObjectName(QStringLiteral("CServiceEditDlg"));
    m_catalogue->setObjectName(Id(kCatalogue));
    m_descriptionEdit->setObjectName(Id(kDescription));
    m_descriptionEdit->setMaxLength(kDescriptionLength);
    m_ok->setDefault(true);
    connect(m_catalogue, &QComboBox::activated, this, &CServiceEditDlg::OnCatalogueChosen);
    connect(m_ok, &QPushButton::clicked, this, &CServiceEditDlg::OnOk);
    connect(m_cancel, &QPushButton::clicked, this, &CServiceEditDlg::reject);

    auto grid = new QGridLayout;
    grid->addWidget(m_catalogue, 0, 0, 1, 2);
    grid->addWidget(m_descriptionLabel, 1, 0);
    grid->addWidget(m_descriptionEdit, 1, 1);
    grid->addWidget(m_priceLabel, 2, 0);
    grid->addWidget(m_priceEdit, 2, 1);
    grid->addWidget(m_vatLabel, 3, 0);
    grid->addWidget(m_vatEdit, 3, 1);
    grid->addWidget(m_quantityLabel, 4, 0);
    grid->addWidget(m_quantityEdit, 4, 1);
    grid->setColumnMinimumWidth(1, kFieldWidth);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    FillCatalogue();
    ShowPresets();
}

CServiceEditDlg::~CServiceEditDlg() { StopSale(); }

void CServiceEditDlg::SetDescription(const QString& description)
{
    m_description = description.left(kDescriptionLength);
    ShowPresets();
}

void CServiceEditDlg::SetPrice(Money price)
{
    m_price = price;
    ShowPresets();
}

void CServiceEditDlg::SetVat(VatRate vat)
{
    m_vat = vat;
    ShowPresets();
}

void CServiceEditDlg::SetQuantity(int quantity)
{
    m_quantity = std::clamp(quantity, 1, kMaxQuantity);
    ShowPresets();
}

void CServiceEditDlg::FillCatalogue()
{
    m_catalogue->clear();
    m_catalogue->addItem(LoadResString(kGenericServiceString), kGenericService);
    RowList services;
    if (m_database.FillClientServiceCombo(services)) {
        for (const RowList::Row& row : services.Rows())
            m_catalogue->addItem(row.texts.value(0), row.itemData);
    }
}

void CServiceEditDlg::ShowPresets()
{
    const bool preset = !m_description.isEmpty();
    setWindowTitle(LoadResString(preset ? kModifyServiceString : kNewServiceString));
    // A slot of a stay is one unit: its quantity is not asked.
    const bool askQuantity = !(m_mode == kClientServices && preset);
    m_quantityLabel->setVisible(askQuantity);
    m_quantityEdit->setVisible(askQuantity);

    const int entry = preset ? m_catalogue->findText(m_description, Qt::MatchExactly | Qt::MatchCaseSensitive) : -1;
    m_catalogue->setCurrentIndex(entry > 0 ? entry : 0);
    m_descriptionEdit->setEnabled(entry <= 0);
    m_descriptionEdit->setText(m_description);
    // A sold access keeps its name: the code in it is the gateway's user.
    const bool internet =
        m_mode == kClientServices && m_description.startsWith(QLatin1String(kInternetAccessService));
    m_catalogue->setEnabled(!internet);
    if (internet)
        m_descriptionEdit->setEnabled(false);

    m_priceEdit->SetValue(EditValue(m_price));
    m_vatEdit->SetValue(EditValue(m_vat));
    m_quantityEdit->SetValue(m_quantity);
}

void CServiceEditDlg::OnCatalogueChosen(int index)
{
    const int serviceId = m_catalogue->itemData(index).toInt();
    if (serviceId == kGenericService) {
        m_descriptionEdit->setEnabled(true);
        m_descriptionEdit->clear();
        m_priceEdit->SetValue(0.0);
        m_vatEdit->SetValue(EditValue(VatRate::FromHundredths(2000)));
        return;
    }
    m_descriptionEdit->setText(m_catalogue->itemText(index));
    m_descriptionEdit->setEnabled(false);
    m_priceEdit->SetValue(EditValue(m_database.GetClientServicePrice(serviceId)));
    m_vatEdit->SetValue(EditValue(m_database.GetClientServiceVat(serviceId)));
}

void CServiceEditDlg::OnOk()
{
    if (IsSelling())
        return;
    const QString description = m_descriptionEdit->text();
    const Money price = MoneyOfEdit(m_priceEdit->GetValue());
    const int quantity = static_cast<int>(m_quantityEdit->GetValue());
    if (description.isEmpty()) {
        LodgixMessageBox(this, kMissingDataString, QMessageBox::Critical);
        return;
    }
    if (price.IsZero()) {
        LodgixMessageBox(this, kPriceAndVatString, QMessageBox::Critical);
        return;
    }
    m_price = price;
    m_vat = VatOfEdit(m_vatEdit->GetValue());
    if (m_mode == kPlain || description != QLatin1String(kInternetAccessService)) {
        m_description = description;
        m_quantity = quantity;
        accept();
        return;
    }
    // The quantity of an internet access is its hours.
    const QString question = QStringLiteral("%1 %2 %3").arg(LoadResString(kConfirmInternetString)).arg(quantity).arg(
        LoadResString(kHoursString));
    if (LodgixMessageBox(this, question, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    // Without a guest whose birth is known the gateway has no user to create; the clerk may cancel.
    StartSale(description, quantity);
}

bool CServiceEditDlg::StartSale(const QString& description, int hours)
{
    GuestRecord guest;
    if (m_guestId == 0 || !m_database.LoadGuest(m_guestId, guest) || !guest.dateOfBirth.isValid())
        return false;
    const QString birth =
        guest.birthPlace + QStringLiteral(", ") + QLocale().toString(guest.dateOfBirth, QLocale::ShortFormat);
    const QString document = guest.documentType + QLatin1Char(' ') + guest.documentNumber;
    m_gateway = std::make_unique<CInternetGateway>(m_link.value_or(GatewayLink::FromRegistry()));
    SetWaiting(true);
    m_worker = std::thread([this, gateway = m_gateway.get(), name = guest.name, birth, document, description, hours] {
        QString code;
        const bool created = gateway->CreateUser(code, name, birth, document, hours * kMinutesPerHour);
        // Handled on the dialog's thread; dropped with the dialog, whose end joins this thread first.
        QMetaObject::invokeMethod(
            this, [this, created, code, name, description, hours] { OnSaleEnded(created, code, name, description, hours); },
            Qt::QueuedConnection);
    });
    return true;
}

void CServiceEditDlg::OnSaleEnded(bool created, const QString& code, const QString& guestName,
                                  const QString& description, int hours)
{
    if (!IsSelling())
        return;  // cancelled meanwhile: the dialog has ended
    JoinSale();
    SetWaiting(false);
    if (!created)
        return;  // refused: the clerk may try again or cancel
    m_accessCode = code;
    m_guestName = guestName;
    m_hours = hours;
    m_sold = true;
    m_price = Money::FromCents(m_price.Cents() * hours);
    m_description = description + QStringLiteral(" (") + code + QLatin1Char(')');
    m_quantity = 1;
    m_descriptionEdit->setText(m_description);
    m_priceEdit->SetValue(EditValue(m_price));
    m_quantityEdit->SetValue(m_quantity);
    accept();
}

void CServiceEditDlg::JoinSale()
{
    m_worker.join();
    m_gateway.reset();
}

void CServiceEditDlg::StopSale()
{
    if (!IsSelling())
        return;
    m_gateway->Cancel();
    JoinSale();
}

void CServiceEditDlg::SetWaiting(bool waiting)
{
    // Only Cancel answers while the gateway works; the fields come back as they were.
    if (waiting) {
        m_enabledBeforeSale.clear();
        for (QWidget* control : std::initializer_list<QWidget*>{m_catalogue, m_descriptionEdit, m_priceEdit,
                                                                m_vatEdit, m_quantityEdit, m_ok}) {
            m_enabledBeforeSale.emplace_back(control, control->isEnabled());
            control->setEnabled(false);
        }
        setCursor(Qt::BusyCursor);
        return;
    }
    for (const auto& [control, enabled] : m_enabledBeforeSale)
        control->setEnabled(enabled);
    unsetCursor();
}

void CServiceEditDlg::reject()
{
    // Cancel during a sale stops the gateway: the clerk gives up the access.
    StopSale();
    CLodgixDialog::reject();
}

}  // namespace lodgix
