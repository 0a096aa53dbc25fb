#include "pbxdirectorydlg.h"

#include "contactnames.h"
#include "dialogdatabase.h"
#include "editnumberdlg.h"
#include "engineclient.h"
#include "engineerrorcode.h"
#include "errorbox.h"
#include "filedialogfilter.h"
#include "listexport.h"
#include "numericedit.h"
#include "operatorconsolestate.h"
#include "progressdlg.h"
#include "sortlistctrl.h"
#include "sortlistrowsink.h"
#include "sqldatabase.h"
#include "stringtable.h"

#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr unsigned kTitle = 10140;
constexpr unsigned kProgramCaption = 1004;
constexpr unsigned kFirstErrorString = 15000;
constexpr unsigned kErrorCodeLabel = 10013;
constexpr unsigned kSearchByText = 10100;
constexpr unsigned kFirstFieldName = 10070;  // "Indirizzo" .. "E-mail"; "Nome" is 10069
constexpr unsigned kNameText = 10069;
constexpr int kSearchFields = 7;
constexpr unsigned kFirstSearchBook = 10101;  // "Rubrica locale", "Rubrica condivisa", "Entrambe"
constexpr int kSearchBooks = 3;
constexpr int kBothBooks = 2;
constexpr unsigned kSearchButtonText = 10104;
constexpr unsigned kImportText = 10067;
constexpr unsigned kGlobalBookText = 10129;
constexpr unsigned kCommonBookText = 10130;
constexpr unsigned kPositionText = 10131;
constexpr unsigned kAvailableText = 10135;
constexpr unsigned kSelectedText = 10136;
constexpr unsigned kContactsGroupText = 10114;
constexpr unsigned kBookGroupText = 10141;
constexpr unsigned kReadText = 10139;
constexpr unsigned kDeleteText = 10109;
constexpr unsigned kModifyText = 10099;
constexpr unsigned kSaveText = 10056;
constexpr unsigned kNumberText = 1022;
constexpr unsigned kFromText = 19102;
constexpr unsigned kToText = 19103;
constexpr unsigned kReadCaption = 10133;
constexpr unsigned kReadStep = 10134;
constexpr unsigned kWriteCaption = 10137;
constexpr unsigned kWriteStep = 10138;
constexpr unsigned kDeleteCaption = 10142;
constexpr unsigned kDeleteStep = 10143;
constexpr unsigned kSaveCaption = 10145;
constexpr unsigned kSaveFilter = 10126;
constexpr unsigned kOpenFailedText = 10127;
constexpr unsigned kWriteFailedText = 10128;
// Headings of the address-book list's numbers, in the order of SearchContactNumbers' columns.
constexpr unsigned kNumberHeadings[] = {10076, 10077, 10082, 10083, 10080, 10081, 10078, 10079};
constexpr int kPositionGroupId = 1079;
constexpr int kContactsGroupId = 1075;
constexpr int kImportGroupId = 1083;
constexpr int kPositionLabelId = 1066;
constexpr int kContactsListWidth = 780;
constexpr int kPositionsListWidth = 420;
constexpr int kListFrame = 4;
constexpr int kPercent = 100;
constexpr int kPositionEditWidth = 70;

QPushButton* Button(QWidget* parent, int id, unsigned text)
{
    auto button = new QPushButton(LoadResString(text), parent);
    button->setObjectName(QString::number(id));
    return button;
}

template <typename Widget>
Widget* Named(Widget* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

CNumericEdit* IntegerEdit(QWidget* parent, int id)
{
    auto edit = Named(new CNumericEdit(parent), id);
    edit->SetFormat(CNumericEdit::kInteger, 0, 0);
    edit->setFixedWidth(kPositionEditWidth);
    return edit;
}

QString StepText(unsigned step, int position)
{
    return LoadResString(step) + u' ' + QString::number(position) + QStringLiteral("...");
}

}  // namespace

