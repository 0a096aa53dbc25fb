#pragma once

#include "logindlg.h"

// The operator console's form of the login dialog: its labels, "Esci", its title and its message for an
// empty field under the program's caption.
CLoginDlg::Texts ConsoleLoginTexts();
