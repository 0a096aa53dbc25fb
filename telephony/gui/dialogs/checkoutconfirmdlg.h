#pragma once

#include "consolewindowcontext.h"
#include "oledate.h"

#include <QDialog>

#include <functional>

class QPushButton;

// Confirms the check-out of an extension: shows the stay's start and end (now) and lets the operator
// correct the start with the counting-period picker. The caller reads both after OK.
class CCheckOutConfirmDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCheckIn = 1026;
    static constexpr int kCheckOut = 1027;
    static constexpr int kOk = 1121;
    static constexpr int kCancel = 1122;
    // Runs the picker; exec() by default.
    using RunDialog = std::function<int(QDialog&)>;

    CCheckOutConfirmDlg(int extension, const OleDate& checkIn, const ConsoleWindowContext& context,
                        QWidget* parent = nullptr, RunDialog runDialog = {});

    OleDate CheckIn() const { return m_checkIn; }
    OleDate CheckOut() const { return m_checkOut; }

private:
    // Opens the picker in the mode on the value; on OK the value becomes the picked date with the picked
    // time.
    void Correct(int mode, OleDate& value, QPushButton* button);

    OleDate m_checkIn;
    OleDate m_checkOut;
    RunDialog m_runDialog;
};
