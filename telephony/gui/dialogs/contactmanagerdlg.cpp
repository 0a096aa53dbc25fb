#include "contactmanagerdlg.h"

#include "contacteditdlg.h"
#include "contactimportdlg.h"
#include "contactlist.h"
#include "dialogbuttons.h"
#include "dialogowndatabase.h"
#include "sortlistctrl.h"
#include "sortlistrowsink.h"
#include "sqldatabase.h"
#include "stringtable.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>

namespace {

constexpr unsigned kCaption = 10114;
constexpr unsigned kSearchText = 10104;
constexpr unsigned kAddContactsText = 10087;
constexpr unsigned kDeleteText = 10109;
constexpr unsigned kLockText = 10110;
constexpr unsigned kUnlockText = 10111;
constexpr unsigned kUnshareText = 10112;
constexpr unsigned kShareText = 10113;
constexpr unsigned kEditText = 10099;
constexpr unsigned kCancelText = 10050;
constexpr unsigned kSureQuestion = 10116;
constexpr int kLocalBook = 0;
constexpr int kWidth = 1000;
constexpr int kHeight = 520;

bool Marked(const CSortListCtrl& list, int row, int column) { return list.ItemText(row, column) == ContactList::kMark; }

}  // namespace

CContactManagerDlg::CContactManagerDlg(const ConsoleWindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_database(std::make_unique<CSqlDatabase>()),
      m_list(new CSortListCtrl(this)), m_field(new QComboBox(this)), m_book(new QComboBox(this)),
      m_text(new QLineEdit(this)), m_delete(IdButton(LoadResString(kDeleteText), kDelete, this)),
      m_lock(IdButton(LoadResString(kUnlockText), kLock, this)),
      m_share(IdButton(LoadResString(kShareText), kShare, this)),
      m_edit(IdButton(LoadResString(kEditText), kEdit, this))
{
    setObjectName(QStringLiteral("190"));
    setWindowTitle(LoadResString(kCaption));
    ConnectOwnDatabase(*this, *m_database, context);

    m_list->setObjectName(QString::number(kList));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ContactList::AddColumns(*m_list, ContactList::kColumns);
    m_list->header()->setSectionsClickable(true);
    m_field->setObjectName(QString::number(kField));
    m_book->setObjectName(QString::number(kBook));
    ContactList::FillSearchCombos(*m_field, *m_book, kLocalBook);
    m_text->setObjectName(QString::number(kText));
    QPushButton* search = IdButton(LoadResString(kSearchText), kSearch, this);
    QPushButton* add = IdButton(LoadResString(kAddContactsText), kAddContacts, this);
    QPushButton* ok = IdButton(LoadResString(kOkButtonString), kOk, this);
    QPushButton* cancel = IdButton(LoadResString(kCancelText), kCancel, this);
    ResetButtons();

    connect(search, &QPushButton::clicked, this, &CContactManagerDlg::OnSearch);
    connect(add, &QPushButton::clicked, this, &CContactManagerDlg::OnAddContacts);
    connect(m_delete, &QPushButton::clicked, this, &CContactManagerDlg::OnDelete);
    connect(m_lock, &QPushButton::clicked, this, &CContactManagerDlg::OnLock);
    connect(m_share, &QPushButton::clicked, this, &CContactManagerDlg::OnShare);
    connect(m_edit, &QPushButton::clicked, this, &CContactManagerDlg::OnEdit);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CContactManagerDlg::OnSelectContact);
    connect(m_list->header(), &QHeaderView::sectionClicked, m_list, &CSortListCtrl::SortByColumn);

    auto searchRow = new QHBoxLayout;
    searchRow->addWidget(m_field);
    searchRow->addWidget(m_book);
    searchRow->addWidget(m_text, 1);
    searchRow->addWidget(search);
    auto commands = new QHBoxLayout;
    for (QPushButton* button : {add, m_edit, m_delete, m_lock, m_share})
        commands->addWidget(button);
    commands->addStretch();
    commands->addWidget(ok);
    commands->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(m_list, 1);
    layout->addLayout(commands);
    resize(kWidth, kHeight);
}

CContactManagerDlg::~CContactManagerDlg() = default;

void CContactManagerDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_columnsFitted) {
        ContactList::FitColumns(*m_list);
        m_columnsFitted = true;
    }
}

void CContactManagerDlg::ResetButtons()
{
    m_lock->setText(LoadResString(kUnlockText));
    m_share->setText(LoadResString(kShareText));
    for (QPushButton* button : {m_delete, m_lock, m_share, m_edit})
        button->setEnabled(false);
}

void CContactManagerDlg::OnSearch()
{
    m_searched = true;
    SortListRowSink rows(*m_list);
    m_database->SearchContacts(m_field->currentIndex(), m_text->text(), m_book->currentIndex(), rows);
    ResetButtons();
}

bool CContactManagerDlg::IsMine(int row) const
{
    return m_list->ItemText(row, ContactList::kOwnerColumn) == m_database->ThisComputer();
}