CPbxDirectoryDlg::CPbxDirectoryDlg(const ConsoleWindowContext& context, QWidget* parent)
    : CButtonOnlyDialog(parent), m_context(context), m_database(std::make_unique<CSqlDatabase>()),
      m_searchField(Named(new QComboBox(this), kSearchField)), m_searchBook(Named(new QComboBox(this), kSearchBook)),
      m_searchText(Named(new QLineEdit(this), kSearchText)), m_contacts(Named(new CSortListCtrl(this), kContacts)),
      m_selectedLabel(Named(new QLabel(this), kSelected)), m_writeBook(Named(new QComboBox(this), kWriteBook)),
      m_position(IntegerEdit(this, kPosition)), m_availableLabel(Named(new QLabel(this), kAvailable)),
      m_import(Button(this, kImport, kImportText)), m_readBook(Named(new QComboBox(this), kReadBook)),
      m_first(IntegerEdit(this, kFirst)), m_last(IntegerEdit(this, kLast)), m_read(Button(this, kRead, kReadText)),
      m_positions(Named(new CSortListCtrl(this), kPositions)), m_delete(Button(this, kDelete, kDeleteText)),
      m_modify(Button(this, kModify, kModifyText)), m_save(Button(this, kSave, kSaveText))
{
    setObjectName(QStringLiteral("194"));
    setWindowTitle(LoadResString(kTitle));
    BuildControls();
}

CPbxDirectoryDlg::~CPbxDirectoryDlg() = default;

void CPbxDirectoryDlg::BuildControls()
{
    const QString searchBy = LoadResString(kSearchByText);
    m_searchField->addItem(searchBy + LoadResString(kNameText));
    for (int field = 1; field < kSearchFields; ++field)
        m_searchField->addItem(searchBy + LoadResString(kFirstFieldName + static_cast<unsigned>(field - 1)));
    m_searchField->setCurrentIndex(0);
    for (int book = 0; book < kSearchBooks; ++book)
        m_searchBook->addItem(LoadResString(kFirstSearchBook + static_cast<unsigned>(book)));
    m_searchBook->setCurrentIndex(kBothBooks);

    m_contacts->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_contacts->setRootIsDecorated(false);
    m_contacts->setMinimumWidth(kContactsListWidth);
    m_contacts->InsertColumn(0, LoadResString(kNameText), CSortListCtrl::kText);
    for (int column = 0; column < kNumberColumns; ++column)
        m_contacts->InsertColumn(column + 1, LoadResString(kNumberHeadings[column]), CSortListCtrl::kText);
    m_positions->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_positions->setRootIsDecorated(false);
    m_positions->setMinimumWidth(kPositionsListWidth);
    m_positions->InsertColumn(0, LoadResString(kPositionText), CSortListCtrl::kNumber);
    m_positions->InsertColumn(1, LoadResString(kNumberText), CSortListCtrl::kText);
    m_positions->InsertColumn(2, LoadResString(kNameText), CSortListCtrl::kText);
    SetColumnWidths();
    m_contacts->installEventFilter(this);
    m_positions->installEventFilter(this);
    FillBookCombo(*m_readBook);
    FillBookCombo(*m_writeBook);
    m_delete->setEnabled(false);
    m_modify->setEnabled(false);
    m_save->setEnabled(false);
    m_import->setEnabled(false);

    auto search = new QHBoxLayout;
    search->addWidget(m_searchField);
    search->addWidget(m_searchBook);
    search->addWidget(m_searchText, 1);
    search->addWidget(Button(this, kSearch, kSearchButtonText));
    auto contactsGroup = Named(new QGroupBox(LoadResString(kContactsGroupText), this), kContactsGroupId);
    auto contacts = new QVBoxLayout(contactsGroup);
    contacts->addLayout(search);
    contacts->addWidget(m_contacts, 1);
    contacts->addWidget(m_selectedLabel);

    auto importGroup = Named(new QGroupBox(LoadResString(kImportText), this), kImportGroupId);
    auto import = new QGridLayout(importGroup);
    import->addWidget(m_writeBook, 0, 0, 1, 2);
    auto positionLabel = Named(new QLabel(LoadResString(kPositionText), this), kPositionLabelId);
    import->addWidget(positionLabel, 1, 0);
    import->addWidget(m_position, 1, 1, Qt::AlignLeft);
    import->addWidget(m_availableLabel, 2, 0, 1, 2);
    import->addWidget(m_import, 3, 1, Qt::AlignRight);
    import->setRowStretch(4, 1);

    auto bookGroup = Named(new QGroupBox(LoadResString(kBookGroupText), this), kPositionGroupId);
    auto book = new QVBoxLayout(bookGroup);
    auto range = new QHBoxLayout;
    range->addWidget(m_readBook);
    range->addWidget(new QLabel(LoadResString(kFromText), this));
    range->addWidget(m_first);
    range->addWidget(new QLabel(LoadResString(kToText), this));
    range->addWidget(m_last);
    range->addStretch();
    range->addWidget(m_read);
    book->addLayout(range);
    book->addWidget(m_positions, 1);
    auto positionButtons = new QHBoxLayout;
    positionButtons->addStretch();
    positionButtons->addWidget(m_delete);
    positionButtons->addWidget(m_modify);
    positionButtons->addWidget(m_save);
    book->addLayout(positionButtons);

    auto lower = new QHBoxLayout;
    lower->addWidget(importGroup);
    lower->addWidget(bookGroup, 1);
    QPushButton* close = Button(this, kClose, kCancelButtonString);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(contactsGroup, 1);
    layout->addLayout(lower, 1);
    auto closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(close);
    layout->addLayout(closeRow);

    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(findChild<QPushButton*>(QString::number(kSearch)), &QPushButton::clicked, this,
            &CPbxDirectoryDlg::OnSearch);
    connect(m_read, &QPushButton::clicked, this, &CPbxDirectoryDlg::OnRead);
    connect(m_import, &QPushButton::clicked, this, &CPbxDirectoryDlg::OnImport);
    connect(m_delete, &QPushButton::clicked, this, &CPbxDirectoryDlg::OnDelete);
    connect(m_modify, &QPushButton::clicked, this, &CPbxDirectoryDlg::OnModify);
    connect(m_save, &QPushButton::clicked, this, &CPbxDirectoryDlg::OnSave);
    connect(m_readBook, &QComboBox::currentIndexChanged, this, &CPbxDirectoryDlg::ApplyReadRange);
    connect(m_writeBook, &QComboBox::currentIndexChanged, this, &CPbxDirectoryDlg::ApplyWriteRange);
    connect(m_position, &CNumericEdit::Notify, this, [this](int code) {
        if (code == CNumericEdit::kCommittedCode)
            UpdateAvailable();
    });
    connect(m_contacts, &QTreeWidget::itemSelectionChanged, this, &CPbxDirectoryDlg::OnContactsClicked);
    connect(m_positions, &QTreeWidget::itemSelectionChanged, this, &CPbxDirectoryDlg::UpdatePositionButtons);
}

