// The event lists dialog: its controls, the period, the filters and the control update. The refresh,
// the actions and the recordings are in the files beside this one.
#include "eventlistdlg.h"

#include "contactimportdlg.h"
#include "dialogbuttons.h"
#include "dialogdatabase.h"
#include "errorbox.h"
#include "oledatetext.h"
#include "operatorconsolestate.h"
#include "operatorsettingsrecords.h"
#include "pbxdisplaynames.h"
#include "recordingplayer.h"
#include "recordprogressdlg.h"
#include "sortlistctrl.h"
#include "sqldatabase.h"
#include "stringtable.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QUrl>

namespace {

constexpr int kDialogResource = 181;
constexpr int kPeriodDays = 30;
constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;
constexpr int kLastSecond = 59;
// Operator messages are kept from the year the console began to keep them.
constexpr int kFirstMessageYear = 2007;
// The size the dialog opens at; narrower without the player's buttons.
constexpr int kWidth = 1000;
constexpr int kWidthWithoutPlayer = 900;
constexpr int kHeight = 560;
constexpr int kColumnMargin = 28;

constexpr unsigned kProgramNameString = 1004;
constexpr unsigned kErrorCodeLabel = 10013;
constexpr unsigned kFirstErrorString = 15000;
constexpr unsigned kAllExtensionsString = 1063;
constexpr unsigned kRefreshString = 10045;
constexpr unsigned kFiltersString = 10048;
constexpr unsigned kCloseString = 10050;
constexpr unsigned kFromString = 10054;
constexpr unsigned kToString = 10055;
constexpr unsigned kExportString = 10056;
constexpr unsigned kDateFilterString = 10043;
constexpr unsigned kOtherFiltersString = 10047;
constexpr unsigned kNoneString = 10051;
constexpr unsigned kCallString = 10021;
constexpr unsigned kSearchString = 1081;
constexpr unsigned kDeleteString = 1208;
constexpr unsigned kShowString = 1260;
constexpr unsigned kCopyString = 1222;
constexpr unsigned kAddressBookString = 1221;
constexpr unsigned kAddNoteString = 1216;
constexpr unsigned kAutomaticLineString = 10121;
constexpr unsigned kDirectCallString = 1054;
constexpr unsigned kReceivedToString = 1266;
constexpr unsigned kSentToString = 1267;

// Titles per type: wake-up events, calls, alarms, messages, notes.
constexpr unsigned kTitles[] = {10046, 10057, 1019, 1193, 1217};

// The entries of combo 1084 per type (messages to all extensions, and notes, have their own).
constexpr unsigned kWakeUpEntries[] = {1092, 1093};
constexpr unsigned kCallEntries[] = {10058, 10059, 10123, 10060};
constexpr unsigned kMessageEntries[] = {1183, 1184};
constexpr unsigned kNoteEntries[] = {1223, 1224, 1225, 1226};
// Combo 1085: read kinds of messages, the call filters of the other types.
constexpr unsigned kReadEntries[] = {1186, 1187, 1185};
constexpr unsigned kCallFilterEntries[] = {10060, 10149, 10148, 1226, 1247, 1245, 1246};

constexpr int kActiveWakeUps = 1;
constexpr int kNotesInternal = 1;
constexpr int kNotesExternal = 2;
constexpr int kNotesNumber = 3;
constexpr int kFilterNone = 0;

// Columns per type as {heading string, sort type}.
struct ColumnSpec {
    unsigned heading;
    int sort;
};
constexpr int kText = CSortListCtrl::kText;
constexpr int kDate = CSortListCtrl::kDate;
constexpr ColumnSpec kWakeEventColumns[] = {{10052, kText}, {10041, kDate}, {10053, kText}};
constexpr ColumnSpec kActiveWakeUpColumns[] = {{10052, kText}, {1094, kText}, {10035, kText}};
constexpr ColumnSpec kCallColumns[] = {{10052, kText},  {10061, kDate}, {10062, kDate}, {10063, kDate},
                                       {10065, kText},  {10064, kText}, {10146, kText}, {10147, kText},
                                       {10066, kText},  {10069, kText}};
constexpr ColumnSpec kAlarmColumns[] = {{10052, kText}, {1028, kDate}, {1029, kDate},
                                        {10053, kText}, {1031, kText}, {1030, kText}};
constexpr ColumnSpec kMessageColumns[] = {{1188, kText}, {1189, kText}, {1190, kDate}, {1192, kText}, {1191, kText}};
constexpr ColumnSpec kNoteColumns[] = {{10052, kText}, {1219, kDate}, {10065, kText},
                                       {10066, kText}, {10069, kText}, {1218, kText}};

template <std::size_t N>
void AddEntries(QComboBox& combo, const unsigned (&strings)[N])
{
    for (unsigned id : strings)
        combo.addItem(LoadResString(id));
}

OleDate EndOfToday()
{
    const OleDate now = OleDate::Now();
    return OleDate(now.Year(), now.Month(), now.Day(), kLastHour, kLastMinute, kLastSecond);
}

QLabel* IdLabel(const QString& text, int id, QWidget* parent)
{
    auto label = new QLabel(text, parent);
    label->setObjectName(QString::number(id));
    return label;
}

QDateEdit* DatePicker(int id, QWidget* parent)
{
    auto picker = new QDateEdit(parent);
    picker->setObjectName(QString::number(id));
    picker->setCalendarPopup(true);
    // The locale's short date with the year in full, as the date filter's text shows it.
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    picker->setDisplayFormat(format);
    return picker;
}

}  // namespace

