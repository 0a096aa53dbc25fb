// The view's call lists: the period bounds, the computation of modes 1, 6 and 7 and the account's close.
#include "valuxaview.h"

#include "callrating.h"
#include "datetimedlg.h"
#include "errorbox.h"
#include "folders.h"
#include "listexport.h"
#include "oledatetext.h"
#include "ratingdatabase.h"
#include "ratinglist.h"
#include "stringtable.h"
#include "viewstrings.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

constexpr unsigned kProgramNameString = 1003;
constexpr unsigned kFirstErrorString = 15000;
constexpr unsigned kNoChargesString = 1216;
constexpr unsigned kConfirmCloseString = 1195;
constexpr unsigned kCloseFailedString = 1197;
constexpr unsigned kClosedSaveCopyString = 1199;
constexpr unsigned kTotalString = 21054;
const QString kClosedAccountExtension = QStringLiteral(".sbf");

// Called numbers with hidden digits: up to 11 characters the last three, beyond that all from the ninth.
constexpr int kShownWhole = 3;
constexpr int kLongNumber = 11;
constexpr int kShownOfLongNumber = 8;

QString HideDigits(const QString& number)
{
    if (number.size() > kLongNumber)
        return number.left(kShownOfLongNumber) + QString(number.size() - kShownOfLongNumber, u'*');
    if (number.size() > kShownWhole)
        return number.left(number.size() - kShownWhole) + QString(kShownWhole, u'*');
    return number;
}

QString DateOnly(const OleDate& date)
{
    return FormatOleDate(OleDate(date.Year(), date.Month(), date.Day()), QLocale());
}

// A duration as a time of day: Durata on a pulse counter, the seconds of Scatti on a PBX that times calls.
QString DurationText(const LoggedCall& call, bool reportsDurations)
{
    if (!reportsDurations)
        return call.duration.IsValid() ? call.duration.Time().toString(QStringLiteral("HH:mm:ss")) : QString();
    const auto seconds = static_cast<qint64>(std::max(0.0, std::floor(call.pulses)));
    return QString::asprintf("%02lld:%02lld:%02lld", seconds / 3600, seconds % 3600 / 60, seconds % 60);
}

}  // namespace

bool CValuxaView::IsCallListMode() const
{
    return m_mode == kHistoryMode || m_mode == kAccountMode || m_mode == kLineHistoryMode;
}

int CValuxaView::ModeSelection() const
{
    switch (m_mode) {
    case kHistoryMode:
        return m_historyExtension;
    case kAccountMode:
        return m_accountExtension;
    case kLineHistoryMode:
        return m_lineHistoryLine;
    case kStatisticsMode:
        return m_statisticsAnalysis;
    default:
        return 0;
    }
}

void CValuxaView::PostToFrame(int command)
{
    MessageTarget& target = m_frameTarget ? *m_frameTarget : m_target;
    target.Post(WM_COMMAND, static_cast<std::uint64_t>(command), 0);
}

void CValuxaView::OnModifyItem()
{
    if (RunEditorCommand(kModifyItemCommand))
        return;
    if (IsCallListMode() || m_mode == kStatisticsMode)
        ChangePeriodBound(false);
    else if (m_commandHandler)
        m_commandHandler(kModifyItemCommand);
}

void CValuxaView::OnAddCloneOrDeleteItem()
{
    if (RunEditorCommand(kAddCloneOrDeleteItemCommand))
        return;
    if (IsCallListMode() || m_mode == kStatisticsMode)
        ChangePeriodBound(true);
    else if (m_commandHandler)
        m_commandHandler(kAddCloneOrDeleteItemCommand);
}

void CValuxaView::ChangePeriodBound(bool end)
{
    OleDate* bound = nullptr;
    std::uint8_t purpose = 0;
    switch (m_mode) {
    case kHistoryMode:
        bound = end ? &m_historyEnd : &m_historyStart;
        break;
    case kLineHistoryMode:
        bound = end ? &m_lineHistoryEnd : &m_lineHistoryStart;
        break;
    case kStatisticsMode:
        bound = end ? &m_statisticsEnd : &m_statisticsStart;
        purpose = 2;
        break;
    case kAccountMode:
        bound = end ? &m_accountEnd : &m_accountStart;
        purpose = 4;
        break;
    default:
        return;
    }
    CDateTimeDlg dialog(static_cast<std::uint8_t>(purpose + (end ? 1 : 0)), this);
    dialog.m_date = *bound;
    dialog.m_time = *bound;
    if (dialog.exec() != QDialog::Accepted)
        return;
    *bound = dialog.Combined();
    SetViewMode(m_mode, ModeSelection(), 0);
}

