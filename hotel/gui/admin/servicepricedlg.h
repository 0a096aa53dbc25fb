#pragma once

#include "lodgixdialog.h"
#include "money.h"
#include "vatrate.h"

class CNumericEdit;
class QLabel;
class QLineEdit;

namespace lodgix {

// Name, price and VAT of a room feature (no price), an optional room service (a price, which may be a
// discount) or a client service (price and VAT). The caller sets an existing service before showing it
// and reads the results after OK.
class CServicePriceDlg : public CLodgixDialog {
    Q_OBJECT
public:
    enum Kind { kFeature = 0, kOptionalService = 1, kClientService = 2 };
    static constexpr int kNameLabel = 1141;
    static constexpr int kName = 1142;
    static constexpr int kPrice = 1143;
    static constexpr int kPriceLabel = 1144;
    static constexpr int kVat = 1145;
    static constexpr int kVatLabel = 1146;
    static constexpr int kOk = 1147;
    static constexpr int kCancel = 1148;
    static constexpr int kNameLength = 63;

    explicit CServicePriceDlg(Kind kind, QWidget* parent = nullptr);

    void SetService(const QString& name, Money price, VatRate vat);
    QString Name() const { return m_result.name; }
    Money Price() const { return m_result.price; }
    VatRate Vat() const { return m_result.vat; }

private:
    struct Result {
        QString name;
        Money price;
        VatRate vat = VatRate::FromHundredths(2000);
    };

    void ShowTitle();
    void OnOk();

    Kind m_kind;
    Result m_result;
    QLineEdit* m_name;
    CNumericEdit* m_price;
    CNumericEdit* m_vat;
};

}  // namespace lodgix
