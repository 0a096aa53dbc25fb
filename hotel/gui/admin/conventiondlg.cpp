#include "conventiondlg.h"

#include "admincontrols.h"
#include "adminstrings.h"
#include "lodgixmessagebox.h"
#include "numericedit.h"
#include "stringtable.h"

#include <QLabel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace lodgix {

namespace {

constexpr double kMaxPrice = 1000000.0;
constexpr double kMaxVat = 100.0;
constexpr int kVatLabel = 1410;
constexpr int kNameLabel = 1414;
constexpr Treatment kTreatments[] = {Treatment::kOvernight, Treatment::kBedAndBreakfast, Treatment::kHalfBoard,
                                     Treatment::kFullBoard};
constexpr unsigned kTreatmentStrings[] = {kOvernightString, kBedAndBreakfastString, kHalfBoardString,
                                          kFullBoardString};

// A season's group: its box, the treatments' labels and their edits, in the order above.
struct SeasonGroup {
    Season season;
    unsigned title;
    int box;
    int labels[4];
    int edits[4];
};
constexpr SeasonGroup kGroups[] = {
    {Season::kLow, kLowSeasonString, 1390, {1382, 1383, 1384, 1385}, {1389, 1388, 1387, 1386}},
    {Season::kMedium, kMidSeasonString, 1399, {1395, 1396, 1397, 1398}, {1391, 1392, 1393, 1394}},
    {Season::kHigh, kHighSeasonString, 1408, {1404, 1405, 1406, 1407}, {1400, 1401, 1402, 1403}},
};

}  // namespace

CConventionDlg::CConventionDlg(ConventionRecord& convention, QWidget* parent)
    : CLodgixDialog(parent), m_convention(convention),
      m_name(AddEdit(this, kName, ConventionRecord::kLabelLength)),
      m_vat(AddNumber(this, kVat, 0.0, kMaxVat, RateValue(convention.vat)))
{
    setObjectName(QStringLiteral("CConventionDlg"));
    setWindowTitle(LoadResString(kConventionTitleString));
    m_name->setText(convention.label);
    // The name first, then the seasons' prices in order and the VAT: the order the tab key follows.
    auto nameRow = new QHBoxLayout;
    nameRow->addWidget(AddLabel(this, kNameLabel, LoadResString(kConventionNameString)));
    nameRow->addWidget(m_name, 1);
    auto seasons = new QHBoxLayout;
    QWidget* previous = m_name;
    std::size_t slot = 0;
    for (const SeasonGroup& group : kGroups) {
        auto box = new QGroupBox(LoadResString(group.title), this);
        box->setObjectName(Id(group.box));
        auto grid = new QGridLayout(box);
        for (int t = 0; t < 4; ++t) {
            CNumericEdit* edit =
                AddNumber(box, group.edits[t], 0.0, kMaxPrice, AmountValue(convention.prices.Price(group.season, kTreatments[t])));
            grid->addWidget(AddLabel(box, group.labels[t], LoadResString(kTreatmentStrings[t])), t, 0);
            grid->addWidget(edit, t, 1);
            m_prices[slot++] = edit;
            setTabOrder(previous, edit);
            previous = edit;
        }
        seasons->addWidget(box);
    }
    setTabOrder(previous, m_vat);
    auto vatRow = new QHBoxLayout;
    vatRow->addWidget(AddLabel(this, kVatLabel, LoadResString(kVatString)));
    vatRow->addWidget(m_vat);
    vatRow->addStretch();
    vatRow->addLayout(OkCancelRow(this, kOk, kCancel, [this] { OnOk(); }));
    auto layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addLayout(seasons);
    layout->addLayout(vatRow);
    m_name->setFocus();
}

void CConventionDlg::OnOk()
{
    if (m_name->text().isEmpty()) {
        LodgixMessageBox(this, kConventionNameInvalidString, QMessageBox::Critical);
        return;
    }
    std::size_t slot = 0;
    for (const SeasonGroup& group : kGroups) {
        for (Treatment treatment : kTreatments)
            m_convention.prices.Price(group.season, treatment) = MoneyOf(m_prices[slot++]->GetValue());
    }
    m_convention.vat = RateOf(m_vat->GetValue());
    m_convention.label = m_name->text();
    accept();
}

}  // namespace lodgix