void CValuxaView::OnCompute()
{
    if (RunEditorCommand(kComputeCommand))
        return;
    if (IsCallListMode())
        ComputeCallList();
    else if (m_mode == kStatisticsMode)
        ComputeStatistics();
    else if (m_commandHandler)
        m_commandHandler(kComputeCommand);  // the editors' commands
}

void CValuxaView::ComputeCallList()
{
    const bool account = m_mode == kAccountMode;
    const bool lines = m_mode == kLineHistoryMode;
    const int item = m_itemCombo->currentIndex();
    const int pbxItem = m_pbxCombo->currentIndex();
    const int pbx = account ? m_accountPbx : (pbxItem >= 0 ? m_pbxCombo->itemData(pbxItem).toInt() : -1);
    m_list->Model()->removeRows(0, m_list->RowCount());
    m_list->FitColumns();
    if (item < 0 || pbx < 0) {
        if (account)
            FinishAccount(false, false, false);
        return;
    }
    const OleDate& start = account ? m_accountStart : (lines ? m_lineHistoryStart : m_historyStart);
    const OleDate& end = account ? m_accountEnd : (lines ? m_lineHistoryEnd : m_historyEnd);
    const QString name = lines ? m_pbxs.LineName(pbx, item) : m_pbxs.ExtensionLabel(pbx, item);
    m_title->setText(LoadResString(account ? kAccountTitleText : kHistoryTitleText) + u' ' + name +
                     QStringLiteral(" (") + DateOnly(start) + QStringLiteral(" : ") + DateOnly(end) + u')');

    // Count and rows in one pass: the rows listed are the rows counted.
    std::vector<LoggedCall> calls;
    int count = 0;
    int result = 0;
    if (!m_database) {
        result = 47;  // no database: not connected
    } else if (lines) {
        result = m_database->SelectLineCalls(pbx, item, &start, &end, &calls, count);
    } else if (const int number = m_pbxs.ExtensionNumber(pbx, item); number >= 0) {
        result = m_database->SelectExtensionCalls(pbx, number, &start, &end, &calls, count);
    }  // an extension without a dialling number has no calls
    if (result != 0) {
        ShowErrorBox(LoadResString(kProgramNameString), LoadResString(kFirstErrorString + static_cast<unsigned>(result)),
                     static_cast<std::uint8_t>(result), QString());
        if (account)
            FinishAccount(false, true, true);
        return;
    }

    const bool durations = m_pbxs.ReportsDurations(pbx);
    const QByteArray configuration = m_pbxs.SystemConfiguration(pbx);
    const std::uint8_t options = account ? 0 : (lines ? m_lineHistoryOptions : m_historyOptions);
    const bool hide = account || (options & kHideDigitsOption);
    const TariffTable& tariffs = m_configuration.tariffs;
    // Compiled once for the whole list: the plain walk of the tables costs several times as much per call.
    const CompiledRules rules(m_configuration.rules, m_configuration.prefixGroups);
    double total = 0.0;
    int listed = 0;
    for (const LoggedCall& call : calls) {
        if (account && (call.pulses == 0.0 || call.billed != 0))
            continue;
        const CallRating rating = RateLoggedCall(call, configuration, rules, tariffs, m_configuration.variations);
        QStringList row{FormatOleDate(call.start, QLocale()), DurationText(call, durations)};
        if (!durations)
            row << QString::asprintf("%0.0f", call.pulses);
        if (!account && (options & kShowSecondColumnOption))
            row << (lines ? QString::number(call.extension) : m_pbxs.LineName(pbx, call.externalLine));
        row << (hide ? HideDigits(call.dialledNumber) : call.dialledNumber);
        if (!account)
            row << (rating.tariffSlot >= 0 && rating.tariffSlot < tariffs.Count()
                        ? tariffs.tariffs[static_cast<std::size_t>(rating.tariffSlot)].name
                        : QString());
        row << QString::asprintf("%0.2f", rating.cost);
        if (!account)
            row << (call.billed != 0 ? QStringLiteral("X") : QString());
        total += rating.cost;
        m_list->AddCallRow(row, call.start);
        ++listed;
    }
    if (listed > 0) {
        const int columns = m_list->ColumnCount();
        const int costColumn = account ? columns - 1 : columns - 2;
        QStringList totalRow(columns);
        totalRow[costColumn - 1] = LoadResString(kTotalString);
        totalRow[costColumn] = QString::asprintf("%0.2f", total);
        m_list->AddRow(QStringList(columns), m_list->RowCount());
        m_list->AddRow(totalRow, m_list->RowCount());
    }
    m_list->FitColumns();
    if (account) {
        FinishAccount(listed > 0, true, false);
        return;
    }
    m_buttons[3]->setEnabled(m_list->RowCount() > 0);
    m_buttons[4]->setEnabled(m_list->RowCount() > 0);
}