CEventListDlg::CEventListDlg(int listType, int extension, int option, int secondOption, const OleDate& reference,
                             const ConsoleWindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_list(new CSortListCtrl(this)), m_extension(extension), m_option(option),
      m_secondOption(secondOption), m_listType(listType >= kWakeUps && listType <= kNotes ? listType : kCalls),
      m_reference(reference), m_refreshOnShow(reference.IsValid() && reference.Value() != 0.0)
{
    setObjectName(QString::number(kDialogResource));
    m_end = EndOfToday();
    if (m_refreshOnShow) {
        // The period ends at the last second of today, not at 23:59, which left the day's last minute out.
        m_start = m_listType == kMessages ? OleDate(kFirstMessageYear, 1, 1) : reference;
    } else {
        const OleDate first = m_end.AddDays(-kPeriodDays);
        m_start = OleDate(first.Year(), first.Month(), first.Day());
    }
    if (m_context.state)
        m_pbxIdentifier = m_context.state->firstPbxIdentifier;
    if (m_context.settings) {
        const QByteArray& third = m_context.settings->third.Bytes();
        m_recorderPresent = third.at(0) != 0 && third.at(1) != 0;
    }

    m_hooks.runDialog = [](QDialog& dialog) { return dialog.exec(); };
    m_hooks.connectDatabase = [this](CSqlDatabase& database) {
        return m_context.installation ? ConnectDialogDatabase(database, *m_context.installation) : kNoDialogDatabaseServer;
    };
    m_hooks.saveFileName = [this](const QString& title, const QString& filter, int& filterIndex) {
        QString chosen;
        const QString name = QFileDialog::getSaveFileName(this, title, QString(), filter, &chosen);
        filterIndex = static_cast<int>(filter.split(QStringLiteral(";;")).indexOf(chosen));
        return name;
    };
    m_hooks.message = [this](const QString& caption, const QString& text) {
        QMessageBox::warning(this, caption, text);
    };
    m_hooks.error = [](int code) {
        ShowErrorBox(LoadResString(kProgramNameString), LoadResString(kFirstErrorString + static_cast<unsigned>(code)),
                     static_cast<std::uint8_t>(code), QString(), kErrorCodeLabel);
    };
    m_hooks.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    m_hooks.importContact = [this](const QString& number) {
        CContactImportDlg dialog(number, m_context, this);
        m_hooks.runDialog(dialog);
    };
    m_hooks.setClipboard = [](const QString& text) {
        if (QClipboard* clipboard = QApplication::clipboard())
            clipboard->setText(text);
    };

    BuildControls();
    FillCombos();
    BuildColumns();
    UpdateControls();

    m_messages.On(WM_COMMAND, [this](std::uint64_t command, std::int64_t) {
        if (command == kRefresh)
            Refresh();
    });
    m_messages.On(CRecordingPlayer::kStarted, [this](std::uint64_t seconds, std::int64_t) { OnPlayerStarted(seconds); });
    m_messages.On(CRecordingPlayer::kTick, [this](std::uint64_t seconds, std::int64_t) { OnPlayerTick(seconds); });
    m_messages.On(CRecordingPlayer::kEnded, [this](std::uint64_t, std::int64_t) { OnPlayerEnded(); });
}

CEventListDlg::~CEventListDlg()
{
    if (m_player && m_player->IsPlaying())
        m_stop.Set();
    m_player.reset();
    delete m_progress;
}

void CEventListDlg::BuildControls()
{
    m_list->setObjectName(QString::number(kList));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_from = DatePicker(kFrom, this);
    m_to = DatePicker(kTo, this);
    m_from->setDate(m_start.Date());
    m_to->setDate(m_end.Date());
    m_firstCombo = new QComboBox(this);
    m_firstCombo->setObjectName(QString::number(kFirstCombo));
    m_secondCombo = new QComboBox(this);
    m_secondCombo->setObjectName(QString::number(kSecondCombo));
    m_lineCombo = new QComboBox(this);
    m_lineCombo->setObjectName(QString::number(kLineCombo));
    for (QComboBox* combo : {m_firstCombo, m_secondCombo, m_lineCombo})
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_noteNumber = new QLineEdit(this);
    m_noteNumber->setObjectName(QString::number(kNoteNumber));
    m_callFilter = new QLineEdit(this);
    m_callFilter->setObjectName(QString::number(kCallFilter));
    m_dateFilter = IdLabel(QString(), kDateFilterText, this);
    m_otherFilters = IdLabel(QString(), kOtherFiltersText, this);
    m_fromLabel = IdLabel(LoadResString(kFromString), kFromLabel, this);
    m_toLabel = IdLabel(LoadResString(kToString), kToLabel, this);
    m_filters = new QGroupBox(LoadResString(kFiltersString), this);
    m_filters->setObjectName(QString::number(kFilters));

    m_refresh = IdButton(LoadResString(kRefreshString), kRefresh, this);
    m_close = IdButton(LoadResString(kCloseString), kClose, this);
    m_export = IdButton(LoadResString(kExportString), kExport, this);
    m_action = IdButton(QString(), kAction, this);
    m_search = IdButton(QString(), kSearch, this);
    m_addNote = IdButton(LoadResString(kAddNoteString), kAddNote, this);
    m_addressBook = IdButton(LoadResString(kAddressBookString), kAddressBook, this);
    m_play = IdButton(QString(), kPlay, this);
    m_saveRecording = IdButton(QString(), kSaveRecording, this);
    m_deleteRecording = IdButton(QString(), kDeleteRecording, this);
    // The player's buttons carry pictures: play, save, delete.
    m_play->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    m_saveRecording->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_deleteRecording->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    m_refresh->setDefault(true);

    auto filterGrid = new QGridLayout(m_filters);
    auto pickers = new QHBoxLayout;
    pickers->addWidget(m_fromLabel);
    pickers->addWidget(m_from);
    pickers->addSpacing(12);
    pickers->addWidget(m_toLabel);
    pickers->addWidget(m_to);
    pickers->addSpacing(12);
    pickers->addWidget(m_firstCombo);
    pickers->addWidget(m_secondCombo);
    pickers->addWidget(m_noteNumber);
    pickers->addWidget(m_callFilter);
    pickers->addStretch();
    filterGrid->addLayout(pickers, 0, 0);
    filterGrid->addWidget(m_dateFilter, 1, 0);
    filterGrid->addWidget(m_otherFilters, 2, 0);

    auto actions = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{m_action, m_search, m_addNote, m_addressBook, m_lineCombo,
                                                           m_play, m_saveRecording, m_deleteRecording})
        actions->addWidget(widget);
    actions->addStretch();
    actions->addWidget(m_refresh);
    actions->addWidget(m_export);
    actions->addWidget(m_close);

    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_filters);
    layout->addWidget(m_list, 1);
    layout->addLayout(actions);

    const bool player = m_recorderPresent && m_listType == kCalls;
    for (QPushButton* button : {m_play, m_saveRecording, m_deleteRecording})
        button->setVisible(player);
    resize(player ? kWidth : kWidthWithoutPlayer, kHeight);

    connect(m_refresh, &QPushButton::clicked, this, [this] { Refresh(); });
    connect(m_close, &QPushButton::clicked, this, &CEventListDlg::reject);
    connect(m_export, &QPushButton::clicked, this, &CEventListDlg::OnExport);
    connect(m_action, &QPushButton::clicked, this, &CEventListDlg::OnAction);
    connect(m_search, &QPushButton::clicked, this, &CEventListDlg::OnSearch);
    connect(m_addNote, &QPushButton::clicked, this, &CEventListDlg::OnAddNote);
    connect(m_addressBook, &QPushButton::clicked, this, &CEventListDlg::OnAddressBook);
    connect(m_play, &QPushButton::clicked, this, &CEventListDlg::OnPlay);
    connect(m_saveRecording, &QPushButton::clicked, this, &CEventListDlg::OnSaveRecording);
    connect(m_deleteRecording, &QPushButton::clicked, this, &CEventListDlg::OnDeleteRecording);
    connect(m_list, &QTreeWidget::itemClicked, this, &CEventListDlg::OnListClicked);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CEventListDlg::OnListDoubleClicked);
    connect(m_firstCombo, qOverload<int>(&QComboBox::activated), this, &CEventListDlg::OnFirstComboChosen);
    connect(m_secondCombo, qOverload<int>(&QComboBox::activated), this, &CEventListDlg::OnSecondComboChosen);
    connect(m_from, &QDateEdit::dateChanged, this, &CEventListDlg::OnDatesChanged);
    connect(m_to, &QDateEdit::dateChanged, this, &CEventListDlg::OnDatesChanged);
}

