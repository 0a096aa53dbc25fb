// The event lists' actions: call back, look up, notes, messages, the address book, the clicks on the
// list and the export.
#include "eventlistdlg.h"

#include "callplacement.h"
#include "engineclient.h"
#include "filedialogfilter.h"
#include "listexport.h"
#include "noterecord.h"
#include "operatorconsolequeries.h"
#include "operatorconsolestate.h"
#include "pbxdisplaynames.h"
#include "pbxframebuilders.h"
#include "pbxstateloader.h"
#include "registrykey.h"
#include "sortlistctrl.h"
#include "sqldatabase.h"
#include "stringtable.h"
#include "textdlg.h"

#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>
#include <QUrl>
#include <QUrlQuery>

#include <array>

namespace {

constexpr int kLinkExtension = 1;
constexpr int kLinkLine = 2;
constexpr int kLinkEntryPhone = 3;
constexpr qsizetype kShortNumber = 3;

// Columns the actions read.
constexpr int kExtensionColumn = 0;
constexpr int kCallNumberColumn = 8;
constexpr int kCallNameColumn = 9;
constexpr int kMessageTextColumn = 3;
constexpr int kNoteTextColumn = 5;

// The reverse look-up of a number in a public telephone directory, opened in the browser. Its host is
// Registry.ini [Telephony] LookupHost.
const QString kTelephonyGroup = QStringLiteral("Telephony");
const QString kLookupHostName = QStringLiteral("LookupHost");
const QString kDefaultLookupHost = QStringLiteral("directory.example");
const QString kLookupPath = QStringLiteral("/execute.cgi");
const QString kLookupQuery = QStringLiteral("btt=1&ts=106&cb=8&mr=10&rk=&om=");

// Export: the file dialog's titles per type, its filter, the two files' extensions, the messages.
constexpr unsigned kExportTitles[] = {10124, 10125, 1020, 1194, 1220};
constexpr unsigned kExportFilterString = 10126;
constexpr unsigned kOpenFailedString = 10127;
constexpr int kCsvFilter = 1;

}  // namespace

void CEventListDlg::OnAction()
{
    const int position = SelectedPosition();
    if (position < 0)
        return;
    switch (m_listType) {
    case kCalls: CallRow(position); return;
    case kMessages: DeleteMessageRow(position); return;
    case kNotes: m_hooks.setClipboard(m_list->ItemText(position, kNoteTextColumn)); return;
    default: return;
    }
}

void CEventListDlg::CallRow(int position)
{
    const Row* row = RowAt(position);
    if (!row || !m_context.state)
        return;
    const OperatorConsoleState& state = *m_context.state;
    const CallPlacement placement = m_context.Placement();
    const int index = row->link & 0xFF;
    switch (row->link >> 8) {
    case kLinkExtension:
        PlaceCallOnLine(state, placement, FormatExtensionPortCode(state, index), kAnyLineNone, kThisStationExtension, true);
        return;
    case kLinkEntryPhone:
        PlaceCallOnLine(state, placement, FormatEntryPhoneNumber(state, index), kAnyLineNone, kThisStationExtension, true);
        return;
    default: break;
    }
    const QString number = m_list->ItemText(position, kCallNumberColumn);
    if (number.isEmpty())
        return;
    // Combo 1086: "Automatico" (any line, 0), each line (its index + 1), then "Chiamata diretta".
    const int choice = m_lineCombo->currentIndex();
    const int line = choice >= 0 && choice <= state.FirstCounts().lines ? choice : kAnyLineNone;
    PlaceCallOnLine(state, placement, number, line, kThisStationExtension, true);
}

void CEventListDlg::DeleteMessageRow(int position)
{
    const Row* row = RowAt(position);
    if (!row || !m_database)
        return;
    DeletedMessage deleted;
    int code = m_database->DeleteMessage(static_cast<int>(row->key), deleted);
    if (code == 0 && deleted.found) {
        std::array<std::uint8_t, 16> frame{};
        const std::size_t size = BuildMessageNotifyFrame(
            frame.data(), kMessageReadOrDeleted, static_cast<std::uint8_t>(deleted.source),
            static_cast<std::uint8_t>(deleted.destination), static_cast<std::uint8_t>(deleted.pbxIdentifier),
            static_cast<std::uint8_t>(deleted.destinationPbxIdentifier));
        const CEngineClient* engine = m_context.Engine();
        const int pbx = PbxListPosition(*m_database, m_pbxIdentifier);
        if (engine && pbx >= 0)
            code = engine->SendToClients(static_cast<std::uint8_t>(pbx), std::span(frame).first(size));
    }
    if (code != 0)
        Error(code);
    Refresh();
}

