#include "guistartupwindows.h"

#include "hotelconfigdlg.h"
#include "lodgixmessagebox.h"
#include "logindlg.h"
#include "operatordlg.h"
#include "operatorlogin.h"
#include "passworddlg.h"
#include "splashdlg.h"

namespace lodgix {

namespace {

QMessageBox::Icon BoxIcon(StartupWindows::Icon icon)
{
    switch (icon) {
    case StartupWindows::Icon::Exclamation: return QMessageBox::Warning;
    case StartupWindows::Icon::Information: return QMessageBox::Information;
    case StartupWindows::Icon::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

GuiStartupWindows::GuiStartupWindows(Hooks hooks) : m_hooks(std::move(hooks)) {}

void GuiStartupWindows::Report(const QString& line) const
{
    if (m_hooks.report)
        m_hooks.report(line);
}

void GuiStartupWindows::ShowProgress(const QString& text)
{
    Report(QStringLiteral("progress: ") + text);
    if (CSplashDlg* splash = m_hooks.splash ? m_hooks.splash() : nullptr)
        splash->SetProgressText(text);
}

bool GuiStartupWindows::AskYesNo(const QString& text, Icon icon)
{
    Report(QStringLiteral("question: ") + text.section(u'\n', 0, 0));
    return LodgixMessageBox(nullptr, text, BoxIcon(icon), QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void GuiStartupWindows::ShowMessage(const QString& text, Icon icon)
{
    Report(QStringLiteral("message: ") + text.section(u'\n', 0, 0));
    LodgixMessageBox(nullptr, text, BoxIcon(icon));
}

QString GuiStartupWindows::AskAdministratorPassword()
{
    Report(QStringLiteral("administrator password asked"));
    CPasswordDlg dialog;
    dialog.exec();
    // Whether it was OK or Cancel does not matter: the typed text is compared.
    return dialog.Password();
}

std::optional<StartupWindows::OperatorEntry> GuiStartupWindows::AskFirstOperator()
{
    Report(QStringLiteral("first operator asked"));
    COperatorDlg dialog(true);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return OperatorEntry{dialog.UserName(), dialog.Password(), dialog.Administrator()};
}

std::optional<StartupWindows::OperatorEntry> GuiStartupWindows::AskLogin()
{
    Report(QStringLiteral("login asked"));
    CLoginDlg dialog(HotelLoginTexts());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return OperatorEntry{dialog.UserName(), dialog.Password(), false};
}

std::optional<CurrentHotel> GuiStartupWindows::RunHotelWizard(CHotelDatabase& database)
{
    Report(QStringLiteral("hotel configuration wizard"));
    CHotelConfigDlg wizard(database);
    if (wizard.exec() != QDialog::Accepted)
        return std::nullopt;
    return CurrentHotel{wizard.HotelId(), wizard.Hotel(), wizard.RoomCount(), wizard.Rooms()};
}

void GuiStartupWindows::ShowFailure(int code, const QString& caption, const QString& text)
{
    if (m_hooks.closeSplash)
        m_hooks.closeSplash();
    Report(QStringLiteral("start-up failed with code %1").arg(code));
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.exec();
}

bool GuiStartupWindows::EndRequested() const
{
    return m_hooks.endRequested && m_hooks.endRequested();
}

}  // namespace lodgix