void CPbxDirectoryDlg::SetColumnWidths()
{
    // The address book's nine columns share its width; the positions list gives the position a fifth.
    const int contactsWidth = std::max(m_contacts->width(), m_contacts->minimumWidth()) - kListFrame;
    const int contacts = contactsWidth / (kNumberColumns + 1);
    for (int column = 0; column <= kNumberColumns; ++column)
        m_contacts->setColumnWidth(column, contacts);
    const int positions = std::max(m_positions->width(), m_positions->minimumWidth()) - kListFrame;
    m_positions->setColumnWidth(0, positions / 5);
    m_positions->setColumnWidth(1, positions * 2 / 5);
    m_positions->setColumnWidth(2, positions * 2 / 5);
}

bool CPbxDirectoryDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && (watched == m_contacts || watched == m_positions))
        SetColumnWidths();
    return CButtonOnlyDialog::eventFilter(watched, event);
}

void CPbxDirectoryDlg::FillBookCombo(QComboBox& combo)
{
    if (HasGlobalBook()) {
        combo.addItem(LoadResString(kGlobalBookText));
    } else {
        combo.addItem(LoadResString(kCommonBookText));
        combo.addItem(m_context.ExtensionName(OwnExtension()));
    }
    combo.setCurrentIndex(0);
}

bool CPbxDirectoryDlg::HasGlobalBook() const
{
    return m_context.state && (m_context.state->firstConfiguration.bytes[1] & kGlobalBookBit) != 0;
}

int CPbxDirectoryDlg::GlobalSize() const { return PbxDirectory::GlobalBookSize(m_info); }
int CPbxDirectoryDlg::CommonSize() const { return std::min(PbxDirectory::CommonBookSize(m_info), kMaxCommonPositions); }
int CPbxDirectoryDlg::PersonalSize() const { return PbxDirectory::PersonalBookSize(m_info); }

std::uint8_t CPbxDirectoryDlg::Pbx() const
{
    return m_context.state ? static_cast<std::uint8_t>(m_context.state->firstPbxIdentifier) : 0;
}

std::uint8_t CPbxDirectoryDlg::OwnExtension() const
{
    return m_context.state ? static_cast<std::uint8_t>(m_context.state->ownExtension) : 0;
}

