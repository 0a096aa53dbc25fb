#include "callcontactdlg.h"

#include "callplacement.h"
#include "contactlist.h"
#include "dialogbuttons.h"
#include "dialogowndatabase.h"
#include "engineerrorcode.h"
#include "operatorconsolestate.h"
#include "pbxdisplaynames.h"
#include "sortlistctrl.h"
#include "sortlistrowsink.h"
#include "sqldatabase.h"
#include "stringtable.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace {

constexpr unsigned kCaption = 10117;
constexpr unsigned kSearchText = 10104;
constexpr unsigned kLineText = 10118;
constexpr unsigned kNumberText = 10119;
constexpr unsigned kCallText = 10120;
constexpr unsigned kAutomaticText = 10121;
constexpr unsigned kNotAvailable = 10122;
constexpr unsigned kCancelText = 10050;
constexpr int kBothBooks = 2;
constexpr int kAutomaticLine = 0;
constexpr int kWidth = 1000;
constexpr int kHeight = 480;

}  // namespace

CCallContactDlg::CCallContactDlg(const ConsoleWindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_database(std::make_unique<CSqlDatabase>()),
      m_list(new CSortListCtrl(this)), m_field(new QComboBox(this)), m_book(new QComboBox(this)),
      m_text(new QLineEdit(this)), m_line(new QComboBox(this)), m_number(new QComboBox(this)),
      m_call(IdButton(LoadResString(kCallText), kCall, this))
{
    setObjectName(QStringLiteral("193"));
    setWindowTitle(LoadResString(kCaption));
    ConnectOwnDatabase(*this, *m_database, context);

    m_list->setObjectName(QString::number(kList));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ContactList::AddColumns(*m_list, ContactList::kColumns);
    m_field->setObjectName(QString::number(kField));
    m_book->setObjectName(QString::number(kBook));
    ContactList::FillSearchCombos(*m_field, *m_book, kBothBooks);
    m_text->setObjectName(QString::number(kText));
    m_line->setObjectName(QString::number(kLine));
    m_line->addItem(LoadResString(kAutomaticText));
    if (m_context.state) {
        for (int line = 0; line < m_context.state->FirstCounts().lines; ++line)
            m_line->addItem(FormatLineName(*m_context.state, m_context.labels, line));
    }
    m_line->setCurrentIndex(kAutomaticLine);
    m_number->setObjectName(QString::number(kNumber));
    m_number->setEnabled(false);
    m_call->setEnabled(false);
    auto lineLabel = new QLabel(LoadResString(kLineText), this);
    lineLabel->setObjectName(QString::number(kLineLabel));
    auto numberLabel = new QLabel(LoadResString(kNumberText), this);
    numberLabel->setObjectName(QString::number(kNumberLabel));
    QPushButton* search = IdButton(LoadResString(kSearchText), kSearch, this);
    QPushButton* cancel = IdButton(LoadResString(kCancelText), kCancel, this);

    connect(search, &QPushButton::clicked, this, &CCallContactDlg::OnSearch);
    connect(m_call, &QPushButton::clicked, this, &CCallContactDlg::OnCall);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CCallContactDlg::OnSelectContact);
    connect(m_list->header(), &QHeaderView::sectionClicked, m_list, &CSortListCtrl::SortByColumn);

    auto searchRow = new QHBoxLayout;
    searchRow->addWidget(m_field);
    searchRow->addWidget(m_book);
    searchRow->addWidget(m_text, 1);
    searchRow->addWidget(search);
    auto callRow = new QHBoxLayout;
    callRow->addWidget(lineLabel);
    callRow->addWidget(m_line);
    callRow->addWidget(numberLabel);
    callRow->addWidget(m_number, 1);
    callRow->addWidget(m_call);
    callRow->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(m_list, 1);
    layout->addLayout(callRow);
    resize(kWidth, kHeight);
}

CCallContactDlg::~CCallContactDlg() = default;

void CCallContactDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_columnsFitted) {
        ContactList::FitColumns(*m_list);
        m_columnsFitted = true;
    }
}

void CCallContactDlg::OnSearch()
{
    SortListRowSink rows(*m_list);
    m_database->SearchContacts(m_field->currentIndex(), m_text->text(), m_book->currentIndex(), rows);
    m_number->clear();
    m_number->setEnabled(false);
    m_call->setEnabled(false);
}

void CCallContactDlg::OnSelectContact()
{
    const QList<int> rows = ContactList::SelectedRows(*m_list);
    m_number->clear();
    if (rows.isEmpty()) {
        m_number->setEnabled(false);
        m_call->setEnabled(false);
        return;
    }
    for (int column = ContactList::kFirstNumberColumn; column < ContactList::kTexts; ++column) {
        const QString number = m_list->ItemText(rows.first(), column);
        if (!number.isEmpty())
            m_number->addItem(number);
    }
    m_number->setCurrentIndex(0);
    m_number->setEnabled(true);
    m_call->setEnabled(true);
}

void CCallContactDlg::OnCall()
{
    const QString number = m_number->currentText();
    // A contact without numbers leaves nothing to dial: seizing a line for its access code alone is no call.
    if (number.isEmpty() || !m_context.state)
        return;
    const OperatorConsoleState& state = *m_context.state;
    const int line = m_line->currentIndex();
    const int extensions = state.FirstCounts().extensions;
    const int extension = state.ownExtension >= 0 && state.ownExtension < extensions ? state.ownExtension : 0;
    const bool extensionReady =
        extension < extensions && state.tables.extensionStatus[static_cast<std::size_t>(extension)].State() == kStateReady;
    const bool lineReady =
        line == kAutomaticLine || state.tables.lineStatus[static_cast<std::size_t>(line - 1)].State() == kStateReady;
    if (!extensionReady || !lineReady) {
        QMessageBox::critical(this, LoadResString(ContactList::kProgramNameString), LoadResString(kNotAvailable));
        return;
    }
    PlaceCallOnLine(state, m_context.Placement(), number, line, kThisStationExtension, true);
}
