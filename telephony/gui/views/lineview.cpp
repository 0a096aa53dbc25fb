#include "lineview.h"

#include "engineclient.h"
#include "engineerrorcode.h"
#include "operatorconsolestate.h"
#include "sqldatabase.h"
#include "statustexts.h"
#include "stringtable.h"

#include <QCursor>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int kSeconds = 6;  // the time budget of each request
constexpr unsigned kSeizeText = 10040;
constexpr std::size_t kNameScroll = 0;
constexpr std::size_t kStatusScroll = 1;
constexpr std::size_t kFlash = 2;
constexpr int kTwoDigitLines = 10;  // PBXs with this many lines take two-digit pick-up codes
const QString kPickUp = QStringLiteral("##");

// A line on hold, parked or ringing flashes, and a click picks it up.
bool Waiting(std::uint8_t state)
{
    return state == kStateCallWaiting || state == kStateCallHeld || state == kStateArriving;
}

}  // namespace

CLineView::CLineView(const ConsoleWindowContext& context, ShownObject shown, QWidget* parent)
    : CObjectListView(context, ObjectKind::Lines, std::move(shown), parent), m_menu(std::make_unique<QMenu>())
{
    setObjectName(QStringLiteral("CLineView"));
    m_menu->setObjectName(QString::number(kMenuId));
    QAction* seize = m_menu->addAction(QString());
    seize->setObjectName(QString::number(kSeizeCommand));
    connect(seize, &QAction::triggered, this, &CLineView::OnSeizeLine);
}

CLineView::~CLineView() = default;

QMenu* CLineView::ContextMenu() const
{
    return m_menu.get();
}

QString CLineView::PickUpCode(int number, int lineCount)
{
    if (lineCount < kTwoDigitLines)
        return kPickUp + QString::number(number);
    return kPickUp + QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

int CLineView::GetRequiredHeight(int width) const
{
    const QSize cell = CellSize();
    const int perRow = std::max(1, width / cell.width());
    const int rows = (count() + perRow - 1) / perRow;
    return rows * cell.height() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, horizontalScrollBar());
}

std::uint8_t CLineView::LineState(int line) const
{
    const auto& lines = Context().state->tables.lineStatus;
    return static_cast<std::size_t>(line) < lines.size() ? lines[static_cast<std::size_t>(line)].State() : 0;
}

void CLineView::OnTick()
{
    OperatorConsoleState* state = Context().state;
    if (!state)
        return;
    const int lines = state->FirstCounts().lines + state->SecondCounts().lines;
    for (int line = 0; line < lines && static_cast<std::size_t>(line) < state->tables.lineWork.size(); ++line) {
        auto& work = state->tables.lineWork[static_cast<std::size_t>(line)];
        TickObject(line, Waiting(LineState(line)), work[kFlash], work[kNameScroll], work[kStatusScroll]);
    }
}

bool CLineView::FillInfoTip(int index, QString& buffer, int size)
{
    if (!Context().state || !Context().database)
        return false;
    return GetLineInfoTip(*Context().state, *Context().database, index, buffer, size);
}

void CLineView::OnSeizeLine()
{
    const OperatorConsoleState* state = Context().state;
    if (!state || m_chosenLine < 0 || m_chosenLine >= state->FirstCounts().lines)
        return;
    const QString& dialString = state->ownExtensionPeerText;
    if (dialString.isEmpty())
        return;
    PlaceCallOnLine(*state, Context().Placement(), dialString, m_chosenLine + 1, kThisStationExtension, true);
}

void CLineView::OnRClick(int line)
{
    m_chosenLine = line;
    const OperatorConsoleState* state = Context().state;
    if (line == kNoObject || !state || line >= state->FirstCounts().lines)
        return;
    QAction* seize = m_menu->actions().constFirst();
    seize->setText(LoadResString(kSeizeText));
    seize->setEnabled(LineState(line) == kStateReady && OwnState() == kStateReady);
    m_menu->popup(QCursor::pos());
}

void CLineView::OnClick(int line)
{
    m_chosenLine = line;
    const OperatorConsoleState* state = Context().state;
    if (line == kNoObject || !state || OwnState() != kStateReady)
        return;
    const auto object = state->SplitLine(line);
    if (!object)
        return;
    const std::uint8_t lineState = LineState(line);
    if (object->pbx == 0) {
        if (lineState == kStateReady) {
            OnSeizeLine();
        } else if (Waiting(lineState) && Engine()) {
            int result = Engine()->OffHook(Pbx(), OwnExtension(), false, kSeconds);
            if (result == kNoError) {
                const std::string code = PickUpCode(line + 1, state->FirstCounts().lines).toStdString();
                result = Engine()->DialNumber(Pbx(), OwnExtension(), code, false, nullptr, kSeconds);
            }
            if (result != kNoError)
                ShowError(result);
        }
        return;
    }
    if (SecondPbxOption(kSecondPbxLinesOption) && lineState == kStateArriving)
        PlaceCallOnFreeLine(*state, Context().Placement(), PickUpCode(object->local + 1, state->SecondCounts().lines),
                            true);
}
