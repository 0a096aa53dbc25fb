#include "deskform.h"

#include "engineerrorcode.h"
#include "hoteldatabase.h"
#include "lodgixdialog.h"
#include "numericedit.h"
#include "roomserviceoptions.h"
#include "stringtable.h"

#include <QComboBox>
#include <cmath>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

namespace lodgix {
namespace {

constexpr unsigned kNoGroupString = 2282;  // "Nessun gruppo"
const QString kDateFormat = QStringLiteral("dd/MM/yyyy");

}  // namespace

QLabel* DeskLabel(QWidget* parent, int id, const QString& text)
{
    auto label = new QLabel(text, parent);
    label->setObjectName(CLodgixDialog::Id(id));
    return label;
}

QPushButton* DeskButton(QWidget* parent, int id, const QString& text)
{
    auto button = new QPushButton(text, parent);
    button->setObjectName(CLodgixDialog::Id(id));
    button->setAutoDefault(false);
    return button;
}

QDateEdit* DeskDateEdit(QWidget* parent, int id)
{
    auto edit = new QDateEdit(parent);
    edit->setObjectName(CLodgixDialog::Id(id));
    edit->setDisplayFormat(kDateFormat);
    edit->setCalendarPopup(true);
    return edit;
}

CNumericEdit* DeskNumber(QWidget* parent, int id, int decimals, double minimum, double maximum)
{
    auto edit = new CNumericEdit(parent);
    edit->setObjectName(CLodgixDialog::Id(id));
    edit->SetFormat(decimals == 0 ? CNumericEdit::kInteger : CNumericEdit::kDecimals, static_cast<short>(decimals), 0);
    edit->SetRange(minimum, maximum);
    return edit;
}

void FillTreatmentCombo(QComboBox* combo)
{
    combo->clear();
    for (int index = 0; index < kTreatmentChoices; ++index)
        combo->addItem(TreatmentText(index));
    combo->setCurrentIndex(0);
}

void FillGroupCombo(QComboBox* combo, CHotelDatabase& database, int hotelId, int bookingGroup)
{
    combo->clear();
    combo->addItem(LoadResString(kNoGroupString), 0);
    std::vector<GroupListEntry> groups;
    if (database.LoadGroups(hotelId, bookingGroup, groups) == kNoError) {
        for (const GroupListEntry& entry : groups) {
            GroupRecord group;
            if (database.LoadGroup(entry.id, group) != kNoError)
                continue;
            const QString created = group.creationDate.IsValid() ? group.creationDate.Date().toString(kDateFormat) : QString();
            combo->addItem(QStringLiteral("%1 (%2)").arg(group.name, created), group.id);
        }
    }
    combo->setCurrentIndex(0);
}

bool SelectItemData(QComboBox* combo, int id)
{
    const int index = combo->findData(id);
    if (index < 0)
        return false;
    combo->setCurrentIndex(index);
    return true;
}

double EditValue(Money amount) { return static_cast<double>(amount.Cents()) / 100.0; }
double EditValue(VatRate rate) { return static_cast<double>(rate.Hundredths()) / 100.0; }
Money MoneyOfEdit(double value) { return Money::FromCents(std::llround(value * 100.0)); }
VatRate VatOfEdit(double value) { return VatRate::FromHundredths(std::llround(value * 100.0)); }

OleDate ToOleDate(const QDate& date)
{
    return OleDate(date.year(), date.month(), date.day());
}

QDate ToQDate(const OleDate& date)
{
    return date.Date();
}

}  // namespace lodgix
