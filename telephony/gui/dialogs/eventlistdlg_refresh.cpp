// The event lists' refresh: each type's query, then its rows rewritten from stored codes into names and
// texts, filtered, and put into the list.
#include "eventlistdlg.h"

#include "contactnames.h"
#include "oledatetext.h"
#include "operatorconsolequeries.h"
#include "operatorconsolestate.h"
#include "pbxdisplaynames.h"
#include "recorderftpclient.h"
#include "recordingmatch.h"
#include "rowsink.h"
#include "sortlistctrl.h"
#include "sqldatabase.h"
#include "stringtable.h"

#include <QComboBox>
#include <QDateTime>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr unsigned kOutcomeStrings = 14100;
constexpr unsigned kCallTypeStrings = 14149;
constexpr unsigned kWakeUpString = 10025;
constexpr unsigned kUnknownString = 1005;
constexpr unsigned kOnceString = 10034;
constexpr unsigned kDailyString = 10033;
constexpr int kActiveWakeUps = 1;
constexpr int kColumnMargin = 28;

// Link kinds in the high byte of a call's or note's link.
constexpr int kLinkWakeUp = 0;
constexpr int kLinkExtension = 1;
constexpr int kLinkLine = 2;
constexpr int kLinkEntryPhone = 3;
constexpr int kNoteLinkExtension = 256;
constexpr int kNoteLinkLine = 512;

// Call types (Uscente) whose numbers lose the outside-line prefix.
constexpr int kOutgoingCall = 2;
constexpr int kUnansweredOutgoing = 4;
constexpr qsizetype kShortNumber = 3;

// Call filters (second option) and the direction flags of the query.
enum CallFilter { kAllCalls, kInternalCalls, kExternalCalls, kNumberBegins, kNumberContains, kNameBegins, kNameContains };
constexpr unsigned kDirectionFlags[] = {0x01, 0x02, 0x04, 0x00};
constexpr unsigned kInternalFlag = 0x08;
constexpr unsigned kExternalFlag = 0x10;

// Message options and read kinds.
constexpr int kReceived = 0;
constexpr int kSent = 1;
constexpr unsigned kReadFlag = 0x01;
constexpr unsigned kUnreadFlag = 0x02;

// Note filters of combo 1084 and the query's search kinds.
constexpr int kNotesInternal = 1;
constexpr int kNotesExternal = 2;
constexpr int kNotesNumber = 3;
constexpr int kSearchLink = 1;
constexpr int kSearchNumber = 2;

// Call-log row columns as the query gives them.
enum CallColumn { kCallExtension, kCallStart, kCallEnd, kCallDuration, kCallLink, kCallType, kCallFrom, kCallTo, kCallNumber, kCallName };

// A query's rows kept before the rewrite.
class CollectedRows : public RowSink {
public:
    struct Entry {
        QStringList texts;
        qint64 itemData;
    };
    void DeleteAll() override { entries.clear(); }
    void Append(const QStringList& texts, qint64 itemData) override { entries.push_back({texts, itemData}); }

    std::vector<Entry> entries;
};

// Two-digit years below this one belong to the next century.
constexpr int kTwoDigitYearPivot = 1930;

QString NumberedString(unsigned first, const QString& value)
{
    return LoadResString(first + static_cast<unsigned>(value.toInt()));
}

}  // namespace

QString CEventListDlg::MessagePartyName(const QString& cell, const ConsoleWindowContext& context)
{
    // The query writes the extension, then its PBX: "12 + 1".
    const QStringList parts = cell.split(QStringLiteral(" + "));
    if (parts.size() != 2 || !context.state)
        return LoadResString(kUnknownString);
    bool extensionRead = false;
    bool pbxRead = false;
    const int extension = parts[0].trimmed().toInt(&extensionRead);
    const int pbx = parts[1].trimmed().toInt(&pbxRead);
    const OperatorConsoleState& state = *context.state;
    const int firstCount = state.FirstCounts().extensions;
    const int secondCount = state.hasSecondPbx ? state.SecondCounts().extensions : 0;
    if (extensionRead && pbxRead && extension >= 0) {
        if (pbx == state.firstPbxIdentifier && extension < firstCount)
            return context.ExtensionName(extension);
        if (secondCount != 0 && pbx == state.secondPbxIdentifier && extension < secondCount)
            return context.ExtensionName(firstCount + extension);
    }
    return LoadResString(kUnknownString);
}