void CValuxaView::FinishAccount(bool listed, bool selected, bool failed)
{
    if (listed) {
        m_buttons[3]->setEnabled(true);
        m_buttons[4]->setEnabled(true);
        if (m_applyFlag)
            m_target.Post(WM_COMMAND, kCloseAccountCommand, 0);
        return;
    }
    if (failed) {
        m_applyFlag = 0;
    } else {
        if (m_applyFlag) {
            m_applyFlag = 0;
            QMessageBox::critical(this, LoadResString(kProgramNameString), LoadResString(kNoChargesString));
        }
        if (selected) {
            m_buttons[3]->setEnabled(false);
            m_buttons[4]->setEnabled(false);
        }
    }
    if (m_closeFlag)
        PostToFrame(kAppExitCommand);
}

void CValuxaView::OnDeleteItem()
{
    if (RunEditorCommand(kDeleteItemCommand))
        return;
    if (IsCallListMode() || m_mode == kStatisticsMode)
        PostToFrame(kFilePrintPreviewCommand);
    else if (m_commandHandler)
        m_commandHandler(kDeleteItemCommand);
}

QString CValuxaView::ClosedAccountPath(int pbx, int extension, const OleDate& now)
{
    return GetSharedFolder() + QString::asprintf("%.2d%.2d%.4d%.2d%.2d%.2d%.2d%.2d", pbx, extension, now.Year(),
                                                 now.Month(), now.Day(), now.Hour(), now.Minute(), now.Second()) +
           kClosedAccountExtension;
}

void CValuxaView::OnCloseAccount()
{
    if (RunEditorCommand(kCloseAccountCommand))
        return;
    if (m_mode == kHistoryMode || m_mode == kStatisticsMode || m_mode == kLineHistoryMode) {
        PostToFrame(kFileSaveAsCommand);
        return;
    }
    if (m_mode != kAccountMode) {
        if (m_commandHandler)
            m_commandHandler(kCloseAccountCommand);
        return;
    }
    const QString caption = LoadResString(kProgramNameString);
    if (!m_applyFlag && QMessageBox::warning(this, caption, LoadResString(kConfirmCloseString),
                                             QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const QString path = ClosedAccountPath(m_accountPbx, m_accountExtension, OleDate::Now());
    // The calls are marked by their stored starts, never by the listed text read back.
    std::vector<OleDate> starts;
    for (int row = 0; row < m_list->RowCount(); ++row) {
        if (const auto start = m_list->RowStart(row))
            starts.push_back(*start);
    }
    bool closed = ExportListToTextFile(*m_list->Model(), m_title->text(), path, false);
    if (closed) {
        const int number = m_pbxs.ExtensionNumber(m_accountPbx, m_accountExtension);
        closed = m_database && number >= 0 && m_database->MarkCallsBilled(m_accountPbx, number, starts) == 0;
    }
    if (!closed) {
        QFile::remove(path);
        QMessageBox::critical(this, caption, LoadResString(kCloseFailedString));
        m_applyFlag = 0;
        if (m_closeFlag)
            PostToFrame(kAppExitCommand);
        return;
    }
    m_applyFlag = 0;
    if (QMessageBox::warning(this, caption, LoadResString(kClosedSaveCopyString), QMessageBox::Yes | QMessageBox::No) ==
        QMessageBox::Yes)
        OnFileSaveAs();
    m_buttons[4]->setEnabled(false);
    OnDeleteItem();  // the print preview
}
