#include "otherconfiguration.h"

#include "operatorsettingsrecords.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace {

constexpr unsigned kKeypadAtStartText = 1060;
constexpr unsigned kKeypadOnToolbarText = 1061;
constexpr unsigned kStartOnTaskBarText = 1062;
constexpr unsigned kMissedCallsText = 1259;
constexpr unsigned kHotelModeText = 1262;

}  // namespace

COtherConfiguration::COtherConfiguration(CSystemConfiguration& sheet) : CSettingsPage(sheet)
{
    setObjectName(QStringLiteral("505"));
    auto layout = new QVBoxLayout(this);
    layout->addWidget(NewCheck(kMissedCalls, kMissedCallsText));
    layout->addWidget(NewCheck(kKeypadAtStart, kKeypadAtStartText));
    layout->addWidget(NewCheck(kKeypadOnToolbar, kKeypadOnToolbarText));
    layout->addWidget(NewCheck(kStartOnTaskBar, kStartOnTaskBarText));
    layout->addWidget(NewCheck(kHotelMode, kHotelModeText));
    layout->addStretch();
}

bool COtherConfiguration::Checked(int id) const { return findChild<QCheckBox*>(QString::number(id))->isChecked(); }

void COtherConfiguration::SetChecked(int id, bool checked)
{
    findChild<QCheckBox*>(QString::number(id))->setChecked(checked);
}

void COtherConfiguration::OnInitDialog()
{
    const MainSettings& main = Records().main;
    SetChecked(kMissedCalls, main.PopupOption() == 0);
    SetChecked(kKeypadAtStart, main.OpenPcPhoneAtStart() != 0);
    SetChecked(kKeypadOnToolbar, main.PcPhoneOption() != 0);
    SetChecked(kStartOnTaskBar, main.StartMinimised() != 0);
    SetChecked(kHotelMode, main.CheckInManagement() != 0);
}

void COtherConfiguration::OnApply()
{
    MainSettings& main = Records().main;
    main.SetOpenPcPhoneAtStart(Checked(kKeypadAtStart) ? 1 : 0);
    main.SetPcPhoneOption(Checked(kKeypadOnToolbar) ? 1 : 0);
    main.SetStartMinimised(Checked(kStartOnTaskBar) ? 1 : 0);
    main.SetCheckInManagement(Checked(kHotelMode) ? 1 : 0);
    main.SetPopupOption(Checked(kMissedCalls) ? 0 : 1);
}
