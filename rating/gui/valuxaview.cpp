#include "valuxaview.h"

#include "cardimagelist.h"
#include "chartcontrol.h"
#include "ratinglist.h"
#include "stringtable.h"
#include "viewstrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The form's size: the rectangle of its hidden frame 1070 sets the main window's size.
constexpr int kFormWidth = 1080;  // a call history's columns whole beside the selection
constexpr int kFormHeight = 640;
constexpr int kSelectionWidth = 266;  // room for the longest default prefix group name
constexpr int kTitlePixels = 22;  // Arial 25 units high, bold

const QString kTitleFamily = QStringLiteral("Liberation Sans");

template <typename Widget>
Widget* Named(Widget* widget, const char* id)
{
    widget->setObjectName(QLatin1StringView(id));
    return widget;
}

}  // namespace

CValuxaView::CValuxaView(RatingConfiguration& configuration, const RatingPbxFacts& pbxs,
                         CardImageList& tariffPictures, CardImageList& rulePictures,
                         bool protectedConfiguration, QWidget* parent)
    : QWidget(parent), m_configuration(configuration), m_pbxs(pbxs), m_tariffPictures(tariffPictures),
      m_rulePictures(rulePictures), m_protected(protectedConfiguration), m_target(this)
{
    BuildForm();
    const OleDate now = OleDate::Now();
    m_historyEnd = m_lineHistoryEnd = m_accountEnd = m_statisticsEnd = now;
    LoadViewState();
    ValidateSelections();
    m_messages.On(WM_COMMAND, [this](std::uint64_t wParam, std::int64_t) {
        const int command = static_cast<int>(wParam & 0xFFFF);
        if (!OnCommand(command) && m_commandHandler)
            m_commandHandler(command);
    });
}

CValuxaView::~CValuxaView()
{
    StoreViewState();
}

void CValuxaView::BuildForm()
{
    m_selectionBox = Named(new QGroupBox, "1002");
    m_itemLabel = Named(new QLabel, "1004");
    m_itemCombo = Named(new QComboBox, "1005");
    for (int i = 0; i < 5; ++i) {
        m_buttons[i] = new QPushButton;
        m_buttons[i]->setObjectName(QString::number(1006 + i));
    }
    m_subjectLabel = Named(new QLabel, "1011");
    m_subjectCombo = Named(new QComboBox, "1012");
    m_startCaption = Named(new QLabel, "1013");
    m_endCaption = Named(new QLabel, "1014");
    m_hideNumber = Named(new QCheckBox, "1015");
    m_showSecond = Named(new QCheckBox, "1016");
    m_pbxLabel = Named(new QLabel, "1017");
    m_pbxCombo = Named(new QComboBox, "1018");
    m_title = Named(new QLabel, "1060");
    m_listFrame = Named(new QWidget, "1066");
    m_chart1 = Named(new CChartControl, "1067");
    m_chart2 = Named(new CChartControl, "1068");
    m_sizeFrame = Named(new QWidget(this), "1070");
    m_sizeFrame->setGeometry(0, 0, kFormWidth, kFormHeight);
    m_sizeFrame->hide();
    m_list = new CRatingList;

    auto selection = new QVBoxLayout(m_selectionBox);
    for (QWidget* widget : std::initializer_list<QWidget*>{m_pbxLabel, m_pbxCombo, m_itemLabel, m_itemCombo,
                                                           m_subjectLabel, m_subjectCombo, m_startCaption,
                                                           m_buttons[0], m_endCaption, m_buttons[1], m_hideNumber,
                                                           m_showSecond})
        selection->addWidget(widget);
    selection->addSpacing(12);
    for (int i = 2; i < 5; ++i)
        selection->addWidget(m_buttons[i]);
    selection->addStretch();
    m_selectionBox->setFixedWidth(kSelectionWidth);

    m_chartRow = new QWidget;
    auto charts = new QHBoxLayout(m_chartRow);
    charts->setContentsMargins(0, 0, 0, 0);
    charts->addWidget(m_chart1);
    charts->addWidget(m_chart2);
    auto frame = new QVBoxLayout(m_listFrame);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(m_chartRow, 2);
    frame->addWidget(m_list, 1);

    auto right = new QVBoxLayout;
    m_title->setAlignment(Qt::AlignCenter);
    right->addWidget(m_title);
    right->addWidget(m_listFrame, 1);
    auto layout = new QHBoxLayout(this);
    layout->addWidget(m_selectionBox);
    layout->addLayout(right, 1);
    setFixedSize(kFormWidth, kFormHeight);

    connect(m_itemCombo, &QComboBox::activated, this, [this] { OnSelChangeItem(); });
    connect(m_subjectCombo, &QComboBox::activated, this, [this] { OnSelChangeSubject(); });
    connect(m_pbxCombo, &QComboBox::activated, this, [this] { OnSelChangePbx(); });
    connect(m_hideNumber, &QCheckBox::clicked, this, [this] { OnToggleHideNumber(); });
    connect(m_showSecond, &QCheckBox::clicked, this, [this] { OnToggleShowLine(); });
    connect(m_list, &CRatingList::Clicked, this, &CValuxaView::OnListClick);
    connect(m_list, &CRatingList::DoubleClicked, this, &CValuxaView::OnListDblClick);
    for (int i = 0; i < 5; ++i)
        connect(m_buttons[i], &QPushButton::clicked, this, [this, i] { m_target.Post(WM_COMMAND, 1006 + i, 0); });
}

