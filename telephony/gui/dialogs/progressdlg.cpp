#include "progressdlg.h"

#include "stringtable.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMinimumWidth = 320;

QString PercentOf(int position)
{
    const int percent = (position - CProgressDlg::kLower) * 100 / (CProgressDlg::kUpper - CProgressDlg::kLower);
    return QStringLiteral("%1%").arg(percent == 100 ? 100 : percent % 100);
}

}  // namespace

CProgressDlg::CProgressDlg(unsigned captionString)
    : m_captionString(captionString), m_bar(new QProgressBar(this)), m_percent(new QLabel(this)),
      m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("102"));
    m_bar->setObjectName(QString::number(kBar));
    m_bar->setTextVisible(false);
    m_percent->setObjectName(QString::number(kPercent));
    m_percent->setText(QStringLiteral(" 0 %"));
    m_percent->setAlignment(Qt::AlignCenter);
    m_status->setObjectName(QString::number(kStatus));
    auto buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName(QString::number(kCancel));
    cancel->setText(LoadResString(kCancelButtonString));
    connect(buttons, &QDialogButtonBox::rejected, this, &CProgressDlg::reject);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_bar);
    layout->addWidget(m_percent);
    layout->addWidget(buttons);
    setMinimumWidth(kMinimumWidth);
    m_bar->setRange(kLower, kUpper);
    m_bar->setValue(kLower);
    setWindowTitle(LoadResString(m_captionString));
}

CProgressDlg::~CProgressDlg()
{
    EnableOwner();
}

bool CProgressDlg::CreateModeless(QWidget* parent)
{
    QWidget* owner = parent ? parent->window() : nullptr;
    if (owner && owner->isEnabled()) {
        owner->setEnabled(false);
        m_disabledOwner = owner;
    }
    setParent(parent, windowFlags() | Qt::Dialog);
    // The dialog is a window of its own: the owner's state does not reach it.
    setEnabled(true);
    show();
    return true;
}

void CProgressDlg::SetStatusText(const QString& text)
{
    m_status->setText(text);
}

int CProgressDlg::SetProgress(int position)
{
    QCoreApplication::processEvents();
    const int previous = m_bar->value();
    m_bar->setValue(position);
    const QString percent = PercentOf(position);
    // Written only when it changes, so that the text does not flicker at every step.
    if (m_percent->text() != percent)
        m_percent->setText(percent);
    return previous;
}

bool CProgressDlg::TakeCancelRequest()
{
    QCoreApplication::processEvents();
    const bool requested = m_cancelRequested;
    m_cancelRequested = false;
    return requested;
}

QString CProgressDlg::PercentText() const
{
    return m_percent->text();
}

void CProgressDlg::reject()
{
    m_cancelRequested = true;
}

void CProgressDlg::closeEvent(QCloseEvent* event)
{
    m_cancelRequested = true;
    event->ignore();
}

void CProgressDlg::EnableOwner()
{
    if (m_disabledOwner)
        m_disabledOwner->setEnabled(true);
    m_disabledOwner.clear();
}
