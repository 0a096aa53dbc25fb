#include "systemlabel.h"

#include "configurationbox.h"
#include "consolelabels.h"
#include "engineerrorcode.h"
#include "globalconfiguration.h"
#include "labeldlg.h"
#include "pbxinitialization.h"
#include "sqldatabase.h"
#include "stringtable.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr unsigned kLabelsString = 10016;
constexpr unsigned kLabelNotSavedString = 10904;
constexpr unsigned kExtensionsString = 1013;
constexpr unsigned kLinesString = 10057;
constexpr unsigned kEntryPhonesString = 10058;
constexpr unsigned kAlarmsString = 1092;
constexpr unsigned kRelaysString = 1093;
constexpr unsigned kModifyString = 10041;
constexpr unsigned kLinePrefixString = 1026;
constexpr unsigned kEntryPhonePrefixString = 1027;
const QString kUnreadExtensionPrefix = QStringLiteral("I.");
constexpr int kListWidth = 420;

// Bytes of the initialization record: how many objects of each kind the PBX handles and how many it
// found; the page lists the smaller count.
struct ObjectCounts {
    int handled;
    int found;
};

ObjectCounts CountsOf(int kind)
{
    switch (kind) {
    case CSystemLabel::kLines: return {3, 4};
    case CSystemLabel::kEntryPhones: return {5, 6};
    case CSystemLabel::kRelays: return {7, 8};
    default: return {1, 2};  // extensions and their alarms
    }
}

}  // namespace

CSystemLabel::CSystemLabel(CGlobalConfiguration& sheet, int kind, QWidget* parent)
    : QWidget(parent), m_sheet(sheet), m_kind(kind)
{
    setObjectName(QStringLiteral("501"));
    m_pbxCombo = new QComboBox;
    m_pbxCombo->setObjectName(QStringLiteral("1050"));
    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("1046"));
    m_list->setRootIsDecorated(false);
    m_list->setMinimumWidth(kListWidth);
    const unsigned objectColumn = kind == kLines ? kLinesString
                                : kind == kEntryPhones ? kEntryPhonesString : kExtensionsString;
    m_list->setHeaderLabels({LoadResString(objectColumn), LoadResString(kLabelsString)});
    // Lines give their names a third of the width; the other kinds a quarter.
    m_list->setColumnWidth(0, kind == kLines ? kListWidth / 3 : kListWidth / 4);
    m_list->header()->setStretchLastSection(true);
    m_modify = new QPushButton(LoadResString(kModifyString));
    m_modify->setObjectName(QStringLiteral("1049"));
    m_modify->setAutoDefault(false);

    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_pbxCombo);
    layout->addWidget(m_list);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_modify);
    layout->addLayout(buttons);

    if (CSqlDatabase* database = sheet.Database())
        for (int pbx = 0; pbx < database->PbxCount(); ++pbx)
            m_pbxCombo->addItem(database->PbxIdentifier(pbx));
    m_pbxCombo->setCurrentIndex(m_pbxCombo->count() > 0 ? 0 : -1);
    connect(m_pbxCombo, &QComboBox::currentIndexChanged, this, &CSystemLabel::Refill);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_modify->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(m_modify, &QPushButton::clicked, this, &CSystemLabel::ModifyLabel);
    Refill();
}

QString CSystemLabel::Title() const
{
    const unsigned kindString = m_kind == kLines ? kLinesString
                              : m_kind == kEntryPhones ? kEntryPhonesString
                              : m_kind == kAlarms ? kAlarmsString
                              : m_kind == kRelays ? kRelaysString : kExtensionsString;
    return LoadResString(kLabelsString) + u' ' + LoadResString(kindString);
}

void CSystemLabel::Refill()
{
    m_list->clear();
    m_modify->setEnabled(false);
    CSqlDatabase* database = m_sheet.Database();
    const int pbx = m_pbxCombo->currentIndex();
    QByteArray initialization;
    QByteArray configuration;
    if (!database || pbx < 0 || database->ReadInitialization(pbx, initialization) != kNoError ||
        database->ReadSystemConfiguration(pbx, configuration) != kNoError)
        return;
    const ObjectCounts bytes = CountsOf(m_kind);
    const int count = std::min(quint8(initialization.at(bytes.handled)), quint8(initialization.at(bytes.found)));
    for (int index = 0; index < count; ++index) {
        QString name;
        switch (m_kind) {
        case kLines: name = LoadResString(kLinePrefixString) + QString::number(index + 1); break;
        case kEntryPhones: name = LoadResString(kEntryPhonePrefixString) + QString::number(index + 1); break;
        case kRelays: name = LoadResString(kRelaysString) + QString::number(index + 1); break;
        default: {
            QByteArray programming;
            name = database->ReadDerivedProgrammation(pbx, index, programming) == kNoError
                       ? ExtensionNumberName(index, initialization, configuration, programming)
                       : kUnreadExtensionPrefix + QString::number(index + 1);
        }
        }
        auto item = new QTreeWidgetItem(m_list, {name, StoredLabel(pbx, index)});
        item->setData(0, Qt::UserRole, index);
    }
}

QString CSystemLabel::StoredLabel(int pbx, int index) const
{
    CSqlDatabase& database = *m_sheet.Database();
    switch (m_kind) {
    case kLines: return database.GetLineLabel(pbx, index);
    case kEntryPhones: return database.GetEntryPhoneLabel(pbx, index);
    case kRelays: return database.GetRelayLabel(pbx, index);
    case kAlarms: return database.GetAlarmLabel(pbx, index);
    default: return database.GetDerivedLabel(pbx, index);
    }
}

int CSystemLabel::SaveLabel(int pbx, int index, const QString& text) const
{
    CSqlDatabase& database = *m_sheet.Database();
    switch (m_kind) {
    case kLines: return database.SaveLineLabel(pbx, index, text);
    case kEntryPhones: return database.SaveEntryPhoneLabel(pbx, index, text);
    case kRelays: return database.SaveRelayLabel(pbx, index, text);
    case kAlarms: return database.SaveAlarmLabel(pbx, index, text);
    default: return database.SaveDerivedLabel(pbx, index, text);
    }
}

void CSystemLabel::ModifyLabel()
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    const int pbx = m_pbxCombo->currentIndex();
    if (selected.isEmpty() || pbx < 0)
        return;
    QTreeWidgetItem* item = selected.first();
    const QString name = item->text(0);
    const int index = item->data(0, Qt::UserRole).toInt();
    QString label = item->text(1);
    for (;;) {
        CLabelDlg dialog(name, label, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        const int result = SaveLabel(pbx, index, dialog.Label());
        if (result == kNoError)
            break;
        // The user sees why, and gets the label back as typed to try again or cancel.
        ShowEngineErrorBox(this, kLabelNotSavedString, std::uint8_t(result), m_sheet.Database()->LastError());
        label = dialog.Label();
    }
    Refill();
}