void CValuxaView::LoadViewState()
{
    ViewState& state = m_configuration.viewState;
    if (state.lineHistoryStart.Value() == 0.0) {
        const OleDate now = OleDate::Now();
        state.lineHistoryStart = OleDate(now.Year(), 1, 1);
    }
    m_historyStart = state.historyStart;
    m_statisticsStart = state.statisticsStart;
    m_accountStart = state.accountStart;
    m_lineHistoryStart = state.lineHistoryStart;
    m_historyExtension = state.historyExtension;
    m_accountExtension = state.accountExtension;
    m_historyOptions = state.historyOptions;
    m_selectedTariff = state.selectedTariff;
    m_selectedRule = state.selectedRule;
    m_selectedPrefixGroup = state.selectedPrefixGroup;
    m_statisticsAnalysis = state.statisticsAnalysis;
    m_statisticsExtension = state.statisticsExtension;
    m_historyPbx = state.historyPbx;
    m_accountPbx = state.accountPbx;
    m_statisticsPbx = state.statisticsPbx;
    m_statisticsLine = state.statisticsLine;
    m_statisticsGroup = state.statisticsGroup;
    m_lineHistoryLine = state.lineHistoryLine;
    m_lineHistoryOptions = state.lineHistoryOptions;
    m_lineHistoryPbx = state.lineHistoryPbx;
}

void CValuxaView::ValidateSelections()
{
    const int fallback = m_pbxs.HighestPresent();
    for (std::uint8_t* pbx : {&m_historyPbx, &m_accountPbx, &m_statisticsPbx, &m_lineHistoryPbx}) {
        if (!m_pbxs.IsPresent(*pbx))
            *pbx = static_cast<std::uint8_t>(fallback);
    }
    if (m_historyExtension >= m_pbxs.ExtensionCount(m_historyPbx))
        m_historyExtension = 0;
    if (m_accountExtension >= m_pbxs.ExtensionCount(m_accountPbx))
        m_accountExtension = 0;
    if (m_lineHistoryLine >= m_pbxs.LineCount(m_lineHistoryPbx))
        m_lineHistoryLine = 0;
    // Equal to the count stands for all extensions or all lines.
    if (m_statisticsExtension > m_pbxs.ExtensionCount(m_statisticsPbx))
        m_statisticsExtension = 0;
    if (m_statisticsLine > m_pbxs.LineCount(m_statisticsPbx))
        m_statisticsLine = 0;
}

void CValuxaView::StoreViewState() const
{
    ViewState& state = m_configuration.viewState;
    state.historyStart = m_historyStart;
    state.statisticsStart = m_statisticsStart;
    state.accountStart = m_accountStart;
    state.lineHistoryStart = m_lineHistoryStart;
    state.historyExtension = m_historyExtension;
    state.accountExtension = m_accountExtension;
    state.historyOptions = m_historyOptions;
    state.selectedTariff = m_selectedTariff;
    state.selectedRule = m_selectedRule;
    state.selectedPrefixGroup = m_selectedPrefixGroup;
    state.statisticsAnalysis = m_statisticsAnalysis;
    state.statisticsExtension = m_statisticsExtension;
    state.historyPbx = m_historyPbx;
    state.accountPbx = m_accountPbx;
    state.statisticsPbx = m_statisticsPbx;
    state.statisticsLine = m_statisticsLine;
    // The stored block keeps a group id in one byte: an id that does not fit reads back as all groups.
    state.statisticsGroup = m_statisticsGroup >= 0 && m_statisticsGroup <= 0xFF
                                ? static_cast<std::uint8_t>(m_statisticsGroup)
                                : 0;
    state.lineHistoryLine = m_lineHistoryLine;
    state.lineHistoryOptions = m_lineHistoryOptions;
    state.lineHistoryPbx = m_lineHistoryPbx;
}

