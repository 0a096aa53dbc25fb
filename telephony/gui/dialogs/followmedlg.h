#pragma once

#include "consolewindowcontext.h"

#include <QDialog>

class QComboBox;

// Asks to which extension the calls of an extension are to follow: every extension of the PBX but that
// one, by display name. On OK Extension() is the one chosen; with nothing chosen OK cancels.
class CFollowMeDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kOk = 1113;
    static constexpr int kCancel = 1114;
    static constexpr int kList = 1112;

    CFollowMeDlg(int extension, const ConsoleWindowContext& context, QWidget* parent = nullptr);

    int Extension() const { return m_extension; }

private:
    void OnOk();

    int m_extension;
    QComboBox* m_list;
};
