#include "service3pluginconfiguration.h"

#include "consolewindowcontext.h"
#include "installationsettings.h"
#include "operatorsettingsrecords.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr std::array<unsigned, 4> kCheckTexts{1248, 1249, 1250, 1255};

}  // namespace

bool ShowsSimulatorNotice(const ConsoleWindowContext& context)
{
    return context.installation && context.installation->IsLoaded() &&
           context.installation->InstallationMode() == InstallationSettings::kModeSimulation;
}

CService3PluginConfiguration::CService3PluginConfiguration(CSystemConfiguration& sheet)
    : CSettingsPage(sheet), m_notice(NewNotice(kNotice))
{
    setObjectName(QStringLiteral("508"));
    auto layout = new QVBoxLayout(this);
    for (std::size_t which = 0; which < kChecks.size(); ++which)
        layout->addWidget(NewCheck(kChecks[which], kCheckTexts[which]));
    layout->addStretch();
    layout->addWidget(m_notice);
}

void CService3PluginConfiguration::OnInitDialog()
{
    const QByteArray& bytes = Records().third.Bytes();
    for (std::size_t which = 0; which < kChecks.size(); ++which)
        findChild<QCheckBox*>(QString::number(kChecks[which]))->setChecked(bytes.at(qsizetype(which)) != 0);
    m_notice->setText(ShowsSimulatorNotice(Context()) ? QStringLiteral("SIMULATOR") : QString());
}

void CService3PluginConfiguration::OnApply()
{
    QByteArray& bytes = Records().third.Bytes();
    for (std::size_t which = 0; which < kChecks.size(); ++which)
        bytes[qsizetype(which)] = findChild<QCheckBox*>(QString::number(kChecks[which]))->isChecked() ? 1 : 0;
}