void CEventListDlg::FillCombos()
{
    switch (m_listType) {
    case kWakeUps: AddEntries(*m_firstCombo, kWakeUpEntries); break;
    case kCalls:
    case kAlarms: AddEntries(*m_firstCombo, kCallEntries); break;
    case kMessages:
        if (m_extension == kAllExtensions) {
            AddEntries(*m_firstCombo, kMessageEntries);
        } else {
            const QString name = m_context.ExtensionName(m_extension);
            m_firstCombo->addItem(LoadResString(kSentToString) + u' ' + name);
            m_firstCombo->addItem(LoadResString(kReceivedToString) + u' ' + name);
        }
        break;
    default: AddEntries(*m_firstCombo, kNoteEntries); break;
    }
    if (m_listType == kMessages)
        AddEntries(*m_secondCombo, kReadEntries);
    else
        AddEntries(*m_secondCombo, kCallFilterEntries);
    if (m_listType == kWakeUps || m_listType == kNotes) {
        m_firstCombo->setCurrentIndex(0);
    } else {
        m_firstCombo->setCurrentIndex(m_option < m_firstCombo->count() ? m_option : 0);
        m_secondCombo->setCurrentIndex(m_secondOption < m_secondCombo->count() ? m_secondOption : 0);
    }

    m_lineCombo->addItem(LoadResString(kAutomaticLineString));
    if (m_context.state) {
        static const PbxLabelReader noLabels = [](PbxLabelKind, int, int) { return QString(); };
        const PbxLabelReader& labels = m_context.labels ? m_context.labels : noLabels;
        const int lines = m_context.state->FirstCounts().lines;
        for (int line = 0; line < lines; ++line)
            m_lineCombo->addItem(FormatLineName(*m_context.state, labels, line));
    }
    m_lineCombo->addItem(LoadResString(kDirectCallString));
    m_lineCombo->setCurrentIndex(0);
}

