#include "officepluginconfiguration.h"

#include "callfilterrule.h"
#include "callfilterruledlg.h"
#include "consolewindowcontext.h"
#include "operatorsettingsrecords.h"
#include "stringtable.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr std::array<unsigned, 5> kCheckTexts{1201, 1202, 1203, 1204, 1205};
constexpr unsigned kNewText = 1206;
constexpr unsigned kEditText = 1207;
constexpr unsigned kDeleteText = 1208;
constexpr unsigned kNumberHeading = 1022;
constexpr unsigned kActionHeading = 1209;
constexpr unsigned kRejectText = 1176;
constexpr unsigned kTransferText = 1210;
constexpr qsizetype kFlagBytes = 4;

QPushButton* Button(QWidget* parent, int id, unsigned text)
{
    auto button = new QPushButton(LoadResString(text), parent);
    button->setObjectName(QString::number(id));
    return button;
}

}  // namespace

COfficePluginConfiguration::COfficePluginConfiguration(CSystemConfiguration& sheet)
    : CSettingsPage(sheet), m_list(NewList(kList, false)), m_new(Button(this, kNew, kNewText)),
      m_edit(Button(this, kEdit, kEditText)), m_delete(Button(this, kDelete, kDeleteText))
{
    setObjectName(QStringLiteral("507"));
    auto layout = new QVBoxLayout(this);
    for (std::size_t bit = 0; bit < kChecks.size(); ++bit)
        layout->addWidget(NewCheck(kChecks[bit], kCheckTexts[bit]));
    layout->addWidget(m_list, 1);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_new);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_delete);
    layout->addLayout(buttons);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        const bool selected = FirstSelectedRow() >= 0;
        m_edit->setEnabled(selected);
        m_delete->setEnabled(selected);
    });
    connect(m_new, &QPushButton::clicked, this, &COfficePluginConfiguration::OnNew);
    connect(m_edit, &QPushButton::clicked, this, &COfficePluginConfiguration::OnEdit);
    connect(m_delete, &QPushButton::clicked, this, &COfficePluginConfiguration::OnDelete);
}

void COfficePluginConfiguration::OnInitDialog()
{
    const std::uint8_t flags = Records().office.Flags();
    for (std::size_t bit = 0; bit < kChecks.size(); ++bit)
        findChild<QCheckBox*>(QString::number(kChecks[bit]))->setChecked((flags >> bit) & 1);
    m_list->setHeaderLabels({LoadResString(kNumberHeading), LoadResString(kActionHeading)});
    SetColumnWidths(*m_list, {1, 3}, 4);
    FillList();
}

void COfficePluginConfiguration::FillList()
{
    m_list->clear();
    const OfficePluginSettings& office = Records().office;
    for (int index = 0; index < std::min(office.RuleCount(), OfficePluginSettings::kMaxRules); ++index) {
        const CallFilterRule rule = CallFilterRule::Read(office.Rule(index));
        QString action;
        switch (rule.action) {
        case CallFilterRule::kReject: action = LoadResString(kRejectText); break;
        case CallFilterRule::kTransferToExtension:
            action = LoadResString(kTransferText) + u' ' + Context().ExtensionName(rule.argument.toInt());
            break;
        default: action = LoadResString(kTransferText) + u' ' + rule.argument; break;
        }
        auto item = new QTreeWidgetItem(m_list, {rule.pattern, action});
        item->setToolTip(0, rule.pattern);
        item->setToolTip(1, action);
    }
    m_edit->setEnabled(false);
    m_delete->setEnabled(false);
    m_new->setEnabled(office.RuleCount() < OfficePluginSettings::kMaxRules);
}

int COfficePluginConfiguration::FirstSelectedRow() const
{
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        if (m_list->topLevelItem(row)->isSelected())
            return row;
    }
    return -1;
}

void COfficePluginConfiguration::OnNew()
{
    OfficePluginSettings& office = Records().office;
    const int count = office.RuleCount();
    if (count >= OfficePluginSettings::kMaxRules)
        return;
    CallFilterRule rule;
    CCallFilterRuleDlg dialog(rule, Context());
    if (dialog.exec() != QDialog::Accepted)
        return;
    office.SetRule(count, rule.Write());
    office.SetRuleCount(count + 1);
    FillList();
}

void COfficePluginConfiguration::OnEdit()
{
    const int row = FirstSelectedRow();
    if (row < 0)
        return;
    OfficePluginSettings& office = Records().office;
    CallFilterRule rule = CallFilterRule::Read(office.Rule(row));
    CCallFilterRuleDlg dialog(rule, Context());
    if (dialog.exec() != QDialog::Accepted)
        return;
    office.SetRule(row, rule.Write());
    FillList();
}

void COfficePluginConfiguration::OnDelete()
{
    const int row = FirstSelectedRow();
    if (row < 0)
        return;
    OfficePluginSettings& office = Records().office;
    const int count = office.RuleCount();
    for (int index = row; index + 1 < count; ++index)
        office.SetRule(index, office.Rule(index + 1));
    office.SetRule(count - 1, QByteArray(OfficePluginSettings::kRuleSize, '\0'));
    office.SetRuleCount(count - 1);
    FillList();
}

void COfficePluginConfiguration::OnApply()
{
    std::uint8_t flags = 0;
    for (std::size_t bit = 0; bit < kChecks.size(); ++bit) {
        if (findChild<QCheckBox*>(QString::number(kChecks[bit]))->isChecked())
            flags |= static_cast<std::uint8_t>(1u << bit);
    }
    // The flags are a double word of which these five bits are all that is used.
    QByteArray& bytes = Records().office.Bytes();
    bytes.replace(0, kFlagBytes, QByteArray(kFlagBytes, '\0'));
    Records().office.SetFlags(flags);
}
