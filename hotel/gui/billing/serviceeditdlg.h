#pragma once

#include "gatewaylink.h"
#include "lodgixdialog.h"
#include "money.h"
#include "vatrate.h"

#include <QString>

#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

class CNumericEdit;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lodgix {

class CHotelDatabase;
class CInternetGateway;

// One service line: description, unit price (VAT included), VAT percent and quantity, optionally taken
// from the catalogue of client services.
//
// Use: construct with the mode, the guest (the stay's first guest in client-services mode, else 0) and the
// database; optionally preset description, price, VAT and quantity; exec(). After QDialog::Accepted read
// Description(), Price() (one unit, VAT included), Vat() and Quantity(); in client-services mode also
// Sold(), and for a sold internet access AccessCode(), GuestName() and Hours().
//
// In client-services mode a service named exactly "Internet access" is a sale: the quantity is the number
// of hours, the price that of one hour. After the clerk's confirmation the gateway creates the guest's
// user on a worker thread while the dialog waits, its window still answering; Cancel stops the gateway and
// closes the dialog. A sold access comes back as one unit named "Internet access (code)" priced hours x
// price. In plain mode that name is an ordinary line.
class CServiceEditDlg : public CLodgixDialog {
    Q_OBJECT
public:
    enum Mode { kPlain = 0, kClientServices = 1 };

    static constexpr int kDescriptionLabel = 1225;
    static constexpr int kDescription = 1226;
    static constexpr int kPriceLabel = 1227;
    static constexpr int kPrice = 1228;
    static constexpr int kVatLabel = 1229;
    static constexpr int kVat = 1230;
    static constexpr int kOk = 1231;
    static constexpr int kCancel = 1232;
    static constexpr int kQuantity = 1233;
    static constexpr int kQuantityLabel = 1234;
    static constexpr int kCatalogue = 1235;
    static constexpr int kDescriptionLength = 63;
    static constexpr int kMaxQuantity = 65535;

    CServiceEditDlg(Mode mode, int guestId, CHotelDatabase& database, QWidget* parent = nullptr);
    ~CServiceEditDlg() override;

    // Presets, before exec().
    void SetDescription(const QString& description);
    void SetPrice(Money price);
    void SetVat(VatRate vat);
    void SetQuantity(int quantity);
    // Where the gateway is reached; the one of Registry.ini unless set.
    void SetGatewayLink(const GatewayLink& link) { m_link = link; }

    // Results, after OK.
    QString Description() const { return m_description; }
    Money Price() const { return m_price; }
    VatRate Vat() const { return m_vat; }
    int Quantity() const { return m_quantity; }
    bool Sold() const { return m_sold; }
    QString AccessCode() const { return m_accessCode; }
    QString GuestName() const { return m_guestName; }
    int Hours() const { return m_hours; }

    // True while the gateway is creating the user.
    bool IsSelling() const { return m_worker.joinable(); }

public slots:
    void reject() override;

private:
    void FillCatalogue();
    void ShowPresets();
    void OnCatalogueChosen(int index);
    void OnOk();
    bool StartSale(const QString& description, int hours);
    void OnSaleEnded(bool created, const QString& code, const QString& guestName, const QString& description,
                     int hours);
    void JoinSale();
    void StopSale();
    void SetWaiting(bool waiting);

    Mode m_mode;
    int m_guestId;
    CHotelDatabase& m_database;
    std::optional<GatewayLink> m_link;

    QString m_description;
    Money m_price;
    VatRate m_vat = VatRate::FromHundredths(2000);
    int m_quantity = 1;
    bool m_sold = false;
    QString m_accessCode;
    QString m_guestName;
    int m_hours = 0;

    QComboBox* m_catalogue;
    QLabel* m_descriptionLabel;
    QLineEdit* m_descriptionEdit;
    QLabel* m_priceLabel;
    CNumericEdit* m_priceEdit;
    QLabel* m_vatLabel;
    CNumericEdit* m_vatEdit;
    QLabel* m_quantityLabel;
    CNumericEdit* m_quantityEdit;
    QPushButton* m_ok;
    QPushButton* m_cancel;

    std::unique_ptr<CInternetGateway> m_gateway;  // of the sale under way
    std::thread m_worker;
    std::vector<std::pair<QWidget*, bool>> m_enabledBeforeSale;
};

}  // namespace lodgix