bool CEventListDlg::Refresh()
{
    if (!m_connected || !m_database) {
        if (m_listType == kWakeUps && m_firstCombo->currentIndex() == kActiveWakeUps && m_extension == kAllExtensions) {
            ListActiveWakeUps();
            DisableRowButtons();
            FinishRows();
            return true;
        }
        return false;
    }
    bool done = false;
    m_contactNames.clear();
    m_storedDateFormat = QLocale().dateFormat(QLocale::ShortFormat) + QStringLiteral(" HH:mm:ss");
    switch (m_listType) {
    case kWakeUps: done = RefreshWakeUps(); break;
    case kCalls: done = RefreshCalls(); break;
    case kAlarms: done = RefreshAlarms(); break;
    case kMessages: done = RefreshMessages(); break;
    default: done = RefreshNotes(); break;
    }
    m_export->setEnabled(true);
    DisableRowButtons();
    FinishRows();
    return done;
}

void CEventListDlg::FinishRows()
{
    // Each column as wide as its heading and the texts of the rows in view.
    const QFontMetrics metrics = m_list->header()->fontMetrics();
    for (int column = 0; column < m_list->columnCount(); ++column) {
        const int heading = metrics.horizontalAdvance(m_list->headerItem()->text(column)) + kColumnMargin;
        m_list->resizeColumnToContents(column);
        if (m_list->columnWidth(column) < heading)
            m_list->setColumnWidth(column, heading);
    }
}

OleDate CEventListDlg::StoredDate(const QString& text) const
{
    // The connection writes the locale's short date and "HH:mm:ss": that one form is read first, as the
    // general reader tries several and a list has thousands of dates.
    QDateTime value = QDateTime::fromString(text, m_storedDateFormat);
    if (!value.isValid())
        return ParseDisplayedOleDate(text, QLocale());
    if (!m_storedDateFormat.contains(QStringLiteral("yyyy")) && value.date().year() < kTwoDigitYearPivot)
        value = value.addYears(100);
    return OleDate::FromDateTime(value);
}

int CEventListDlg::AddRow(Row row)
{
    const qint64 index = static_cast<qint64>(m_rows.size());
    m_rows.push_back(row);
    return m_list->InsertItem(m_list->ItemCount(), QString(), index);
}

void CEventListDlg::SetCell(int position, int column, const QString& text)
{
    m_list->SetItemText(position, column, text);
    // The whole text shows as a tip where the column is too narrow for it.
    m_list->topLevelItem(position)->setToolTip(column, text);
}

void CEventListDlg::SetDateCell(int position, int column, const QString& stored, bool timeOnly)
{
    const OleDate date = StoredDate(stored);
    if (!date.IsValid()) {
        SetCell(position, column, stored);
        return;
    }
    SetCell(position, column, timeOnly ? date.Time().toString(QStringLiteral("HH:mm:ss")) : FormatOleDate(date, QLocale()));
    m_list->SetSortValue(position, column, date.ToDateTime());
}

QString CEventListDlg::ExtensionText(const QString& indexText)
{
    bool read = false;
    const int index = indexText.toInt(&read);
    if (read && m_context.state && index >= 0 && index < m_context.state->FirstCounts().extensions)
        return m_context.ExtensionName(index);
    return indexText;
}

QString CEventListDlg::LinkText(int link)
{
    if (!m_context.state || link < 0)
        return {};
    static const PbxLabelReader noLabels = [](PbxLabelKind, int, int) { return QString(); };
    const PbxLabelReader& labels = m_context.labels ? m_context.labels : noLabels;
    OperatorConsoleState& state = *m_context.state;
    const PbxObjectCounts counts = state.FirstCounts();
    const int index = link & 0xFF;
    switch (link >> 8) {
    case kLinkWakeUp: return LoadResString(kWakeUpString);
    case kLinkExtension: return index < counts.extensions ? FormatExtensionName(state, labels, index) : QString();
    case kLinkLine: return index < counts.lines ? FormatLineName(state, labels, index) : QString();
    case kLinkEntryPhone: return index < counts.entryPhones ? FormatEntryPhoneName(state, labels, index) : QString();
    default: return {};
    }
}

QString CEventListDlg::ContactName(const QString& number)
{
    if (!m_context.state || !m_database)
        return {};
    // Many calls of a list share a number: each is looked up once per refresh.
    const auto cached = m_contactNames.constFind(number);
    if (cached != m_contactNames.constEnd())
        return *cached;
    const QString name = LookupContactName(*m_context.state, *m_database, number, false);
    m_contactNames.insert(number, name);
    return name;
}

void CEventListDlg::ListActiveWakeUps()
{
    m_list->DeleteAllItems();
    m_rows.clear();
    if (!m_context.state)
        return;
    const OperatorConsoleState& state = *m_context.state;
    const int count = state.FirstCounts().extensions;
    for (int extension = 0; extension < count; ++extension) {
        const auto& wakeUp = state.tables.extensionWakeUp[static_cast<std::size_t>(extension)];
        if (wakeUp[1] == 0)
            continue;
        const int position = AddRow({static_cast<int>(m_rows.size()), -1, std::nullopt, extension, extension});
        SetCell(position, 0, m_context.ExtensionName(extension));
        SetCell(position, 1, QTime(wakeUp[2], wakeUp[3], wakeUp[4]).toString(QStringLiteral("HH:mm:ss")));
        SetCell(position, 2, LoadResString(wakeUp[1] == 2 ? kOnceString : kDailyString));
    }
}

