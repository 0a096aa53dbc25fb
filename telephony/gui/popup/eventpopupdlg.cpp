#include "eventpopupdlg.h"

CEventPopupDlg::CEventPopupDlg(int ownExtension, QWidget* parent)
    : QDialog(parent), m_target(this), m_ownExtension(ownExtension)
{
    setObjectName(QStringLiteral("215"));
    setModal(false);
    m_messages.On(kRefreshMessage, [this](std::uint64_t, std::int64_t) {
        ++m_refreshes;
        emit Refreshed();
    });
}

bool CEventPopupDlg::event(QEvent* event)
{
    if (m_messages.Dispatch(event))
        return true;
    return QDialog::event(event);
}
