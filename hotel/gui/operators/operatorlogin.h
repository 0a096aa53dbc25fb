#pragma once

#include "logindlg.h"

class QWidget;

namespace lodgix {

class CHotelDatabase;
struct CurrentOperator;

// The hotel program's texts of the shared login dialog.
CLoginDlg::Texts HotelLoginTexts();

// The change of the logged-in operator's password: the operator dialog in its change mode, the old
// password checked against the database, then the new one stored; 2055 or 2056 tells how it went.
// True when the password was changed.
bool ChangeOperatorPassword(CHotelDatabase& database, const CurrentOperator& current, QWidget* parent);

}  // namespace lodgix