bool CEventListDlg::RefreshWakeUps()
{
    if (m_firstCombo->currentIndex() == kActiveWakeUps && m_extension == kAllExtensions) {
        ListActiveWakeUps();
        return true;
    }
    CollectedRows rows;
    const int code = m_database->QueryWakeEvents(m_pbxIdentifier, m_extension, &m_start, &m_end, rows);
    if (code != 0) {
        Error(code);
        return false;
    }
    m_list->DeleteAllItems();
    m_rows.clear();
    for (std::size_t at = 0; at < rows.entries.size(); ++at) {
        const QStringList& texts = rows.entries[at].texts;
        const int position = AddRow({static_cast<int>(at), -1, std::nullopt, texts[0].toInt(), texts[0].toInt()});
        SetCell(position, 0, ExtensionText(texts[0]));
        SetDateCell(position, 1, texts[1]);
        SetCell(position, 2, NumberedString(kOutcomeStrings, texts[2]));
    }
    return true;
}

bool CEventListDlg::RefreshCalls()
{
    if (m_recorderPresent && m_context.recorder)
        m_recordings = m_context.recorder->ListRecordings();
    const QString filter = m_callFilter->text().toUpper();
    unsigned kinds = m_option >= 0 && m_option < static_cast<int>(std::size(kDirectionFlags)) ? kDirectionFlags[m_option] : 0;
    if (m_secondOption == kInternalCalls)
        kinds |= kInternalFlag;
    else if (m_secondOption == kExternalCalls)
        kinds |= kExternalFlag;
    CollectedRows rows;
    const int code = m_database->QueryCallLog(m_pbxIdentifier, m_extension, kinds, &m_start, &m_end, rows);
    if (code != 0) {
        Error(code);
        return false;
    }
    m_list->DeleteAllItems();
    m_rows.clear();
    const int lines = m_context.state ? m_context.state->FirstCounts().lines : 0;
    const QIcon recorded = style()->standardIcon(QStyle::SP_MediaVolume);
    m_list->setUpdatesEnabled(false);
    for (std::size_t at = 0; at < rows.entries.size(); ++at) {
        const QStringList& texts = rows.entries[at].texts;
        const int link = texts[kCallLink].toInt();
        const int linkKind = link >> 8;
        const int type = texts[kCallType].toInt();
        QString number = texts[kCallNumber];
        if ((type == kOutgoingCall && linkKind == kLinkLine) || (type == kUnansweredOutgoing && number.size() > kShortNumber))
            StripDialPrefix(number, lines);
        if (m_secondOption == kNumberBegins && !number.toUpper().startsWith(filter))
            continue;
        if (m_secondOption == kNumberContains && !number.toUpper().contains(filter))
            continue;
        const QString name = linkKind == kLinkLine ? ContactName(number).toUpper() : QString();
        if (m_secondOption == kNameBegins && !name.startsWith(filter))
            continue;
        if (m_secondOption == kNameContains && !name.contains(filter))
            continue;

        Row row{static_cast<int>(at), link, std::nullopt, texts[kCallExtension].toInt(), texts[kCallExtension].toInt()};
        if (m_recorderPresent) {
            const std::optional<int> line = linkKind == kLinkLine ? std::optional<int>(link & 0xFF) : std::nullopt;
            row.recording = MatchRecording(m_recordings, row.extension, line, StoredDate(texts[kCallStart]),
                                           StoredDate(texts[kCallEnd]));
        }
        const int position = AddRow(row);
        SetCell(position, kCallExtension, ExtensionText(texts[kCallExtension]));
        SetDateCell(position, kCallStart, texts[kCallStart]);
        SetDateCell(position, kCallEnd, texts[kCallEnd]);
        SetDateCell(position, kCallDuration, texts[kCallDuration], true);
        SetCell(position, kCallLink, LinkText(link));
        SetCell(position, kCallType, NumberedString(kCallTypeStrings, texts[kCallType]));
        for (const int column : {kCallFrom, kCallTo}) {
            const int index = texts[column].toInt();
            const bool known = m_context.state && index < m_context.state->FirstCounts().extensions;
            SetCell(position, column, known ? m_context.ExtensionName(index) : QString());
        }
        SetCell(position, kCallNumber, number);
        SetCell(position, kCallName, name);
        if (row.recording)
            m_list->topLevelItem(position)->setIcon(0, recorded);
    }
    m_list->setUpdatesEnabled(true);
    return true;
}