void CContactManagerDlg::OnSelectContact()
{
    const QList<int> rows = ContactList::SelectedRows(*m_list);
    if (rows.isEmpty()) {
        for (QPushButton* button : {m_delete, m_lock, m_share, m_edit})
            button->setEnabled(false);
        return;
    }
    const int first = rows.first();
    const bool shared = Marked(*m_list, first, ContactList::kSharedColumn);
    const bool editable = Marked(*m_list, first, ContactList::kEditableColumn);
    bool sharedRefused = !IsMine(first);
    bool editableRefused = sharedRefused;
    const bool mayChange = editable || IsMine(first);
    m_edit->setEnabled(mayChange);
    m_delete->setEnabled(mayChange);
    for (int row : rows.mid(1)) {
        m_edit->setEnabled(false);  // editing takes one contact
        const bool mine = IsMine(row);
        if (!mine)
            m_delete->setEnabled(false);
        sharedRefused = sharedRefused || !mine || Marked(*m_list, row, ContactList::kSharedColumn) != shared;
        editableRefused = editableRefused || !mine || Marked(*m_list, row, ContactList::kEditableColumn) != editable;
    }
    if (sharedRefused) {
        m_lock->setEnabled(false);
        m_share->setEnabled(false);
        return;
    }
    m_share->setEnabled(true);
    m_share->setText(LoadResString(shared ? kUnshareText : kShareText));
    const bool lockable = shared && !editableRefused;
    m_lock->setEnabled(lockable);
    if (lockable)
        m_lock->setText(LoadResString(editable ? kLockText : kUnlockText));
}

int CContactManagerDlg::SaveRow(int row, const QStringList& texts, bool shared, bool editable, QString& found)
{
    // The row's own contact: the owner it shows, never another workstation's of the same name.
    return m_database->SaveContact(texts, shared, editable, true, m_list->ItemText(row, 0), found,
                                   m_list->ItemText(row, ContactList::kOwnerColumn));
}

void CContactManagerDlg::OnDelete()
{
    const auto answer = QMessageBox::question(this, LoadResString(ContactList::kProgramNameString),
                                              LoadResString(kSureQuestion), QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        for (int row : ContactList::SelectedRows(*m_list)) {
            const QString name = m_list->ItemText(row, 0);
            QString owner;
            const int result =
                Marked(*m_list, row, ContactList::kSharedColumn)
                    ? m_database->DeleteSharedContact(name, owner, m_list->ItemText(row, ContactList::kOwnerColumn))
                    : m_database->DeleteLocalContact(name);
            if (result != 0)
                ContactList::ShowRefusal(this, result, name, owner);
        }
    }
    OnSearch();
}

void CContactManagerDlg::OnLock()
{
    const bool editable = m_lock->text() != LoadResString(kLockText);
    for (int row : ContactList::SelectedRows(*m_list)) {
        QString found;
        const int result = SaveRow(row, ContactList::RowTexts(*m_list, row), true, editable, found);
        if (result != 0)
            ContactList::ShowRefusal(this, result, m_list->ItemText(row, 0), found);
    }
    OnSearch();
}

void CContactManagerDlg::OnShare()
{
    const bool share = m_share->text() != LoadResString(kUnshareText);
    for (int row : ContactList::SelectedRows(*m_list)) {
        const QString name = m_list->ItemText(row, 0);
        QString found;
        // The contact is this workstation's: its copy in the other book is ours too.
        int result = m_database->SaveContact(ContactList::RowTexts(*m_list, row), share, false, true, name, found,
                                             m_database->ThisComputer());
        if (result == 0) {
            result = share ? m_database->DeleteLocalContact(name)
                           : m_database->DeleteSharedContact(name, found, m_database->ThisComputer());
        }
        if (result != 0)
            ContactList::ShowRefusal(this, result, name, found);
    }
    OnSearch();
}

void CContactManagerDlg::OnEdit()
{
    const QList<int> rows = ContactList::SelectedRows(*m_list);
    if (rows.isEmpty())
        return;
    const int row = rows.first();
    CContactEditDlg editor(this);
    editor.SetFields(ContactList::RowTexts(*m_list, row));
    if (editor.exec() == QDialog::Accepted) {
        const bool shared = Marked(*m_list, row, ContactList::kSharedColumn);
        const bool editable = shared && Marked(*m_list, row, ContactList::kEditableColumn);
        QString found;
        const int result = SaveRow(row, editor.Fields(), shared, editable, found);
        if (result != 0)
            ContactList::ShowRefusal(this, result, editor.Fields()[0], found);
    }
    OnSearch();
}

void CContactManagerDlg::OnAddContacts()
{
    CContactImportDlg dialog(QString(), m_context, this);
    dialog.exec();
    ResetButtons();
    // The contacts added show once the list has been searched (it stays empty until the first search).
    if (m_searched)
        OnSearch();
}