void CValuxaView::OnInitialUpdate()
{
    QWidget* frame = window();
    if (frame && frame != this) {
        frame->adjustSize();
        if (const QScreen* screen = frame->screen()) {
            const QRect available = screen->availableGeometry();
            frame->move(available.center() - QPoint(frame->width() / 2, frame->height() / 2));
        }
    }
    QFont titleFont(kTitleFamily);
    titleFont.setPixelSize(kTitlePixels);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    // The title's line is as tall as the font's line spacing, which is taller than its height.
    m_title->setMinimumHeight(QFontMetrics(titleFont).lineSpacing());
    SetViewMode(kAccountMode, m_accountExtension, m_accountPbx);
    if (!m_timer) {
        m_timer = new QTimer(this);
        m_timer->setObjectName(QStringLiteral("timer1"));
        connect(m_timer, &QTimer::timeout, this, [this] {
            if (m_timerHandler)
                m_timerHandler();
        });
    }
    m_timer->start(kTimerIntervalMs);
}

bool CValuxaView::OnCommand(int command)
{
    switch (command) {
    case kHistoryCommand:
        SetViewMode(kHistoryMode, m_historyExtension, m_historyPbx);
        return true;
    case kLineHistoryCommand:
        SetViewMode(kLineHistoryMode, m_lineHistoryLine, m_lineHistoryPbx);
        return true;
    case kPrefixesCommand:
        SetViewMode(kPrefixesMode, m_selectedPrefixGroup, 0);
        return true;
    case kRulesCommand:
        SetViewMode(kRulesMode, m_selectedRule, 0);
        return true;
    case kTariffsCommand:
        SetViewMode(kTariffsMode, m_selectedTariff, 0);
        return true;
    case kStatisticsCommand:
        SetViewMode(kStatisticsMode, m_statisticsAnalysis, 0);
        return true;
    case kModifyItemCommand:
        OnModifyItem();
        return true;
    case kAddCloneOrDeleteItemCommand:
        OnAddCloneOrDeleteItem();
        return true;
    case kComputeCommand:
        OnCompute();
        return true;
    case kDeleteItemCommand:
        OnDeleteItem();
        return true;
    case kCloseAccountCommand:
        OnCloseAccount();
        return true;
    case kFileNewCommand:
        OnFileNew();
        return true;
    case kFileOpenCommand:
        return true;  // reopening a closed account is not offered
    case kFilePrintSetupCommand:
        OnFilePrintSetup();
        return true;
    case kFileSaveAsCommand:
        OnFileSaveAs();
        return true;
    case kFilePrintCommand:
        OnFilePrint();
        return true;
    case kFilePrintPreviewCommand:
        OnFilePrintPreview();
        return true;
    case kViewAccountCommand:
        OnViewAccount();
        return true;
    case kPrintSettingsCommand:
        OnPrintSettings();
        return true;
    case kImportCommand:
        OnImportConfiguration();
        return true;
    case kExportCommand:
        OnExportConfiguration();
        return true;
    case kExtensionGroupsCommand:
        OnExtensionGroups();
        return true;
    default:
        return false;
    }
}

std::optional<bool> CValuxaView::IsCommandChecked(int command) const
{
    switch (command) {
    case kHistoryCommand:
        return m_mode == kHistoryMode;
    case kLineHistoryCommand:
        return m_mode == kLineHistoryMode;
    case kPrefixesCommand:
        return m_mode == kPrefixesMode;
    case kRulesCommand:
        return m_mode == kRulesMode;
    case kTariffsCommand:
        return m_mode == kTariffsMode;
    case kStatisticsCommand:
        return m_mode == kStatisticsMode;
    default:
        return std::nullopt;
    }
}

bool CValuxaView::event(QEvent* event)
{
    if (m_messages.Dispatch(event))
        return true;
    return QWidget::event(event);
}

void CValuxaView::RebuildWith(std::uint8_t mode, int selection, int pbx)
{
    m_mode = kNoMode;
    SetViewMode(mode, selection, pbx);
}

void CValuxaView::OnSelChangeItem()
{
    const int selection = m_itemCombo->currentIndex();
    if (selection < 0)
        return;
    const auto item = static_cast<std::uint8_t>(selection);
    switch (m_mode) {
    case kHistoryMode:
        m_historyExtension = item;
        SetViewMode(kHistoryMode, selection, m_historyPbx);
        break;
    case kAccountMode:
        m_accountExtension = item;
        SetViewMode(kAccountMode, selection, m_accountPbx);
        break;
    case kLineHistoryMode:
        m_lineHistoryLine = item;
        SetViewMode(kLineHistoryMode, selection, m_lineHistoryPbx);
        break;
    case kRulesMode:
        m_selectedRule = static_cast<std::uint16_t>(selection);
        SetViewMode(kRulesMode, selection, 0);
        break;
    case kPrefixesMode:
        m_selectedPrefixGroup = static_cast<std::uint16_t>(selection);
        SetViewMode(kPrefixesMode, selection, 0);
        break;
    case kTariffsMode:
        m_selectedTariff = static_cast<std::uint16_t>(selection);
        SetViewMode(kTariffsMode, selection, 0);
        break;
    case kStatisticsMode:
        m_statisticsAnalysis = item;
        RebuildWith(kStatisticsMode, m_statisticsAnalysis, 0);
        break;
    default:
        break;
    }
}