CPbxDirectoryDlg::Book CPbxDirectoryDlg::BookOf(const QComboBox& combo) const
{
    if (HasGlobalBook())
        return Book::kGlobal;
    return combo.currentIndex() <= 0 ? Book::kCommon : Book::kPersonal;
}

CPbxDirectoryDlg::Book CPbxDirectoryDlg::BookOfPosition(int position) const
{
    if (HasGlobalBook())
        return Book::kGlobal;
    return position < CommonSize() ? Book::kCommon : Book::kPersonal;
}

int CPbxDirectoryDlg::exec()
{
    if (!OnInitDialog())
        return Rejected;
    return CButtonOnlyDialog::exec();
}

bool CPbxDirectoryDlg::OnInitDialog()
{
    int code = m_context.installation ? ConnectDialogDatabase(*m_database, *m_context.installation)
                                      : kNoDialogDatabaseServer;
    if (code != kNoError) {
        ShowFailure(static_cast<std::uint8_t>(code));
        return false;
    }
    CEngineClient* engine = m_context.Engine();
    code = engine ? engine->ReadDirectoryInfo(Pbx(), m_info, kRequestSeconds) : kNoEngineClient;
    if (code != kNoError) {
        ShowFailure(static_cast<std::uint8_t>(code));
        return false;
    }
    ApplyReadRange();
    ApplyWriteRange();
    m_selected = 0;
    ShowSelected();
    return true;
}

void CPbxDirectoryDlg::ApplyReadRange()
{
    int first = 0;
    int size = 0;
    switch (BookOf(*m_readBook)) {
    case Book::kGlobal: size = GlobalSize(); break;
    case Book::kCommon: size = CommonSize(); break;
    case Book::kPersonal:
        first = CommonSize();
        size = PersonalSize();
        break;
    }
    // A book without positions offers no range to read.
    const int last = first + std::max(size, 1) - 1;
    m_first->SetRangeAndValue(first, last, first);
    m_last->SetRangeAndValue(first, last, last);
    m_read->setEnabled(size > 0);
}

void CPbxDirectoryDlg::ApplyWriteRange()
{
    int minimum = 1;
    int maximum = 0;
    switch (BookOf(*m_writeBook)) {
    case Book::kGlobal: maximum = GlobalSize() - 1; break;
    case Book::kCommon: maximum = CommonSize() - 1; break;
    case Book::kPersonal:
        minimum = CommonSize();
        maximum = minimum + PersonalSize() - 1;
        break;
    }
    const bool writable = maximum >= minimum;
    m_position->setEnabled(writable);
    m_position->SetRangeAndValue(minimum, writable ? maximum : minimum, minimum);
    UpdateAvailable();
}

void CPbxDirectoryDlg::UpdateAvailable()
{
    m_available = m_position->isEnabled()
                      ? static_cast<int>(m_position->GetMaximum()) - static_cast<int>(m_position->GetValue()) + 1
                      : 0;
    m_availableLabel->setText(LoadResString(kAvailableText) + QString::number(m_available));
    UpdateImportButton();
}

void CPbxDirectoryDlg::UpdateImportButton() { m_import->setEnabled(m_selected != 0 && m_selected <= m_available); }

void CPbxDirectoryDlg::ShowSelected()
{
    m_selectedLabel->setText(LoadResString(kSelectedText) + QString::number(m_selected));
}

void CPbxDirectoryDlg::OnContactsClicked()
{
    int count = 0;
    for (int row = 0; row < m_contacts->ItemCount(); ++row) {
        if (!m_contacts->topLevelItem(row)->isSelected())
            continue;
        for (int column = 1; column <= kNumberColumns; ++column)
            count += m_contacts->ItemText(row, column).isEmpty() ? 0 : 1;
    }
    m_selected = count;
    ShowSelected();
    UpdateImportButton();
}

void CPbxDirectoryDlg::UpdatePositionButtons()
{
    const int selected = static_cast<int>(m_positions->selectedItems().size());
    m_delete->setEnabled(selected > 0);
    m_modify->setEnabled(selected == 1);
}

std::uint8_t CPbxDirectoryDlg::ReadPosition(Book book, int position, std::string& number) const
{
    CEngineClient* engine = m_context.Engine();
    if (!engine)
        return kNoEngineClient;
    std::array<std::uint8_t, PbxDirectory::kEntrySize> entry{};
    switch (book) {
    case Book::kGlobal:
        return engine->ReadDirectoryEntry(Pbx(), PbxDirectory::kGlobalBook, static_cast<std::uint16_t>(position),
                                          entry, number, kRequestSeconds);
    case Book::kCommon:
        return engine->ReadDirectoryPosition(Pbx(), static_cast<std::uint8_t>(position), number, kRequestSeconds);
    case Book::kPersonal: break;
    }
    return engine->ReadDirectoryEntry(Pbx(), OwnExtension(), static_cast<std::uint16_t>(position - CommonSize()),
                                      entry, number, kRequestSeconds);
}

