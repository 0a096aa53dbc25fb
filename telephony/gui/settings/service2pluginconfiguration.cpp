#include "service2pluginconfiguration.h"

#include "consolewindowcontext.h"
#include "operatorsettingsrecords.h"
#include "pbxconnectiondlg.h"
#include "service3pluginconfiguration.h"
#include "sqldatabase.h"
#include "stringtable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr std::array<unsigned, 5> kCheckTexts{1230, 1234, 1233, 1232, 1231};
constexpr unsigned kNewText = 1206;
constexpr unsigned kEditText = 1207;
constexpr unsigned kDeleteText = 1208;
constexpr unsigned kListText = 1236;
constexpr unsigned kSecondPbxText = 1237;
constexpr unsigned kSourceHeading = 1238;
constexpr unsigned kDestinationHeading = 1239;
constexpr unsigned kAssociatedPbxText = 1240;
constexpr unsigned kRestartText = 1235;
constexpr unsigned kDeleteQuestion = 1244;
constexpr unsigned kProgramCaption = 1004;
constexpr int kListLabel = 1150;
constexpr int kSecondPbxLabel = 1152;
// The two connection lists: from the associated PBX to the second one, and back.
constexpr int kFromAssociated = 0;
constexpr int kFromSecond = 1;
constexpr int kSourceColumn = 0;
constexpr int kDestinationColumn = 1;

QPushButton* Button(QWidget* parent, int id, unsigned text)
{
    auto button = new QPushButton(LoadResString(text), parent);
    button->setObjectName(QString::number(id));
    return button;
}

QString End(unsigned pbxText, const char* object, int index)
{
    return u'(' + LoadResString(pbxText) + QStringLiteral(")(") + QLatin1StringView(object) +
           QString::number(index + 1) + u')';
}

}  // namespace

CService2PluginConfiguration::CService2PluginConfiguration(CSystemConfiguration& sheet)
    : CSettingsPage(sheet), m_secondPbx(new QComboBox(this)), m_list(NewList(kList, false)),
      m_new(Button(this, kNew, kNewText)), m_edit(Button(this, kEdit, kEditText)),
      m_delete(Button(this, kDelete, kDeleteText)), m_notice(NewNotice(kNotice))
{
    setObjectName(QStringLiteral("506"));
    m_secondPbx->setObjectName(QString::number(kSecondPbx));
    auto layout = new QVBoxLayout(this);
    // The checks stand in the order of their ids, not of their bits.
    std::array<std::pair<int, unsigned>, kChecks.size()> checks{};
    for (std::size_t bit = 0; bit < kChecks.size(); ++bit)
        checks[bit] = {kChecks[bit], kCheckTexts[bit]};
    std::sort(checks.begin(), checks.end());
    for (const auto& [id, text] : checks)
        layout->addWidget(NewCheck(id, text));
    auto pbxRow = new QHBoxLayout;
    pbxRow->addWidget(NewLabel(kSecondPbxLabel, kSecondPbxText));
    pbxRow->addWidget(m_secondPbx);
    pbxRow->addStretch();
    layout->addLayout(pbxRow);
    layout->addWidget(NewLabel(kListLabel, kListText));
    layout->addWidget(m_list, 1);
    auto buttons = new QHBoxLayout;
    buttons->addWidget(m_notice);
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
    connect(m_new, &QPushButton::clicked, this, &CService2PluginConfiguration::OnNew);
    connect(m_edit, &QPushButton::clicked, this, &CService2PluginConfiguration::OnEdit);
    connect(m_delete, &QPushButton::clicked, this, &CService2PluginConfiguration::OnDelete);
}

void CService2PluginConfiguration::OnInitDialog()
{
    const Service2PluginSettings& second = Records().second;
    const auto flags = static_cast<std::uint8_t>(second.Bytes().at(0));
    for (std::size_t bit = 0; bit < kChecks.size(); ++bit)
        findChild<QCheckBox*>(QString::number(kChecks[bit]))->setChecked((flags >> bit) & 1);
    const CSqlDatabase* database = Context().database;
    const int pbxCount = database ? database->PbxCount() : 0;
    for (int pbx = 0; pbx < pbxCount; ++pbx)
        m_secondPbx->addItem(database->PbxIdentifier(pbx));
    if (pbxCount > 0)
        m_secondPbx->setCurrentIndex(second.SecondPbx() < pbxCount ? second.SecondPbx() : 0);
    connect(m_secondPbx, &QComboBox::activated, this, [this] { m_pbxChosen = true; });
    m_list->setHeaderLabels({LoadResString(kSourceHeading), LoadResString(kDestinationHeading)});
    SetColumnWidths(*m_list, {1, 1}, 2);
    FillList();
    m_notice->setText(ShowsSimulatorNotice(Context()) ? QStringLiteral("SIMULATOR") : LoadResString(kRestartText));
}

