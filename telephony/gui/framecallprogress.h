#pragma once

#include "callplacement.h"

#include <QPointer>

#include <cstdint>
#include <functional>

class CWaitDlg;
class QWidget;

// The frame's side of placing a call: the wait dialog while the requests run and the error box when one
// fails.
class FrameCallProgress : public CallProgressView {
public:
    FrameCallProgress(QWidget* parent, std::function<void(std::uint8_t)> showError);
    ~FrameCallProgress() override;

    void ShowWait(const QString& text) override;
    void CloseWait() override;
    void ShowError(int code) override;

private:
    QWidget* m_parent;
    std::function<void(std::uint8_t)> m_showError;
    QPointer<CWaitDlg> m_wait;
};
