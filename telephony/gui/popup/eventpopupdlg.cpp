// CEventPopupDlg: the window, its controls and their layout, the alarm countdown.
#include "eventpopupdlg.h"

#include "derivedview.h"
#include "operatorconsolestate.h"
#include "operatorsettingsrecords.h"
#include "pbxdisplaynames.h"
#include "popuprowbutton.h"
#include "popupstrings.h"
#include "sound.h"
#include "stringtable.h"
#include "workarea.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QStyle>
#include <QTimer>

#include <cmath>

namespace {

constexpr int kFontPixels = 14;
const QColor kBackground(204, 255, 204);
constexpr int kTimerMs = 1000;
constexpr int kMargin = 5;
constexpr int kButtonPadding = 10;  // a button is its caption and 10
constexpr int kButtonGap = 15;      // ... and the next control starts 5 further
constexpr int kListPadding = 30;    // a transfer list is its longest name and 30
constexpr int kListGap = 35;
constexpr int kListHeight = 90;
constexpr int kRowGap = 15;  // rows are a line and 15 apart
constexpr const char* kListKey = "rowKey";  // the source of the row a transfer list was filled for

int RowKey(const PopupRow& row) { return (static_cast<int>(row.sourceKind) << 8) | row.sourceIndex; }

}  // namespace

CEventPopupDlg::CEventPopupDlg(const ConsoleWindowContext& context, MessageTarget& frame, int stationExtension,
                               QWidget* parent)
    : QDialog(parent), m_context(context), m_frame(frame), m_target(this), m_timer(new QTimer(this)),
      m_station(stationExtension)
{
    setObjectName(QStringLiteral("215"));
    setModal(false);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // Courier New bold: every row's text is measured in its character width.
    m_font.setFamily(QStringLiteral("Courier New"));
    m_font.setStyleHint(QFont::TypeWriter);
    m_font.setFixedPitch(true);
    m_font.setPixelSize(kFontPixels);
    m_font.setBold(true);
    // Scalable fonts advance by fractions of a pixel: a whole pixel per character keeps every text whole.
    const QFontMetricsF metrics(m_font);
    m_charWidth = static_cast<int>(std::ceil(metrics.horizontalAdvance(QLatin1Char('A'))));
    m_lineHeight = static_cast<int>(std::ceil(metrics.height()));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    setAutoFillBackground(true);
    setWindowTitle(LoadResString(popupstrings::kProgramName));

    m_hooks.runDialog = [](QDialog& dialog) { return dialog.exec(); };
    m_hooks.playLoop = &Sound::PlayLoop;
    m_hooks.stopSound = &Sound::Stop;
    m_hooks.workArea = [] { return DesktopWorkArea(QGuiApplication::primaryScreen()); };
    m_hooks.clock = &OleDate::Now;

    m_messages.On(kRefreshMessage, [this](std::uint64_t, std::int64_t) { OnRefresh(); });
    m_messages.On(kRowActionMessage, [this](std::uint64_t wParam, std::int64_t lParam) { OnRowAction(wParam, lParam); });
    connect(m_timer, &QTimer::timeout, this, &CEventPopupDlg::OnTimer);
    m_timer->start(kTimerMs);
}

CEventPopupDlg::~CEventPopupDlg()
{
    if (m_alarmSoundOn && m_hooks.stopSound)
        m_hooks.stopSound();
    for (int row = 0; row < PopupRowTable::kMaxRows; ++row)
        DestroyRowControls(row);
}

void CEventPopupDlg::SetHooks(Hooks hooks)
{
    if (hooks.extensionsView)
        m_hooks.extensionsView = std::move(hooks.extensionsView);
    if (hooks.runDialog)
        m_hooks.runDialog = std::move(hooks.runDialog);
    if (hooks.playLoop)
        m_hooks.playLoop = std::move(hooks.playLoop);
    if (hooks.stopSound)
        m_hooks.stopSound = std::move(hooks.stopSound);
    if (hooks.workArea)
        m_hooks.workArea = std::move(hooks.workArea);
    if (hooks.clock)
        m_hooks.clock = std::move(hooks.clock);
}

bool CEventPopupDlg::event(QEvent* event)
{
    if (m_messages.Dispatch(event))
        return true;
    return QDialog::event(event);
}

void CEventPopupDlg::closeEvent(QCloseEvent* event)
{
    // The popup goes away only when it has no rows left.
    event->ignore();
}

