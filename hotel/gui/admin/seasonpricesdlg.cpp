#include "seasonpricesdlg.h"

#include "admincontrols.h"
#include "adminstrings.h"
#include "numericedit.h"
#include "stringtable.h"

#include <QLabel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>

namespace lodgix {

namespace {

constexpr double kMaxPrice = 1000000.0;
constexpr unsigned kTreatmentStrings[] = {kOvernightString, kBedAndBreakfastString, kHalfBoardString,
                                          kFullBoardString};

}  // namespace

QString CSeasonPricesDlg::SeasonName(Season season)
{
    switch (season) {
    case Season::kLow: return LoadResString(kLowSeasonString);
    case Season::kMedium: return LoadResString(kMidSeasonString);
    case Season::kHigh: return LoadResString(kHighSeasonString);
    }
    return {};
}

CSeasonPricesDlg::CSeasonPricesDlg(Season season, const Prices& prices, QWidget* parent)
    : CLodgixDialog(parent), m_prices(prices)
{
    setObjectName(QStringLiteral("CSeasonPricesDlg"));
    setWindowTitle(LoadResString(kPricesString) + QStringLiteral(" (") + SeasonName(season) + u')');
    auto grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        const auto at = static_cast<std::size_t>(i);
        m_edits[at] = AddNumber(this, kFirstEdit + i, 0.0, kMaxPrice, AmountValue(prices[at]));
        grid->addWidget(AddLabel(this, kFirstLabel + i, LoadResString(kTreatmentStrings[at])), i, 0);
        grid->addWidget(m_edits[at], i, 1);
    }
    QHBoxLayout* buttons = OkCancelRow(this, kOk, kCancel, [this] { OnOk(); });
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void CSeasonPricesDlg::OnOk()
{
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        m_prices[i] = MoneyOf(m_edits[i]->GetValue());
    accept();
}

}  // namespace lodgix