void CEventListDlg::OnSearch()
{
    const int position = SelectedPosition();
    if (position < 0)
        return;
    if (m_listType == kMessages || m_listType == kNotes) {
        ShowRowText(position);
        return;
    }
    if (m_listType != kCalls)
        return;
    // The number is percent-encoded: a "+" or "&" in it would otherwise change the query.
    const QString number = m_list->ItemText(position, kCallNumberColumn);
    QUrl url;
    url.setScheme(QStringLiteral("https"));
    url.setHost(RegistryKey(kTelephonyGroup).ReadString(kLookupHostName, kDefaultLookupHost));
    url.setPath(kLookupPath);
    url.setQuery(kLookupQuery + QStringLiteral("&qs=") + QString::fromLatin1(QUrl::toPercentEncoding(number)),
                 QUrl::StrictMode);
    m_hooks.openUrl(url);
}

void CEventListDlg::ShowRowText(int position)
{
    const int column = m_listType == kMessages ? kMessageTextColumn : kNoteTextColumn;
    CTextDlg dialog(m_list->ItemText(position, column), this);
    m_hooks.runDialog(dialog);
}

void CEventListDlg::OnAddNote()
{
    const int position = SelectedPosition();
    const Row* row = RowAt(position);
    if (!row || !m_database)
        return;
    CTextDlg dialog(QString(), this);
    if (m_hooks.runDialog(dialog) != QDialog::Accepted)
        return;
    NoteRecord note;
    note.link = static_cast<std::uint16_t>(std::max(0, row->link));
    note.date = OleDate::Now();
    note.number = m_list->ItemText(position, kCallNumberColumn);
    note.note = dialog.Text();
    if (const int code = m_database->InsertNote(m_pbxIdentifier, row->extension, note))
        Error(code);
}

void CEventListDlg::OnAddressBook()
{
    const int position = SelectedPosition();
    if (position < 0 || !m_hooks.importContact)
        return;
    m_hooks.importContact(m_list->ItemText(position, kCallNumberColumn));
    Refresh();
}

void CEventListDlg::OnListDoubleClicked()
{
    if (m_listType == kMessages || m_listType == kNotes) {
        const int position = SelectedPosition();
        if (position >= 0)
            ShowRowText(position);
    }
}

void CEventListDlg::ClickRow(int position)
{
    m_list->clearSelection();
    if (position >= 0 && position < m_list->ItemCount()) {
        m_list->setCurrentItem(m_list->topLevelItem(position));
        m_list->topLevelItem(position)->setSelected(true);
    }
    OnListClicked();
}

void CEventListDlg::OnListClicked()
{
    DisableRowButtons();
    const int position = SelectedPosition();
    const Row* row = RowAt(position);
    if (!row)
        return;
    if (m_listType == kMessages || m_listType == kNotes) {
        m_action->setEnabled(true);
        m_search->setEnabled(true);
        return;
    }
    if (m_listType != kCalls)
        return;
    const int directCall = m_lineCombo->count() - 1;
    const QString number = m_list->ItemText(position, kCallNumberColumn);
    const bool named = !m_list->ItemText(position, kCallNameColumn).isEmpty();
    const int kind = row->link >> 8;
    if (kind == kLinkExtension || kind == kLinkEntryPhone) {
        m_action->setEnabled(true);
        m_lineCombo->setCurrentIndex(directCall);
    } else if (!number.isEmpty()) {
        m_action->setEnabled(true);
        m_search->setEnabled(kind == kLinkLine);
        m_addressBook->setEnabled(!named);
        m_lineCombo->setEnabled(true);
        if (kind == kLinkLine)
            m_lineCombo->setCurrentIndex(std::min((row->link & 0xFF) + 1, directCall));
        else
            m_lineCombo->setCurrentIndex(number.size() > kShortNumber ? 0 : directCall);
    }
    m_addNote->setEnabled(m_context.state &&
                          m_list->ItemText(position, kExtensionColumn) == m_context.ExtensionName(m_context.state->ownExtension));
    if (m_recorderPresent && row->recording) {
        m_saveRecording->setEnabled(true);
        m_deleteRecording->setEnabled(true);
        m_play->setEnabled(m_list->selectedItems().size() == 1);
    }
}

void CEventListDlg::OnExport()
{
    int filterIndex = 0;
    const QString chosen = m_hooks.saveFileName(LoadResString(kExportTitles[m_listType]),
                                                FileDialogFilter(LoadResString(kExportFilterString)), filterIndex);
    if (chosen.isEmpty())
        return;
    const bool csv = filterIndex == kCsvFilter;
    // The name loses its extension (or a trailing ".") and gets the one of the chosen kind.
    QString path = chosen;
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot > path.lastIndexOf(u'/'))
        path.truncate(dot);
    path += csv ? QStringLiteral(".csv") : QStringLiteral(".txt");
    ListExportFormat format = ListExportFormatFor(csv, QLocale());
    if (csv)
        format.kinds.assign(static_cast<std::size_t>(m_list->columnCount()), ListColumnKind::kText);
    if (!WriteListExportFile(ListExportText(*m_list->model(), format), path))
        Message(kOpenFailedString);
}
