// CDerivedView: check-in and check-out of a room's extension. The check-out hands the stay's calls to
// the rating program Tarivo, which bills them.
#include "derivedview.h"

#include "derivedviewcodes.h"
#include "checkoutconfirmdlg.h"
#include "operatorconsolestate.h"
#include "operatorsettingsfiles.h"
#include "operatorsettingsrecords.h"
#include "stringtable.h"
#include "tarivoaccount.h"

#include <QMessageBox>

using namespace derivedview;

namespace {

constexpr std::uint8_t kOutsideCallsOn = 1;
constexpr std::uint8_t kOutsideCallsOff = 0;
constexpr unsigned kCaption = 1004;
constexpr unsigned kTarivoNotStarted = 1292;

}  // namespace

void CDerivedView::OnCheckInOut()
{
    if (!Served(m_selected) || OnSecondPbx(m_selected) || !Context().settings)
        return;
    if (Context().settings->main.CheckedIn(m_selected) != 0)
        CheckOut(m_selected);
    else
        CheckIn(m_selected);
}

bool CDerivedView::SaveMainSettings() const
{
    return SaveMainSettingsFile(Context().settingsFolder, Context().settings->main);
}

void CDerivedView::CheckIn(int extension)
{
    // The room may call out from its check-in on, whatever the programming table says now (it may lag
    // behind the PBX); a room whose phone could not be opened is not checked in.
    if (!WriteProgrammingByte(kOutsideCallsByte, kOutsideCallsOn))
        return;
    MainSettings& main = Context().settings->main;
    main.SetCheckedIn(extension, 1);
    main.SetCheckInTime(extension, OleDate::Now());
    SaveMainSettings();
}

void CDerivedView::CheckOut(int extension)
{
    MainSettings& main = Context().settings->main;
    CCheckOutConfirmDlg dialog(extension, main.CheckInTime(extension), Context(), this, m_runDialog);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    TarivoAccount account;
    account.pbxIdentifier = Pbx();
    account.extension = extension;
    account.start = dialog.CheckIn();
    account.end = dialog.CheckOut();
    if (!PostTarivoAccount(account) && !StartTarivoAccount(account, QLocale())) {
        // Nobody bills the stay: it stays open, so that the check-out can be done again.
        const QString caption = LoadResString(kCaption);
        const QString text = LoadResString(kTarivoNotStarted).arg(TarivoProgramPath());
        if (m_showMessage)
            m_showMessage(caption, text);
        else
            QMessageBox::warning(nullptr, caption, text);
        return;
    }
    main.SetCheckedIn(extension, 0);
    SaveMainSettings();
    // The room's outside calls end with the stay, whatever the programming table says now.
    WriteProgrammingByte(kOutsideCallsByte, kOutsideCallsOff);
}
