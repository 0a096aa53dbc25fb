#include "alarmconfiguration.h"

#include "consolewindowcontext.h"
#include "operatorconsolestate.h"
#include "operatorsettingsrecords.h"
#include "stringtable.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr unsigned kApplyText = 1038;
constexpr unsigned kEnableText = 10023;
constexpr unsigned kDisableText = 10024;
constexpr unsigned kLabelHeading = 1041;
constexpr unsigned kAlarmFromText = 1025;
constexpr int kEnableChoice = 0;
const QString kOnMark = QStringLiteral("X");

}  // namespace

CAlarmConfiguration::CAlarmConfiguration(CSystemConfiguration& sheet)
    : CSettingsPage(sheet), m_list(NewList(kList, true)), m_choice(new QComboBox(this)),
      m_apply(new QPushButton(this))
{
    setObjectName(QStringLiteral("503"));
    m_choice->setObjectName(QString::number(kChoice));
    m_apply->setObjectName(QString::number(kApply));
    auto row = new QHBoxLayout;
    row->addWidget(m_choice);
    row->addStretch();
    row->addWidget(m_apply);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(row);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_apply->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(m_apply, &QPushButton::clicked, this, &CAlarmConfiguration::OnApplyToSelection);
}

void CAlarmConfiguration::OnInitDialog()
{
    m_apply->setText(LoadResString(kApplyText));
    m_choice->addItem(LoadResString(kEnableText));
    m_choice->addItem(LoadResString(kDisableText));
    m_choice->setCurrentIndex(kEnableChoice);
    m_list->setHeaderLabels({LoadResString(kLabelHeading), LoadResString(kEnableText)});
    m_list->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    SetColumnWidths(*m_list, {1, 1}, 2);
    FillList();
}

int CAlarmConfiguration::ExtensionCount() const
{
    const OperatorConsoleState* state = Context().state;
    return state ? std::min(state->tables.Counts().extensions, MainSettings::kObjects) : 0;
}

void CAlarmConfiguration::FillList()
{
    m_list->clear();
    const QString prefix = LoadResString(kAlarmFromText) + u' ';
    for (int index = 0; index < ExtensionCount(); ++index) {
        auto item = new QTreeWidgetItem(m_list);
        item->setText(0, prefix + Context().ExtensionName(index));
        item->setToolTip(0, item->text(0));
        item->setText(1, Records().main.AlarmEnabled(index) != 0 ? kOnMark : QString());
        item->setTextAlignment(1, Qt::AlignCenter);
    }
    m_apply->setEnabled(false);
}

void CAlarmConfiguration::OnShown() { m_apply->setEnabled(false); }

void CAlarmConfiguration::OnApplyToSelection()
{
    const std::uint8_t value = m_choice->currentIndex() == kEnableChoice ? kSwitchedOnByApply : 0;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        if (m_list->topLevelItem(row)->isSelected())
            Records().main.SetAlarmEnabled(row, value);
    }
    FillList();
}

void CAlarmConfiguration::OnApply()
{
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        Records().main.SetAlarmEnabled(row, m_list->topLevelItem(row)->text(1).isEmpty() ? 0 : 1);
}
