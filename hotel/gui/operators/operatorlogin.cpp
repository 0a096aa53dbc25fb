#include "operatorlogin.h"

#include "hoteldatabase.h"
#include "lodgixmessagebox.h"
#include "lodgixstate.h"
#include "operatordlg.h"
#include "stringtable.h"

namespace lodgix {

namespace {

constexpr unsigned kCaptionString = 1003;           // "Lodgix"
constexpr unsigned kPasswordString = 2044;          // "Password"
constexpr unsigned kUserNameString = 2045;          // "Username"
constexpr unsigned kWrongDataString = 2050;         // "Dati immessi non corretti"
constexpr unsigned kLoginTitleString = 2051;        // "Lodgix - Accesso"
constexpr unsigned kPasswordChangedString = 2055;   // "Password modificata con successo"
constexpr unsigned kPasswordNotChangedString = 2056;
constexpr unsigned kExitString = 2061;              // "Esci"

}  // namespace

CLoginDlg::Texts HotelLoginTexts()
{
    return {LoadResString(kLoginTitleString), LoadResString(kUserNameString), LoadResString(kPasswordString),
            LoadResString(kExitString),       LoadResString(kWrongDataString), LoadResString(kCaptionString)};
}

bool ChangeOperatorPassword(CHotelDatabase& database, const CurrentOperator& current, QWidget* parent)
{
    COperatorDlg dialog(
        [&database, &current](const QString& typed) {
            bool administrator = false;
            int id = 0;
            return database.CheckOperatorLogin(current.userName, typed, administrator, id) && id == current.id;
        },
        parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (database.ChangeOperatorPassword(current.id, dialog.Password()) != 0) {
        LodgixMessageBox(parent, kPasswordNotChangedString, QMessageBox::Critical);
        return false;
    }
    LodgixMessageBox(parent, kPasswordChangedString, QMessageBox::Information);
    return true;
}

}  // namespace lodgix
