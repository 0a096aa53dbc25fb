#include "toolbarconfiguration.h"

#include "operatorsettingsrecords.h"
#include "stringtable.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr unsigned kApplyText = 1038;
constexpr unsigned kLabelText = 1041;
constexpr unsigned kNumberText = 1022;
constexpr unsigned kHangUpHeading = 1082;
constexpr unsigned kSystemHeading = 1091;
constexpr unsigned kHangUpText = 1083;
constexpr unsigned kSystemText = 1090;
constexpr int kLabelStatic = 1108;
constexpr int kNumberStatics[] = {1111, 1113, 1115};
// Columns: row number, label, three numbers, hang-up and system marks; widths in twenty-fifths.
constexpr int kLabelColumn = 1;
constexpr int kFirstNumberColumn = 2;
constexpr int kHangUpColumn = 5;
constexpr int kSystemColumn = 6;
const QList<int> kColumnParts{1, 4, 4, 4, 4, 4, 4};
constexpr int kColumnWhole = 25;
constexpr int kSystemFlag = 0;  // byte 48
constexpr int kHangUpFlag = 1;  // byte 49
const QString kSetMark = QStringLiteral("X");

QString NumberLabel(int which) { return LoadResString(kNumberText) + u' ' + QString::number(which + 1); }

}  // namespace

CToolbarConfiguration::CToolbarConfiguration(CSystemConfiguration& sheet)
    : CSettingsPage(sheet), m_list(NewList(kList, false)), m_label(new QLineEdit(this)),
      m_apply(new QPushButton(this))
{
    setObjectName(QStringLiteral("504"));
    m_label->setObjectName(QString::number(kLabel));
    m_label->setMaxLength(kLabelMaxLength);
    m_apply->setObjectName(QString::number(kApply));
    auto fields = new QGridLayout;
    fields->addWidget(NewLabel(kLabelStatic, kLabelText), 0, 0);
    fields->addWidget(m_label, 0, 1);
    for (int which = 0; which < ToolbarSettings::kNumbers; ++which) {
        auto label = new QLabel(NumberLabel(which), this);
        label->setObjectName(QString::number(kNumberStatics[which]));
        m_numbers[which] = new QLineEdit(this);
        m_numbers[which]->setObjectName(QString::number(kNumbers[which]));
        m_numbers[which]->setMaxLength(kNumberMaxLength);
        fields->addWidget(label, which + 1, 0);
        fields->addWidget(m_numbers[which], which + 1, 1);
    }
    m_hangUp = NewCheck(kHangUp, kHangUpText);
    m_system = NewCheck(kSystem, kSystemText);
    auto checks = new QHBoxLayout;
    checks->addWidget(m_hangUp);
    checks->addWidget(m_system);
    checks->addStretch();
    checks->addWidget(m_apply);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(fields);
    layout->addLayout(checks);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CToolbarConfiguration::OnSelection);
    connect(m_apply, &QPushButton::clicked, this, &CToolbarConfiguration::OnApplyToSelection);
}

void CToolbarConfiguration::OnInitDialog()
{
    m_apply->setText(LoadResString(kApplyText));
    m_list->setHeaderLabels({QString(), LoadResString(kLabelText), NumberLabel(0), NumberLabel(1), NumberLabel(2),
                             LoadResString(kHangUpHeading), LoadResString(kSystemHeading)});
    m_list->headerItem()->setTextAlignment(kHangUpColumn, Qt::AlignCenter);
    m_list->headerItem()->setTextAlignment(kSystemColumn, Qt::AlignCenter);
    SetColumnWidths(*m_list, kColumnParts, kColumnWhole);
    FillList();
}