void CEventListDlg::BuildColumns()
{
    m_list->clear();
    m_list->setColumnCount(0);
    const ColumnSpec* columns = kCallColumns;
    std::size_t count = std::size(kCallColumns);
    switch (m_listType) {
    case kWakeUps:
        m_activeColumns = m_firstCombo->currentIndex() == kActiveWakeUps;
        columns = m_activeColumns ? kActiveWakeUpColumns : kWakeEventColumns;
        count = std::size(kWakeEventColumns);
        break;
    case kAlarms:
        columns = kAlarmColumns;
        count = std::size(kAlarmColumns);
        break;
    case kMessages:
        columns = kMessageColumns;
        count = std::size(kMessageColumns);
        break;
    case kNotes:
        columns = kNoteColumns;
        count = std::size(kNoteColumns);
        break;
    default: break;
    }
    const QFontMetrics metrics = m_list->header()->fontMetrics();
    QStringList headings;
    for (std::size_t column = 0; column < count; ++column)
        headings << LoadResString(columns[column].heading);
    for (std::size_t column = 0; column < count; ++column) {
        const QString heading = headings[static_cast<int>(column)];
        const int width = std::max(CSortListCtrl::kDefaultColumnWidth, metrics.horizontalAdvance(heading) + kColumnMargin);
        m_list->InsertColumn(static_cast<int>(column), heading, columns[column].sort, Qt::AlignLeft, width);
    }
}

