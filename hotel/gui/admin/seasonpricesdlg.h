#pragma once

#include "lodgixdialog.h"
#include "money.h"
#include "pricetable.h"

#include <array>

class CNumericEdit;

namespace lodgix {

// The four treatment prices of one season of a room, for the configuration wizard's price grid. The
// prices run overnight only, bed and breakfast, half board, full board, as the grid's columns do.
class CSeasonPricesDlg : public CLodgixDialog {
    Q_OBJECT
public:
    using Prices = std::array<Money, 4>;
    static constexpr int kFirstEdit = 1246;   // 1246-1249
    static constexpr int kFirstLabel = 1250;  // 1250-1253
    static constexpr int kOk = 1254;
    static constexpr int kCancel = 1255;

    CSeasonPricesDlg(Season season, const Prices& prices, QWidget* parent = nullptr);

    const Prices& Result() const { return m_prices; }
    // The name of a season as the windows show it.
    static QString SeasonName(Season season);

private:
    void OnOk();

    Prices m_prices;
    std::array<CNumericEdit*, 4> m_edits{};
};

}  // namespace lodgix
