#include "contactimportdlg.h"

#include "contacteditdlg.h"
#include "contactlist.h"
#include "contactsource.h"
#include "dialogbuttons.h"
#include "dialogowndatabase.h"
#include "owncountrycode.h"
#include "pbxdisplaynames.h"
#include "sortlistctrl.h"
#include "sqldatabase.h"
#include "stringtable.h"
#include "wabimport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

namespace {

constexpr unsigned kCaption = 10087;
constexpr unsigned kImportText = 10067;
constexpr unsigned kAddText = 10068;
constexpr unsigned kCancelText = 10050;
constexpr unsigned kMailSourceText = 10084;
constexpr unsigned kBookSourceText = 10085;
constexpr unsigned kDefaultFolderText = 10086;
constexpr unsigned kImportFailed = 10088;
constexpr unsigned kUpdateQuestion = 10092;
constexpr unsigned kOverwriteText = 10093;
constexpr unsigned kShareText = 10094;
constexpr unsigned kLetOthersChangeText = 10095;
constexpr unsigned kNewContactText = 10096;
constexpr unsigned kEditText = 10099;
constexpr unsigned kNewNameText = 10132;
constexpr int kNumberColumn = 12;  // Ufficio 1
constexpr int kWidth = 1000;
constexpr int kHeight = 480;
const QString kQuestionEnd = QStringLiteral("\"?");
const QString kCsvFilter = QStringLiteral("*.csv");

// The texts of the address book's fields, in the list's column order.
constexpr std::uint32_t kBookTags[ContactList::kTexts] = {
    CWabImport::kDisplayName,          CWabImport::kStreetAddress,         CWabImport::kLocality,
    CWabImport::kStateOrProvince,      CWabImport::kPostalCode,            CWabImport::kCountry,
    CWabImport::kEmailAddress,         CWabImport::kPersonalHomePage,      CWabImport::kHomeTelephoneNumber,
    CWabImport::kHome2TelephoneNumber, CWabImport::kMobileTelephoneNumber, CWabImport::kCarTelephoneNumber,
    CWabImport::kBusinessTelephoneNumber, CWabImport::kBusiness2TelephoneNumber, CWabImport::kHomeFaxNumber,
    CWabImport::kBusinessFaxNumber};

// Cleans the eight numbers of a row; true when one is left.
bool CleanNumbers(QStringList& texts, const QString& countryCode)
{
    bool any = false;
    for (int column = ContactList::kFirstNumberColumn; column < ContactList::kTexts; ++column) {
        CleanPhoneNumber(texts[column], countryCode);
        any = any || !texts[column].isEmpty();
    }
    return any;
}

QStringList TextsOf(const ContactRecord& c)
{
    return {c.name, c.street, c.locality, c.province, c.postalCode, c.country, c.email, c.webPage,
            c.home, c.home2,  c.mobile,   c.car,      c.business,   c.business2, c.homeFax, c.businessFax};
}

}  // namespace