void CToolbarConfiguration::FillList()
{
    m_list->clear();
    const ToolbarSettings& toolbar = Records().toolbar;
    for (int row = 0; row < ToolbarSettings::kRows; ++row) {
        auto item = new QTreeWidgetItem(m_list);
        item->setText(0, QString::number(row + 1));
        item->setText(kLabelColumn, toolbar.Label(row));
        for (int which = 0; which < ToolbarSettings::kNumbers; ++which)
            item->setText(kFirstNumberColumn + which, toolbar.Number(row, which));
        item->setText(kHangUpColumn, toolbar.Flag(row, kHangUpFlag) ? kSetMark : QString());
        item->setText(kSystemColumn, toolbar.Flag(row, kSystemFlag) ? kSetMark : QString());
        item->setTextAlignment(kHangUpColumn, Qt::AlignCenter);
        item->setTextAlignment(kSystemColumn, Qt::AlignCenter);
        for (int column = kLabelColumn; column < kHangUpColumn; ++column)
            item->setToolTip(column, item->text(column));
    }
    ClearEdits();
}

void CToolbarConfiguration::ClearEdits()
{
    m_label->clear();
    for (QLineEdit* number : m_numbers)
        number->clear();
    m_hangUp->setChecked(false);
    m_system->setChecked(false);
    for (QWidget* control : std::initializer_list<QWidget*>{m_label, m_numbers[0], m_numbers[1], m_numbers[2],
                                                           m_hangUp, m_system, m_apply})
        control->setEnabled(false);
}

int CToolbarConfiguration::FirstSelectedRow() const
{
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        if (m_list->topLevelItem(row)->isSelected())
            return row;
    }
    return -1;
}

void CToolbarConfiguration::OnSelection()
{
    const int row = FirstSelectedRow();
    if (row < 0) {
        ClearEdits();
        return;
    }
    const ToolbarSettings& toolbar = Records().toolbar;
    m_label->setText(toolbar.Label(row));
    for (int which = 0; which < ToolbarSettings::kNumbers; ++which)
        m_numbers[which]->setText(toolbar.Number(row, which));
    m_hangUp->setChecked(toolbar.Flag(row, kHangUpFlag) != 0);
    m_system->setChecked(toolbar.Flag(row, kSystemFlag) != 0);
    for (QWidget* control : std::initializer_list<QWidget*>{m_label, m_numbers[0], m_numbers[1], m_numbers[2],
                                                           m_hangUp, m_system, m_apply})
        control->setEnabled(true);
}

void CToolbarConfiguration::OnShown() { ClearEdits(); }

void CToolbarConfiguration::OnApplyToSelection()
{
    const int row = FirstSelectedRow();
    if (row < 0)
        return;
    ToolbarSettings& toolbar = Records().toolbar;
    const QString label = m_label->text().left(kLabelMaxLength);
    if (label.isEmpty()) {
        toolbar.SetLabel(row, QString());
        for (int which = 0; which < ToolbarSettings::kNumbers; ++which)
            toolbar.SetNumber(row, which, QString());
        toolbar.SetFlag(row, kSystemFlag, 0);
        toolbar.SetFlag(row, kHangUpFlag, 0);
    } else {
        toolbar.SetLabel(row, label);
        for (int which = 0; which < ToolbarSettings::kNumbers; ++which)
            toolbar.SetNumber(row, which, m_numbers[which]->text().left(kNumberMaxLength));
        // System programming ends with a hang-up, whatever the hang-up check says.
        const bool system = m_system->isChecked();
        toolbar.SetFlag(row, kHangUpFlag, system || m_hangUp->isChecked() ? 1 : 0);
        toolbar.SetFlag(row, kSystemFlag, system ? 1 : 0);
    }
    FillList();
}

void CToolbarConfiguration::OnApply()
{
    ToolbarSettings& toolbar = Records().toolbar;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = m_list->topLevelItem(row);
        toolbar.SetLabel(row, item->text(kLabelColumn));
        for (int which = 0; which < ToolbarSettings::kNumbers; ++which)
            toolbar.SetNumber(row, which, item->text(kFirstNumberColumn + which));
    }
}
