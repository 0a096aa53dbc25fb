#pragma once

#include "saltedpassword.h"

#include <QString>

// The outcome of a change of the configuration's access password, by the text the sheet shows for it.
enum class PasswordChangeOutcome {
    Accepted = 1102,     // "Modifica password accettata"
    EntryError = 1107,   // the new password is empty or its repeat differs
    WrongOld = 1100,     // the old password is not the stored one (nor, while none is stored, the default)
    TooLong = 1101,      // the new password has more than 8 characters
};

// Checks the three texts in that order and, when accepted, replaces `stored` by a fresh salted hash of
// the new password. Nothing changes otherwise.
PasswordChangeOutcome ChangeAccessPassword(SaltedPassword& stored, const QString& oldPassword,
                                           const QString& newPassword, const QString& repeated);