CContactImportDlg::CContactImportDlg(const QString& number, const ConsoleWindowContext& context, QWidget* parent)
    : QDialog(parent), m_number(number), m_database(std::make_unique<CSqlDatabase>()),
      m_list(new CSortListCtrl(this)), m_source(new QComboBox(this)),
      m_defaultFolder(new QCheckBox(LoadResString(kDefaultFolderText), this)),
      m_overwrite(new QCheckBox(LoadResString(kOverwriteText), this)),
      m_share(new QCheckBox(LoadResString(kShareText), this)),
      m_letOthersChange(new QCheckBox(LoadResString(kLetOthersChangeText), this)),
      m_add(IdButton(LoadResString(kAddText), kAddToAddressBook, this)),
      m_edit(IdButton(LoadResString(kEditText), kEdit, this))
{
    setObjectName(QStringLiteral("191"));
    setWindowTitle(LoadResString(kCaption));
    const bool connected = ConnectOwnDatabase(*this, *m_database, context);

    m_list->setObjectName(QString::number(kList));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ContactList::AddColumns(*m_list, ContactList::kTexts);
    m_source->setObjectName(QString::number(kSource));
    m_source->addItem(LoadResString(kMailSourceText));
    m_source->addItem(LoadResString(kBookSourceText));
    m_source->setCurrentIndex(kMailContacts);
    m_defaultFolder->setObjectName(QString::number(kDefaultFolder));
    m_defaultFolder->setChecked(true);
    m_overwrite->setObjectName(QString::number(kOverwrite));
    m_share->setObjectName(QString::number(kShare));
    m_share->setChecked(true);
    m_letOthersChange->setObjectName(QString::number(kLetOthersChange));
    m_letOthersChange->setChecked(true);
    m_add->setEnabled(false);
    QPushButton* import = IdButton(LoadResString(kImportText), kImport, this);
    QPushButton* newContact = IdButton(LoadResString(kNewContactText), kNewContact, this);
    QPushButton* cancel = IdButton(LoadResString(kCancelText), kCancel, this);

    connect(import, &QPushButton::clicked, this, &CContactImportDlg::OnImport);
    connect(m_add, &QPushButton::clicked, this, &CContactImportDlg::OnAddToAddressBook);
    connect(newContact, &QPushButton::clicked, this, &CContactImportDlg::OnNewContact);
    connect(m_edit, &QPushButton::clicked, this, &CContactImportDlg::OnEdit);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CContactImportDlg::OnSelectionChanged);

    auto sourceRow = new QHBoxLayout;
    sourceRow->addWidget(m_source);
    sourceRow->addWidget(m_defaultFolder);
    sourceRow->addStretch();
    sourceRow->addWidget(import);
    auto checks = new QVBoxLayout;
    checks->addWidget(m_overwrite);
    checks->addWidget(m_share);
    checks->addWidget(m_letOthersChange);
    auto bottom = new QHBoxLayout;
    bottom->addLayout(checks);
    bottom->addStretch();
    bottom->addWidget(newContact, 0, Qt::AlignBottom);
    bottom->addWidget(m_edit, 0, Qt::AlignBottom);
    bottom->addWidget(m_add, 0, Qt::AlignBottom);
    bottom->addWidget(cancel, 0, Qt::AlignBottom);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(sourceRow);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);
    resize(kWidth, kHeight);

    if (!connected || m_number.isEmpty())
        return;
    // A caller's number: its row, and the editor on it once the dialog runs.
    QStringList texts(ContactList::kTexts);
    texts[0] = LoadResString(kNewNameText);
    texts[kNumberColumn] = m_number;
    AppendRow(texts);
    m_list->topLevelItem(0)->setSelected(true);
    QTimer::singleShot(0, this, &CContactImportDlg::OnEdit);
}

CContactImportDlg::~CContactImportDlg() = default;

void CContactImportDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_columnsFitted) {
        ContactList::FitColumns(*m_list);
        m_columnsFitted = true;
    }
}

void CContactImportDlg::OnSelectionChanged()
{
    const qsizetype selected = ContactList::SelectedRows(*m_list).size();
    m_add->setEnabled(selected > 0);
    m_edit->setEnabled(selected == 1);
}

void CContactImportDlg::AppendRow(const QStringList& texts)
{
    const int row = m_list->InsertItem(m_list->ItemCount(), texts.value(0));
    for (int column = 1; column < ContactList::kTexts; ++column)
        m_list->SetItemText(row, column, texts.value(column));
}

void CContactImportDlg::OnImport()
{
    m_list->DeleteAllItems();
    m_add->setEnabled(false);
    const bool read = m_source->currentIndex() == kMailContacts ? ImportMailContacts() : ImportAddressBook();
    if (read)
        return;
    m_list->DeleteAllItems();
    QMessageBox::critical(this, LoadResString(ContactList::kProgramNameString), LoadResString(kImportFailed));
}