void CEventPopupDlg::OnTimer()
{
    if (m_alarmCountdown == 0)
        return;
    if (--m_alarmCountdown != 0 || !m_context.state)
        return;
    const auto& alarms = m_context.state->tables.extensionAlarm;
    for (int extension = 0; extension < Extensions() && static_cast<std::size_t>(extension) < alarms.size(); ++extension)
        if (alarms[static_cast<std::size_t>(extension)].PendingFlag() == 1)
            m_frame.Post(kAlarmMessage, static_cast<std::uint64_t>(extension), kAlarmNotAnswered);
}

QSize CEventPopupDlg::LayoutRows()
{
    int textChars = 0;
    std::array<int, PopupRow::kButtons> captionChars{};
    for (const PopupRow& row : m_rows.Rows()) {
        textChars = std::max(textChars, static_cast<int>(row.text.size()));
        for (int place = 0; place < PopupRow::kButtons; ++place)
            captionChars[static_cast<std::size_t>(place)] =
                std::max(captionChars[static_cast<std::size_t>(place)],
                         static_cast<int>(row.captions[static_cast<std::size_t>(place)].size()));
    }
    int nameChars = 0;
    for (int extension = 0; extension < Extensions(); ++extension)
        nameChars = std::max(nameChars, static_cast<int>(m_context.ExtensionName(extension).size()));

    // The lists are filled afresh; the extension the operator chose in a call's list stays chosen for that
    // call wherever its row now stands, so that an unrelated event does not change where Transfer sends it.
    m_chosenTransfers.clear();
    for (const QComboBox* list : m_transferLists)
        if (list && list->currentIndex() >= 0)
            m_chosenTransfers[list->property(kListKey).toInt()] = list->currentData();

    int y = kMargin;
    int widest = kMargin;
    for (int row = 0; row < m_rows.Count(); ++row) {
        const PopupRow& content = m_rows.At(row);
        QLabel*& text = m_texts[static_cast<std::size_t>(row)];
        if (!text) {
            text = new QLabel(this);
            text->setObjectName(QString::number(kTextId + row));
            text->setFont(m_font);
            text->setFocusPolicy(Qt::TabFocus);
            text->setTextFormat(Qt::PlainText);  // a caller's name is never markup
            text->show();
        }
        text->setGeometry(kMargin, y + kMargin, textChars * m_charWidth, m_lineHeight);
        text->setText(content.text);
        int x = textChars * m_charWidth + kMargin;
        for (int place = 0; place < PopupRow::kButtons; ++place) {
            const int chars = captionChars[static_cast<std::size_t>(place)];
            if (content.captions[static_cast<std::size_t>(place)].isEmpty()) {
                LayoutButton(row, place, 0, 0, -1);
                continue;
            }
            LayoutButton(row, place, x + kMargin, y, chars * m_charWidth + kButtonPadding);
            x += chars * m_charWidth + kButtonGap;
        }
        if (content.transferList) {
            LayoutTransferList(row, x + kMargin, y, nameChars * m_charWidth + kListPadding);
            x += nameChars * m_charWidth + kListGap;
        } else {
            LayoutTransferList(row, 0, 0, -1);
        }
        widest = std::max(widest, x);
        y += m_lineHeight + kRowGap;
    }
    for (int row = m_rows.Count(); row < PopupRowTable::kMaxRows; ++row)
        DestroyRowControls(row);
    return {widest + kMargin, m_rows.IsEmpty() ? y + kMargin : y};
}

// A width below 0 destroys the place's button.
void CEventPopupDlg::LayoutButton(int row, int place, int left, int top, int width)
{
    static constexpr std::array<int, PopupRow::kButtons> kIds{kFirstButtonId, kSecondButtonId, kThirdButtonId};
    std::array<CPopupRowButton*, PopupRowTable::kMaxRows>* const buttons[] = {&m_firstButtons, &m_secondButtons,
                                                                             &m_thirdButtons};
    CPopupRowButton*& button = (*buttons[place])[static_cast<std::size_t>(row)];
    if (width < 0) {
        delete button;
        button = nullptr;
        return;
    }
    const PopupRow& content = m_rows.At(row);
    if (!button) {
        button = new CPopupRowButton(row, place, m_target, this);
        button->setObjectName(QString::number(kIds[static_cast<std::size_t>(place)] + row));
        button->setFont(m_font);
        button->setAutoDefault(false);
        button->show();
    }
    button->setGeometry(left, top, width, m_lineHeight + kButtonPadding);
    button->setText(content.captions[static_cast<std::size_t>(place)]);
    button->SetRow(content);
}