std::uint8_t CPbxDirectoryDlg::WritePosition(Book book, int position, const QString& number) const
{
    CEngineClient* engine = m_context.Engine();
    if (!engine)
        return kNoEngineClient;
    const std::string digits = number.toLatin1().toStdString();
    switch (book) {
    case Book::kGlobal:
        return engine->WriteDirectoryEntry(Pbx(), PbxDirectory::kGlobalBook, static_cast<std::uint16_t>(position),
                                           digits, kRequestSeconds);
    case Book::kCommon:
        return engine->WriteDirectoryPosition(Pbx(), static_cast<std::uint8_t>(position), digits, kRequestSeconds);
    case Book::kPersonal: break;
    }
    return engine->WriteDirectoryEntry(Pbx(), OwnExtension(), static_cast<std::uint16_t>(position - CommonSize()),
                                       digits, kRequestSeconds);
}

void CPbxDirectoryDlg::SetPositionItem(int position, const QString& number)
{
    int row = 0;
    while (row < m_positions->ItemCount() && m_positions->ItemData(row) != position)
        ++row;
    if (row == m_positions->ItemCount())
        row = m_positions->InsertItem(0, QString::number(position), position);
    m_positions->SetItemText(row, 1, number);
    const QString name = m_context.state ? LookupContactName(*m_context.state, *m_database, number, false) : QString();
    m_positions->SetItemText(row, 2, name);
}

void CPbxDirectoryDlg::SortPositions()
{
    QList<QTreeWidgetItem*> items = m_positions->invisibleRootItem()->takeChildren();
    std::stable_sort(items.begin(), items.end(), [](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        return a->data(0, CSortListCtrl::kItemDataRole).toLongLong() <
               b->data(0, CSortListCtrl::kItemDataRole).toLongLong();
    });
    m_positions->addTopLevelItems(items);
}

void CPbxDirectoryDlg::StartProgress(unsigned captionString)
{
    m_progress = std::make_unique<CProgressDlg>(captionString);
    m_progress->CreateModeless(this);
}

void CPbxDirectoryDlg::EndProgress() { m_progress.reset(); }

void CPbxDirectoryDlg::ShowFailure(std::uint8_t code)
{
    ShowErrorBox(LoadResString(kProgramCaption), LoadResString(kFirstErrorString + code), code, QString(),
                 kErrorCodeLabel);
}

void CPbxDirectoryDlg::OnRead()
{
    const int first = static_cast<int>(m_first->GetValue());
    const int last = static_cast<int>(m_last->GetValue());
    const Book book = BookOf(*m_readBook);
    const int total = last - first + 1;
    StartProgress(kReadCaption);
    for (int position = first; position <= last; ++position) {
        m_progress->SetStatusText(StepText(kReadStep, position));
        m_progress->SetProgress((position - first) * kPercent / total);
        std::string number;
        const std::uint8_t code = ReadPosition(book, position, number);
        if (code != kNoError) {
            EndProgress();
            ShowFailure(code);
            break;
        }
        if (!number.empty())
            SetPositionItem(position, QString::fromLatin1(number));
        if (m_progress->TakeCancelRequest())
            break;
    }
    EndProgress();
    m_save->setEnabled(m_positions->ItemCount() > 0);
    m_delete->setEnabled(false);
    m_modify->setEnabled(false);
    SortPositions();
}