bool CEventListDlg::RefreshAlarms()
{
    CollectedRows rows;
    const int code = m_database->QueryAlarmEvents(m_pbxIdentifier, m_extension, &m_start, &m_end, rows);
    if (code != 0) {
        Error(code);
        return false;
    }
    m_list->DeleteAllItems();
    m_rows.clear();
    for (std::size_t at = 0; at < rows.entries.size(); ++at) {
        // IndiceOggetto, Ora, OraRisposta, Esito, IndiceDerivato, TipoAllarme.
        const QStringList& texts = rows.entries[at].texts;
        const int object = texts[0].toInt();
        const int position = AddRow({static_cast<int>(at), -1, std::nullopt, object, object});
        SetCell(position, 0, ExtensionText(texts[0]));
        SetDateCell(position, 1, texts[1]);
        SetDateCell(position, 2, texts[2]);
        SetCell(position, 3, NumberedString(kOutcomeStrings, texts[3]));
        SetCell(position, 4, ExtensionText(texts[4]));
        SetCell(position, 5, m_database->GetAlarmLabel(m_pbxIdentifier, object));
    }
    return true;
}

bool CEventListDlg::RefreshMessages()
{
    MessageFilter filter;
    if (m_context.state && m_option != kReceived && m_option != kSent) {
        // All messages: no condition.
    } else if (m_context.state) {
        const OperatorConsoleState& state = *m_context.state;
        const int firstCount = state.FirstCounts().extensions;
        // The chosen extension's PBX and local index (255: all extensions of every PBX).
        int chosenPbx = 255;
        int chosen = 255;
        if (m_extension != kAllExtensions) {
            chosen = m_extension < firstCount ? m_extension : m_extension - firstCount;
            chosenPbx = m_extension < firstCount ? state.firstPbxIdentifier : state.secondPbxIdentifier;
        }
        if (m_option == kReceived) {
            filter = {chosenPbx, state.firstPbxIdentifier, chosen, state.ownExtension, 0};
        } else {
            filter = {state.firstPbxIdentifier, chosenPbx, state.ownExtension, chosen, 0};
        }
    }
    filter.readKinds = m_secondOption == 0 ? kReadFlag : m_secondOption == 1 ? kUnreadFlag : 0;
    CollectedRows rows;
    const int code = m_database->QueryMessages(filter, &m_start, &m_end, &rows, nullptr);
    if (code != 0) {
        Error(code);
        return false;
    }
    m_list->DeleteAllItems();
    m_rows.clear();
    for (std::size_t at = 0; at < rows.entries.size(); ++at) {
        // From, To, MessageDate, MessageText, IsRead.
        const QStringList& texts = rows.entries[at].texts;
        const int position = AddRow({static_cast<int>(at), -1, std::nullopt, rows.entries[at].itemData, -1});
        SetCell(position, 0, MessagePartyName(texts[0], m_context));
        SetCell(position, 1, MessagePartyName(texts[1], m_context));
        SetDateCell(position, 2, texts[2]);
        SetCell(position, 3, texts[3]);
        SetCell(position, 4, texts[4]);
    }
    return true;
}

bool CEventListDlg::RefreshNotes()
{
    int searchKind = 0;
    QString searchText;
    const int filter = m_firstCombo->currentIndex();
    if (filter == kNotesInternal || filter == kNotesExternal) {
        searchKind = kSearchLink;
        const int base = filter == kNotesInternal ? kNoteLinkExtension : kNoteLinkLine;
        searchText = QString::number(base + std::max(0, m_secondCombo->currentIndex()));
    } else if (filter == kNotesNumber) {
        searchKind = kSearchNumber;
        searchText = m_noteNumber->text();
    }
    CollectedRows rows;
    const int code =
        m_database->QueryNotes(m_pbxIdentifier, m_extension, &m_start, &m_end, searchKind, searchText, rows);
    if (code != 0) {
        Error(code);
        return false;
    }
    m_list->DeleteAllItems();
    m_rows.clear();
    for (std::size_t at = 0; at < rows.entries.size(); ++at) {
        // IndiceDerivato, DataNota, Link, Numero, Nota.
        const QStringList& texts = rows.entries[at].texts;
        const int link = texts[2].toInt();
        const int position = AddRow({static_cast<int>(at), link, std::nullopt, rows.entries[at].itemData, texts[0].toInt()});
        SetCell(position, 0, ExtensionText(texts[0]));
        SetDateCell(position, 1, texts[1]);
        SetCell(position, 2, LinkText(link));
        SetCell(position, 3, texts[3]);
        SetCell(position, 4, (link >> 8) == kLinkLine ? ContactName(texts[3]).toUpper() : QString());
        SetCell(position, 5, texts[4]);
    }
    return true;
}
