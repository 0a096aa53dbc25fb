#include "pcphoneview.h"

#include "operatorconsolestate.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

// The keys 1-9, *, 0, # in command order.
const QString kDigitKeys = QStringLiteral("123456789*0#");

}  // namespace

CPCPhoneView::CPCPhoneView(const ConsoleWindowContext& context, QWidget* parent)
    : QWidget(parent), m_target(this), m_context(context), m_display(new QLabel(this)),
      m_dial(new QLabel(this))
{
    setObjectName(QStringLiteral("CPCPhoneView"));
    m_display->setObjectName(QStringLiteral("display"));
    m_dial->setObjectName(QStringLiteral("dial"));
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_display);
    layout->addWidget(m_dial);
    layout->addStretch();
    m_messages.On(WM_COMMAND, [this](std::uint64_t wParam, std::int64_t) {
        OnCommand(static_cast<std::uint32_t>(wParam & 0xFFFF));
    });
    RefreshDisplay();
}

bool CPCPhoneView::event(QEvent* event)
{
    if (m_messages.Dispatch(event))
        return true;
    return QWidget::event(event);
}

void CPCPhoneView::RefreshDisplay()
{
    m_display->setText(m_context.state ? m_context.state->ownExtensionStateText : QString());
    m_dial->setText(m_dialString);
}

void CPCPhoneView::DeleteLastDigit()
{
    m_dialString.chop(1);
    RefreshDisplay();
}

void CPCPhoneView::ClearDialString()
{
    m_dialString.clear();
    RefreshDisplay();
}

void CPCPhoneView::OnCommand(std::uint32_t command)
{
    if (command < kFirstKeyCommand || command > kLastKeyCommand)
        return;
    m_commands.push_back(command);
    if (command <= kLastDigitCommand)
        m_dialString += kDigitKeys.at(command - kFirstKeyCommand);
    RefreshDisplay();
}
