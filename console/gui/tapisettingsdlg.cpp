#include "tapisettingsdlg.h"

#include "configurationbox.h"
#include "consoleicon.h"
#include "contactsource.h"
#include "enginesettings.h"
#include "engineerrorcode.h"
#include "enginesettingsfile.h"
#include "stringtable.h"

#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr unsigned kTitleString = 10076;
constexpr unsigned kHandlerStrings[] = {10077, 10078};  // the driver product's popup, another program
constexpr unsigned kSourceStrings[] = {10085, 10099};   // the mail program's contacts, the address book
constexpr unsigned kFolderStrings[] = {10094, 10095};   // the default contacts, a file the user picks
constexpr unsigned kColumnStrings[] = {10079, 10080, 10081, 10082, 10083};
constexpr unsigned kImportString = 10084;
constexpr unsigned kApplyString = 10086;
constexpr unsigned kCancelString = 10087;
constexpr unsigned kImportErrorString = 10088;
constexpr unsigned kSyncString = 10090;
constexpr unsigned kEmptyString = 10093;
constexpr unsigned kRingString = 1109;
constexpr unsigned kPickFileString = 10906;
constexpr unsigned kSettingsNotSavedString = 10902;
constexpr int kDefaultFolder = 0;
constexpr int kListWidth = 560;
constexpr int kListHeight = 220;
// Each column takes a fifth of the list, less this much.
constexpr int kColumnMargin = 4;

QString Id(int id) { return QString::number(id); }

template <std::size_t N>
QComboBox* MakeCombo(int id, const unsigned (&items)[N], int selected)
{
    auto combo = new QComboBox;
    combo->setObjectName(Id(id));
    for (unsigned text : items)
        combo->addItem(LoadResString(text));
    combo->setCurrentIndex(selected);
    return combo;
}

QPushButton* MakeButton(int id, unsigned text)
{
    auto button = new QPushButton(LoadResString(text));
    button->setObjectName(Id(id));
    return button;
}

QCheckBox* MakeCheck(int id, unsigned text, bool checked)
{
    auto check = new QCheckBox(LoadResString(text));
    check->setObjectName(Id(id));
    check->setChecked(checked);
    return check;
}

}  // namespace

CTapiSettingsDlg::CTapiSettingsDlg(CContactCache& contacts, EngineSettings& settings, QWidget* parent)
    : QDialog(parent), m_contacts(contacts), m_settings(settings)
{
    setWindowTitle(LoadResString(kTitleString));
    setWindowIcon(ConsoleIcon());

    m_handler = MakeCombo(kHandlerCombo, kHandlerStrings, settings.incomingCallHandler != 0 ? 1 : 0);
    m_source = MakeCombo(kSourceCombo, kSourceStrings, settings.addressBookSource != 0 ? 1 : 0);
    m_folder = MakeCombo(kFolderCombo, kFolderStrings, kDefaultFolder);

    m_list = new QTreeWidget;
    m_list->setObjectName(Id(kContactsList));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(kColumnCount);
    m_list->header()->setStretchLastSection(false);
    QStringList headers;
    for (unsigned text : kColumnStrings)
        headers << LoadResString(text);
    m_list->setHeaderLabels(headers);
    for (int column = 0; column < kColumnCount; ++column)
        m_list->headerItem()->setTextAlignment(column, Qt::AlignLeft | Qt::AlignVCenter);
    m_list->setMinimumSize(kListWidth, kListHeight);

    m_sync = MakeCheck(kSyncCheck, kSyncString, settings.skipAddressBookSync == 0);
    m_ring = MakeCheck(kRingCheck, kRingString, settings.ringSoundOff == 0);

    auto import = MakeButton(kImportButton, kImportString);
    auto empty = MakeButton(kEmptyButton, kEmptyString);
    auto apply = MakeButton(kApplyButton, kApplyString);
    auto cancel = MakeButton(kCancelButton, kCancelString);
    apply->setDefault(true);
    connect(import, &QPushButton::clicked, this, &CTapiSettingsDlg::OnImport);
    connect(empty, &QPushButton::clicked, this, &CTapiSettingsDlg::OnEmpty);
    connect(apply, &QPushButton::clicked, this, &CTapiSettingsDlg::OnApply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto source = new QHBoxLayout;
    source->addWidget(m_source, 1);
    source->addWidget(m_folder, 1);
    source->addWidget(import);
    source->addWidget(empty);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(cancel);

    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_handler);
    layout->addLayout(source);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_sync);
    layout->addWidget(m_ring);
    layout->addLayout(buttons);

    FillList();
}

void CTapiSettingsDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    SizeColumns();
}

void CTapiSettingsDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    SizeColumns();
}

void CTapiSettingsDlg::SizeColumns()
{
    const int width = m_list->width() / kColumnCount - kColumnMargin;
    for (int column = 0; column < kColumnCount; ++column)
        m_list->setColumnWidth(column, width);
}

void CTapiSettingsDlg::FillList()
{
    m_list->clear();
    for (int contact = 0; contact < m_contacts.ContactCount(); ++contact) {
        new QTreeWidgetItem(m_list, {m_contacts.GetContactName(contact), m_contacts.GetHomeNumber(contact),
                                     m_contacts.GetMobileNumber(contact), m_contacts.GetOfficeNumber(contact),
                                     m_contacts.GetOfficeFaxNumber(contact)});
    }
}

QString CTapiSettingsDlg::PickContactsFile()
{
    if (m_pickFile)
        return m_pickFile();
    const QString start = QFileInfo(ContactSource::MailContactsPlace()).absolutePath();
    return QFileDialog::getOpenFileName(this, LoadResString(kPickFileString), start, QStringLiteral("CSV (*.csv);;* (*)"));
}

void CTapiSettingsDlg::OnImport()
{
    int added = 0;
    int result = CContactCache::kImportDone;
    QString place;
    if (m_source->currentIndex() == EngineSettings::kSourceAddressBook) {
        place = ContactSource::AddressBookPlace();
        result = m_contacts.ImportFromWab(added);
    } else {
        const bool defaultFolder = m_folder->currentIndex() == kDefaultFolder;
        if (defaultFolder)
            place = ContactSource::MailContactsPlace();
        result = m_contacts.ImportFromOutlook(added, defaultFolder, [this, &place] {
            place = PickContactsFile();
            return place;
        });
    }
    // A broken file keeps the contacts read before the fault: the list shows what the cache holds.
    FillList();
    if (result == CContactCache::kImportDone)
        return;
    // The user learns where the import looked, so that the file can be put there.
    QString text = LoadResString(kImportErrorString);
    if (!place.isEmpty())
        text += u'\n' + QDir::toNativeSeparators(place);
    QMessageBox box(QMessageBox::Critical, LoadResString(kErrorCaptionString), text, QMessageBox::Ok, this);
    box.exec();
}

void CTapiSettingsDlg::OnApply()
{
    m_settings.skipAddressBookSync = m_sync->isChecked() ? 0 : 1;
    m_settings.ringSoundOff = m_ring->isChecked() ? 0 : 1;
    m_settings.incomingCallHandler = static_cast<std::uint8_t>(m_handler->currentIndex());
    m_settings.addressBookSource = static_cast<std::uint8_t>(m_source->currentIndex());
    QString problem;
    if (SaveEngineSettings(m_settings, EngineSettingsPath(), &problem) == 0) {
        // The choices stay in the dialog, so that the user can try again or cancel.
        ShowEngineErrorBox(this, kSettingsNotSavedString, kWriteFailed, problem);
        return;
    }
    accept();
}

void CTapiSettingsDlg::OnEmpty()
{
    m_contacts.ClearAndDeleteFile();
    FillList();
}