QString CEventListDlg::Title() const
{
    QString title = LoadResString(kTitles[m_listType]);
    if (m_listType == kCalls)
        title += QStringLiteral(" - ") + m_firstCombo->currentText();
    title += QStringLiteral(" - ");
    title += m_extension == kAllExtensions ? LoadResString(kAllExtensionsString) : m_context.ExtensionName(m_extension);
    return title;
}

QString CEventListDlg::FilterText() const
{
    switch (m_listType) {
    case kCalls:
        if (m_secondCombo->currentIndex() > kFilterNone)
            return m_secondCombo->currentText();
        break;
    case kMessages: return m_secondCombo->currentText();
    case kNotes:
        if (m_firstCombo->currentIndex() > kFilterNone)
            return m_firstCombo->currentText();
        break;
    default: break;
    }
    return LoadResString(kNoneString);
}

void CEventListDlg::UpdateControls()
{
    setWindowTitle(Title());
    m_otherFilters->setText(LoadResString(kOtherFiltersString) + FilterText());
    const bool activeOfAll =
        m_listType == kWakeUps && m_firstCombo->currentIndex() == kActiveWakeUps && m_extension == kAllExtensions;
    const QLocale locale;
    m_dateFilter->setText(LoadResString(kDateFilterString) +
                          (activeOfAll ? LoadResString(kNoneString)
                                       : FormatOleDate(m_start, locale) + QStringLiteral("  -  ") + FormatOleDate(m_end, locale)));

    switch (m_listType) {
    case kMessages:
        m_action->setText(LoadResString(kDeleteString));
        m_search->setText(LoadResString(kShowString));
        break;
    case kNotes:
        m_action->setText(LoadResString(kCopyString));
        m_search->setText(LoadResString(kShowString));
        break;
    default:
        m_action->setText(LoadResString(kCallString));
        m_search->setText(LoadResString(kSearchString));
        break;
    }

    const bool calls = m_listType == kCalls;
    m_firstCombo->setVisible(m_listType != kAlarms);
    m_secondCombo->setVisible(calls || m_listType == kMessages);
    m_callFilter->setVisible(calls);
    m_noteNumber->setVisible(false);
    m_lineCombo->setVisible(calls);
    m_search->setVisible(calls || m_listType == kMessages || m_listType == kNotes);
    m_addNote->setVisible(calls);
    m_addressBook->setVisible(calls && static_cast<bool>(m_hooks.importContact));
    m_to->setVisible(!(m_listType == kWakeUps && m_firstCombo->currentIndex() == kActiveWakeUps));
    m_toLabel->setVisible(m_to->isVisibleTo(this));
    if (m_listType == kNotes) {
        const int filter = m_firstCombo->currentIndex();
        m_secondCombo->setVisible(filter == kNotesInternal || filter == kNotesExternal);
        m_noteNumber->setVisible(filter == kNotesNumber);
    }
    DisableRowButtons();
}

