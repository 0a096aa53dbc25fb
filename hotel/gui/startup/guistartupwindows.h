#pragma once

#include "startupwindows.h"

#include <functional>

class CSplashDlg;

namespace lodgix {

// The start-up's questions as the program's windows: the splash's progress line, message boxes, the
// administrator password, operator and login dialogs, the failure box. Each step is also told to the
// report (the program's standard output).
class GuiStartupWindows : public StartupWindows {
public:
    struct Hooks {
        std::function<CSplashDlg*()> splash;     // the splash while it is shown, else null
        std::function<void()> closeSplash;       // before the failure box
        std::function<void(const QString&)> report;
        std::function<bool()> endRequested;      // a termination signal came
    };

    explicit GuiStartupWindows(Hooks hooks);

    void ShowProgress(const QString& text) override;
    bool AskYesNo(const QString& text, Icon icon) override;
    void ShowMessage(const QString& text, Icon icon) override;
    QString AskAdministratorPassword() override;
    std::optional<OperatorEntry> AskFirstOperator() override;
    std::optional<OperatorEntry> AskLogin() override;
    std::optional<CurrentHotel> RunHotelWizard(CHotelDatabase& database) override;
    void ShowFailure(int code, const QString& caption, const QString& text) override;
    bool EndRequested() const override;

private:
    void Report(const QString& line) const;

    Hooks m_hooks;
};

}  // namespace lodgix