void CValuxaView::OnSelChangeSubject()
{
    const int selection = m_subjectCombo->currentIndex();
    if (m_mode != kStatisticsMode || selection < 0)
        return;
    switch (m_statisticsAnalysis) {
    case 0:
    case 1:
        m_statisticsExtension = static_cast<std::uint8_t>(selection);
        break;
    case 2:
        m_statisticsLine = static_cast<std::uint8_t>(selection);
        break;
    case 3:
    case 4:
        m_statisticsGroup = m_subjectCombo->itemData(selection).toInt();
        break;
    default:
        break;
    }
}

void CValuxaView::OnSelChangePbx()
{
    const int selection = m_pbxCombo->currentIndex();
    if (selection < 0)
        return;
    const auto pbx = static_cast<std::uint8_t>(m_pbxCombo->itemData(selection).toInt());
    switch (m_mode) {
    case kHistoryMode:
        m_historyPbx = pbx;
        m_historyExtension = 0;
        RebuildWith(kHistoryMode, 0, pbx);
        break;
    case kStatisticsMode: {
        m_statisticsPbx = pbx;
        m_statisticsExtension = 0;
        m_statisticsLine = 0;
        m_statisticsGroup = 0;
        if (m_listGroups) {
            if (const auto groups = m_listGroups(pbx); groups && !groups->empty())
                m_statisticsGroup = groups->front().id;
        }
        RebuildWith(kStatisticsMode, m_statisticsAnalysis, 0);
        break;
    }
    case kAccountMode:
        m_accountPbx = pbx;
        m_accountExtension = 0;
        RebuildWith(kAccountMode, 0, pbx);
        break;
    case kLineHistoryMode:
        m_lineHistoryPbx = pbx;
        m_lineHistoryLine = 0;
        RebuildWith(kLineHistoryMode, 0, pbx);
        break;
    default:
        break;
    }
}

void CValuxaView::OnToggleHideNumber()
{
    if (m_mode == kHistoryMode) {
        m_historyOptions ^= kHideDigitsOption;
        RebuildWith(kHistoryMode, m_historyExtension, m_historyPbx);
    } else if (m_mode == kLineHistoryMode) {
        m_lineHistoryOptions ^= kHideDigitsOption;
        RebuildWith(kLineHistoryMode, m_lineHistoryLine, m_lineHistoryPbx);
    }
}

void CValuxaView::OnToggleShowLine()
{
    if (m_mode == kHistoryMode) {
        m_historyOptions ^= kShowSecondColumnOption;
        RebuildWith(kHistoryMode, m_historyExtension, m_historyPbx);
    } else if (m_mode == kLineHistoryMode) {
        m_lineHistoryOptions ^= kShowSecondColumnOption;
        RebuildWith(kLineHistoryMode, m_lineHistoryLine, m_lineHistoryPbx);
    }
}

void CValuxaView::OnListClick(int item)
{
    if (m_mode == kRulesMode && item >= 0) {
        m_selectedRule = static_cast<std::uint16_t>(item);
        SetViewMode(kRulesMode, item, 0);
    } else if (m_mode == kTariffsMode && item >= 0) {
        m_selectedTariff = static_cast<std::uint16_t>(item);
        SetViewMode(kTariffsMode, item, 0);
    } else if (m_mode == kPrefixesMode) {
        const int group = m_selectedPrefixGroup;
        const int prefixes = group < m_configuration.prefixGroups.Count()
                                 ? m_configuration.prefixGroups.groups[group].Count()
                                 : 0;
        if (item < 0) {
            m_buttons[0]->setText(LoadResString(kNewPrefixText));
            m_buttons[0]->setEnabled(false);
            m_buttons[1]->setEnabled(false);
        } else if (m_list->RowData(item) == prefixes) {  // the empty row: a new prefix
            m_buttons[0]->setText(LoadResString(kNewPrefixText));
            m_buttons[0]->setEnabled(prefixes < PrefixGroup::kMaxEntries && !IsProtected());
            m_buttons[1]->setEnabled(false);
        } else {
            m_buttons[0]->setText(LoadResString(kModifyPrefixText));
            m_buttons[0]->setEnabled(!IsProtected());
            m_buttons[1]->setEnabled(prefixes >= 2 && !IsProtected());
        }
    }
}

void CValuxaView::OnListDblClick(int item)
{
    if (m_mode == kRulesMode || m_mode == kTariffsMode)
        OnListClick(item);
    if ((m_mode == kRulesMode || m_mode == kPrefixesMode || m_mode == kTariffsMode) && item >= 0 &&
        m_buttons[0]->isEnabled())
        OnModifyItem();
}