bool CContactImportDlg::ImportMailContacts()
{
    QString file = ContactSource::MailContactsPlace();
    if (!m_defaultFolder->isChecked()) {
        file = QFileDialog::getOpenFileName(this, LoadResString(kMailSourceText), QString(), kCsvFilter);
        if (file.isEmpty())
            return true;  // none chosen
    }
    const ContactReadResult read = ContactSource::ReadContactsExport(file);
    if (read.status == ContactReadResult::Status::NotContacts)
        return true;  // no contacts export: nothing to import
    if (read.status != ContactReadResult::Status::Read)
        return false;
    const QString countryCode = OwnCountryCode();
    for (const ContactRecord& contact : read.contacts) {
        QStringList texts = TextsOf(contact);
        if (!CleanNumbers(texts, countryCode) || texts[0].isEmpty())
            continue;
        // An internal address of the mail server ("[...]") is no e-mail address.
        if (texts[6].contains(u'[') && texts[6].contains(u']'))
            texts[6].clear();
        AppendRow(texts);
    }
    return true;
}

bool CContactImportDlg::ImportAddressBook()
{
    CWabImport book;
    std::uint16_t count = 0;
    if (!book.IsOpened() || book.ReadEntryIds(count) != CWabImport::kReadDone)
        return false;
    const QString countryCode = OwnCountryCode();
    QString lastName;
    for (std::uint16_t index = 0; index < count; ++index) {
        book.SelectEntry(index);
        book.ReadEntryProperties();
        QStringList texts;
        for (std::uint32_t tag : kBookTags)
            texts << book.GetTextProperty(tag);
        const bool numbered = CleanNumbers(texts, countryCode);
        // Consecutive entries of one name are one contact.
        if (texts[0].isEmpty() || texts[0] == lastName || !numbered)
            continue;
        lastName = texts[0];
        AppendRow(texts);
    }
    return true;
}

void CContactImportDlg::OnNewContact()
{
    CContactEditDlg editor(this);
    if (editor.exec() == QDialog::Accepted)
        AppendRow(editor.Fields());
}

void CContactImportDlg::OnEdit()
{
    const QList<int> rows = ContactList::SelectedRows(*m_list);
    if (rows.isEmpty())
        return;
    const int row = rows.first();
    CContactEditDlg editor(this);
    editor.SetFields(ContactList::RowTexts(*m_list, row));
    if (editor.exec() == QDialog::Accepted) {
        m_number.clear();
        const QStringList fields = editor.Fields();
        for (int column = 0; column < ContactList::kTexts; ++column)
            m_list->SetItemText(row, column, fields[column]);
    } else if (!m_number.isEmpty()) {
        reject();  // the caller's contact was dropped
    }
}

void CContactImportDlg::OnAddToAddressBook()
{
    for (int row : ContactList::SelectedRows(*m_list))
        SaveRow(row);
    accept();
}

void CContactImportDlg::SaveRow(int row)
{
    const QStringList texts = ContactList::RowTexts(*m_list, row);
    bool overwrite = m_overwrite->isChecked();
    for (;;) {
        QString found;
        const int result = m_database->SaveContact(texts, m_share->isChecked(), m_letOthersChange->isChecked(),
                                                   overwrite, QString(), found);
        if (result == 0)
            return;
        if (result == ContactList::kContactKept && !overwrite) {
            const auto answer =
                QMessageBox::question(this, LoadResString(ContactList::kProgramNameString),
                                      LoadResString(kUpdateQuestion) + texts[0] + kQuestionEnd,
                                      QMessageBox::Yes | QMessageBox::No);
            if (answer != QMessageBox::Yes)
                return;
            overwrite = true;
            continue;
        }
        ContactList::ShowRefusal(this, result, texts[0], found);
        return;
    }
}