void CPbxDirectoryDlg::OnImport()
{
    if (m_selected == 0)
        return;
    int position = static_cast<int>(m_position->GetValue());
    const int end = static_cast<int>(m_position->GetMaximum());
    const Book book = BookOf(*m_writeBook);
    int written = 0;
    StartProgress(kWriteCaption);
    for (int row = 0; row < m_contacts->ItemCount() && position <= end; ++row) {
        if (!m_contacts->topLevelItem(row)->isSelected())
            continue;
        for (int column = 1; column <= kNumberColumns && position <= end; ++column) {
            const QString number = m_contacts->ItemText(row, column);
            if (number.isEmpty())
                continue;
            m_progress->SetStatusText(StepText(kWriteStep, position));
            m_progress->SetProgress(written * kPercent / m_selected);
            const std::uint8_t code = WritePosition(book, position, number);
            if (code != kNoError) {
                EndProgress();
                SortPositions();
                m_save->setEnabled(m_positions->ItemCount() > 0);
                ShowFailure(code);
                return;
            }
            SetPositionItem(position, number);
            ++position;
            ++written;
        }
        if (m_progress->TakeCancelRequest())
            break;
    }
    EndProgress();
    SortPositions();
    m_save->setEnabled(m_positions->ItemCount() > 0);
}

void CPbxDirectoryDlg::OnDelete()
{
    QList<int> positions;
    for (int row = 0; row < m_positions->ItemCount(); ++row) {
        if (m_positions->topLevelItem(row)->isSelected())
            positions << static_cast<int>(m_positions->ItemData(row));
    }
    StartProgress(kDeleteCaption);
    for (qsizetype k = 0; k < positions.size(); ++k) {
        const int position = positions.at(k);
        m_progress->SetStatusText(StepText(kDeleteStep, position));
        m_progress->SetProgress(static_cast<int>(k * kPercent / positions.size()));
        const std::uint8_t code = WritePosition(BookOfPosition(position), position, QString());
        if (code != kNoError) {
            EndProgress();
            ShowFailure(code);
            break;
        }
        for (int row = 0; row < m_positions->ItemCount(); ++row) {
            if (m_positions->ItemData(row) == position) {
                delete m_positions->takeTopLevelItem(row);
                break;
            }
        }
        if (m_progress->TakeCancelRequest())
            break;
    }
    EndProgress();
    if (m_positions->ItemCount() == 0)
        m_save->setEnabled(false);
    UpdatePositionButtons();
}

void CPbxDirectoryDlg::OnModify()
{
    const QList<QTreeWidgetItem*> selected = m_positions->selectedItems();
    if (selected.isEmpty())
        return;
    QTreeWidgetItem* item = selected.first();
    const int position = static_cast<int>(item->data(0, CSortListCtrl::kItemDataRole).toLongLong());
    CEditNumberDlg dialog(this);
    dialog.SetNumber(item->text(1));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::uint8_t code = WritePosition(BookOfPosition(position), position, dialog.Number());
    if (code != kNoError) {
        ShowFailure(code);
        return;
    }
    item->setText(1, dialog.Number());
}

void CPbxDirectoryDlg::OnSearch()
{
    SortListRowSink rows(*m_contacts);
    const int code = m_database->SearchContactNumbers(m_searchField->currentIndex(), m_searchText->text(),
                                                      m_searchBook->currentIndex(), rows);
    for (int row = 0; row < m_contacts->ItemCount(); ++row) {
        for (int column = 0; column <= kNumberColumns; ++column)
            m_contacts->topLevelItem(row)->setToolTip(column, m_contacts->ItemText(row, column));
    }
    m_selected = 0;
    ShowSelected();
    UpdateImportButton();
    if (code != kNoError)
        ShowFailure(static_cast<std::uint8_t>(code));
}

void CPbxDirectoryDlg::OnSave()
{
    QFileDialog dialog(this, LoadResString(kSaveCaption));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QStringList filters = FileDialogFilter(LoadResString(kSaveFilter)).split(QStringLiteral(";;"));
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const int filter = filters.indexOf(dialog.selectedNameFilter()) == 1 ? kCsvFilter : kTabFilter;
    SaveList(dialog.selectedFiles().constFirst(), filter);
}

bool CPbxDirectoryDlg::SaveList(const QString& path, int filter)
{
    QString name = path;
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > name.lastIndexOf(u'/'))
        name.truncate(dot);
    const bool csv = filter == kCsvFilter;
    name += csv ? QStringLiteral(".csv") : QStringLiteral(".txt");
    const QFileInfo folder(QFileInfo(name).absolutePath());
    if (!folder.isDir() || !folder.isWritable()) {
        QMessageBox::critical(this, LoadResString(kProgramCaption), LoadResString(kOpenFailedText));
        return false;
    }
    const QString text = ListExportText(*m_positions->model(), ListExportFormatFor(csv));
    if (!WriteListExportFile(text, name)) {
        QMessageBox::critical(this, LoadResString(kProgramCaption), LoadResString(kWriteFailedText));
        return false;
    }
    return true;
}