void CEventListDlg::DisableRowButtons()
{
    // Nothing is selected until the list is clicked again.
    for (QPushButton* button : {m_action, m_search, m_addNote, m_addressBook, m_play, m_saveRecording, m_deleteRecording})
        button->setEnabled(false);
    m_lineCombo->setEnabled(false);
}

void CEventListDlg::FillNoteLinkCombo()
{
    const int filter = m_firstCombo->currentIndex();
    if (filter == kNotesInternal || filter == kNotesExternal) {
        m_secondCombo->clear();
        if (m_context.state) {
            static const PbxLabelReader noLabels = [](PbxLabelKind, int, int) { return QString(); };
            const PbxLabelReader& labels = m_context.labels ? m_context.labels : noLabels;
            const PbxObjectCounts counts = m_context.state->FirstCounts();
            const int count = filter == kNotesInternal ? counts.extensions : counts.lines;
            for (int index = 0; index < count; ++index)
                m_secondCombo->addItem(filter == kNotesInternal ? FormatExtensionName(*m_context.state, labels, index)
                                                                : FormatLineName(*m_context.state, labels, index));
        }
        m_secondCombo->setCurrentIndex(0);
    } else if (filter == kNotesNumber) {
        m_noteNumber->clear();
    }
}

void CEventListDlg::OnFirstComboChosen()
{
    if (m_listType == kWakeUps) {
        m_list->DeleteAllItems();
        m_rows.clear();
        BuildColumns();
        m_export->setEnabled(false);
    } else if (m_listType == kNotes) {
        FillNoteLinkCombo();
    } else {
        m_option = m_firstCombo->currentIndex();
    }
    UpdateControls();
}

void CEventListDlg::OnSecondComboChosen()
{
    if (m_listType != kNotes)
        m_secondOption = m_secondCombo->currentIndex();
    UpdateControls();
}

void CEventListDlg::OnDatesChanged()
{
    m_start = OleDate(m_from->date().year(), m_from->date().month(), m_from->date().day(), m_start.Hour(),
                      m_start.Minute(), m_start.Second());
    m_end = OleDate(m_to->date().year(), m_to->date().month(), m_to->date().day(), m_end.Hour(), m_end.Minute(),
                    m_end.Second());
    UpdateControls();
}

void CEventListDlg::SetPeriod(const OleDate& start, const OleDate& end)
{
    m_start = start;
    m_end = end;
    const QSignalBlocker fromBlocker(m_from);
    const QSignalBlocker toBlocker(m_to);
    m_from->setDate(start.Date());
    m_to->setDate(end.Date());
    UpdateControls();
}

void CEventListDlg::ConnectDatabase()
{
    m_database = std::make_unique<CSqlDatabase>();
    const int code = m_hooks.connectDatabase(*m_database);
    m_connected = code == 0;
    if (!m_connected)
        Error(code);
}

void CEventListDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_initialised)
        return;
    m_initialised = true;
    ConnectDatabase();
    if (m_refreshOnShow) {
        m_refreshOnShow = false;
        m_target.Post(WM_COMMAND, kRefresh, 0);
    }
}

bool CEventListDlg::event(QEvent* event)
{
    if (m_messages.Dispatch(event))
        return true;
    return QDialog::event(event);
}

void CEventListDlg::closeEvent(QCloseEvent* event)
{
    if (m_progress) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CEventListDlg::reject()
{
    if (m_progress)
        return;
    QDialog::reject();
}

void CEventListDlg::Message(unsigned textString)
{
    m_hooks.message(LoadResString(kProgramNameString), LoadResString(textString));
}

void CEventListDlg::Error(int code)
{
    m_hooks.error(code);
}

int CEventListDlg::SelectedPosition() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.first());
}

const CEventListDlg::Row* CEventListDlg::RowAt(int position) const
{
    if (position < 0 || position >= m_list->ItemCount())
        return nullptr;
    const auto index = static_cast<std::size_t>(m_list->ItemData(position));
    return index < m_rows.size() ? &m_rows[index] : nullptr;
}
