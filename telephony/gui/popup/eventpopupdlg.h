#pragma once

#include "messagetarget.h"

#include <QDialog>

#include <cstdint>

// The call and event popup (dialog 215), modeless and owned by the desktop. WM_USER+201 (1225) asks it to
// refresh its rows from the state tables. The popup proper comes later: this one counts the requests.
class CEventPopupDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr std::uint32_t kRefreshMessage = WM_USER + 201;

    explicit CEventPopupDlg(int ownExtension, QWidget* parent = nullptr);

    MessageTarget& Target() { return m_target; }
    int OwnExtension() const { return m_ownExtension; }
    int Refreshes() const { return m_refreshes; }

signals:
    void Refreshed();

protected:
    bool event(QEvent* event) override;

private:
    QtMessageTarget m_target;
    MessageMap m_messages;
    int m_ownExtension;
    int m_refreshes = 0;
};