// A width below 0 destroys the row's list.
void CEventPopupDlg::LayoutTransferList(int row, int left, int top, int width)
{
    QComboBox*& list = m_transferLists[static_cast<std::size_t>(row)];
    if (width < 0) {
        delete list;
        list = nullptr;
        return;
    }
    if (!list) {
        list = new QComboBox(this);
        list->setObjectName(QString::number(kTransferListId + row));
        list->setFont(m_font);
        list->show();
    }
    // A closed drop-down list is one line high; 90 is the height it opens to.
    list->setGeometry(left, top, width, std::min(kListHeight, m_lineHeight + kButtonPadding));
    list->setMaxVisibleItems(std::max(1, kListHeight / std::max(1, m_lineHeight)));
    const PopupRow& content = m_rows.At(row);
    const int key = RowKey(content);
    const auto chosen = m_chosenTransfers.find(key);
    list->setProperty(kListKey, key);
    list->clear();
    for (int extension = 0; extension < Extensions(); ++extension)
        if (extension != m_station && extension != content.excludedExtension)
            list->addItem(m_context.ExtensionName(extension), extension);
    const int kept = chosen != m_chosenTransfers.end() ? list->findData(chosen->second) : -1;
    list->setCurrentIndex(kept >= 0 ? kept : (list->count() > 0 ? 0 : -1));
}

void CEventPopupDlg::DestroyRowControls(int row)
{
    const auto at = static_cast<std::size_t>(row);
    for (auto* buttons : {&m_firstButtons, &m_secondButtons, &m_thirdButtons}) {
        delete (*buttons)[at];
        (*buttons)[at] = nullptr;
    }
    delete m_texts[at];
    m_texts[at] = nullptr;
    delete m_transferLists[at];
    m_transferLists[at] = nullptr;
}

QRect CEventPopupDlg::PlaceFor(const QSize& client) const
{
    const int frameWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int titleHeight = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize outer(client.width() + 2 * frameWidth, client.height() + 2 * frameWidth + titleHeight);
    const QRect area = m_hooks.workArea();
    return {QPoint(area.right() + 1 - outer.width(), area.bottom() + 1 - outer.height()), outer};
}

std::uint8_t CEventPopupDlg::StationState() const
{
    const auto& extensions = m_context.state->tables.extensionStatus;
    return m_station >= 0 && m_station < Extensions() ? extensions[static_cast<std::size_t>(m_station)].State() : 0;
}

std::uint8_t CEventPopupDlg::StationLinkType() const
{
    const auto& extensions = m_context.state->tables.extensionStatus;
    return m_station >= 0 && m_station < Extensions() ? extensions[static_cast<std::size_t>(m_station)].LinkType() : 0;
}

std::uint8_t CEventPopupDlg::StationLinkIndex() const
{
    const auto& extensions = m_context.state->tables.extensionStatus;
    return m_station >= 0 && m_station < Extensions() ? extensions[static_cast<std::size_t>(m_station)].LinkIndex() : 0;
}

// The station's PBX's objects: the second PBX's indexes mean other objects.
int CEventPopupDlg::Extensions() const
{
    if (!m_context.state)
        return 0;
    return std::min<int>(m_context.state->FirstCounts().extensions,
                         static_cast<int>(m_context.state->tables.extensionStatus.size()));
}

int CEventPopupDlg::Lines() const
{
    if (!m_context.state)
        return 0;
    return std::min<int>(m_context.state->FirstCounts().lines, static_cast<int>(m_context.state->tables.lineStatus.size()));
}

int CEventPopupDlg::EntryPhones() const
{
    if (!m_context.state)
        return 0;
    return std::min<int>(m_context.state->FirstCounts().entryPhones,
                         static_cast<int>(m_context.state->tables.entryPhoneStatus.size()));
}

std::uint8_t CEventPopupDlg::Pbx() const
{
    return m_context.state ? static_cast<std::uint8_t>(m_context.state->firstPbxIdentifier) : 0;
}

std::uint8_t CEventPopupDlg::OfficeOptions() const
{
    return m_context.settings ? m_context.settings->office.Flags() : 0;
}