void CService2PluginConfiguration::FillList()
{
    m_list->clear();
    const Service2PluginSettings& second = Records().second;
    for (const int direction : {kFromAssociated, kFromSecond}) {
        const unsigned sourcePbx = direction == kFromAssociated ? kAssociatedPbxText : kSecondPbxText;
        const unsigned destinationPbx = direction == kFromAssociated ? kSecondPbxText : kAssociatedPbxText;
        const int count = std::min(second.ListCount(direction), Service2PluginSettings::kListLength);
        for (int index = 0; index < count; ++index) {
            auto item = new QTreeWidgetItem(m_list);
            item->setText(0, End(sourcePbx, "L.", second.ListEntry(direction, kSourceColumn, index)));
            item->setText(1, End(destinationPbx, "I.", second.ListEntry(direction, kDestinationColumn, index)));
            const std::uint32_t data =
                static_cast<std::uint32_t>(index) | (direction == kFromSecond ? kSecondDirectionBit : 0u);
            item->setData(0, kItemDataRole, QVariant::fromValue<quint32>(data));
        }
    }
    m_new->setEnabled(second.ListCount(kFromAssociated) < Service2PluginSettings::kListLength &&
                      second.ListCount(kFromSecond) < Service2PluginSettings::kListLength);
    m_edit->setEnabled(false);
    m_delete->setEnabled(false);
}

int CService2PluginConfiguration::FirstSelectedRow() const
{
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        if (m_list->topLevelItem(row)->isSelected())
            return row;
    }
    return -1;
}

void CService2PluginConfiguration::OnNew()
{
    CPbxConnectionDlg dialog(false, 0, 0, 0, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Service2PluginSettings& second = Records().second;
    const int direction = dialog.SecondPbx() == 0 ? kFromAssociated : kFromSecond;
    const int count = second.ListCount(direction);
    if (count >= Service2PluginSettings::kListLength)
        return;
    second.SetListEntry(direction, kSourceColumn, count, dialog.SourceLine());
    second.SetListEntry(direction, kDestinationColumn, count, dialog.Destination());
    second.SetListCount(direction, count + 1);
    FillList();
}

void CService2PluginConfiguration::OnEdit()
{
    const int row = FirstSelectedRow();
    if (row < 0)
        return;
    const auto data = m_list->topLevelItem(row)->data(0, kItemDataRole).value<quint32>();
    const int direction = (data & kSecondDirectionBit) ? kFromSecond : kFromAssociated;
    const int index = static_cast<int>(data & ~kSecondDirectionBit);
    Service2PluginSettings& second = Records().second;
    CPbxConnectionDlg dialog(true, static_cast<std::uint8_t>(direction),
                             second.ListEntry(direction, kSourceColumn, index),
                             second.ListEntry(direction, kDestinationColumn, index), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    second.SetListEntry(direction, kSourceColumn, index, dialog.SourceLine());
    second.SetListEntry(direction, kDestinationColumn, index, dialog.Destination());
    FillList();
}

void CService2PluginConfiguration::OnDelete()
{
    const int row = FirstSelectedRow();
    if (row < 0)
        return;
    const auto answer = QMessageBox::question(this, LoadResString(kProgramCaption), LoadResString(kDeleteQuestion),
                                              QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    const auto data = m_list->topLevelItem(row)->data(0, kItemDataRole).value<quint32>();
    const int direction = (data & kSecondDirectionBit) ? kFromSecond : kFromAssociated;
    const int index = static_cast<int>(data & ~kSecondDirectionBit);
    Service2PluginSettings& second = Records().second;
    const int count = second.ListCount(direction);
    for (int position = index; position + 1 < count; ++position) {
        for (const int column : {kSourceColumn, kDestinationColumn})
            second.SetListEntry(direction, column, position, second.ListEntry(direction, column, position + 1));
    }
    for (const int column : {kSourceColumn, kDestinationColumn})
        second.SetListEntry(direction, column, count - 1, 0);
    second.SetListCount(direction, count - 1);
    FillList();
}

void CService2PluginConfiguration::OnApply()
{
    std::uint8_t flags = 0;
    for (std::size_t bit = 0; bit < kChecks.size(); ++bit) {
        if (findChild<QCheckBox*>(QString::number(kChecks[bit]))->isChecked())
            flags |= static_cast<std::uint8_t>(1u << bit);
    }
    Service2PluginSettings& second = Records().second;
    second.Bytes()[0] = static_cast<char>(flags);
    // Without a choice of the operator a second PBX that the list does not show stays as stored.
    const int selected = m_secondPbx->currentIndex();
    if (selected >= 0 && (m_pbxChosen || second.SecondPbx() < m_secondPbx->count()))
        second.SetSecondPbx(static_cast<std::uint8_t>(selected));
}
