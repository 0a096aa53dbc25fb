#include "accesspasswordchange.h"

#include "installationsettings.h"

PasswordChangeOutcome ChangeAccessPassword(SaltedPassword& stored, const QString& oldPassword,
                                           const QString& newPassword, const QString& repeated)
{
    if (newPassword.isEmpty() || repeated != newPassword)
        return PasswordChangeOutcome::EntryError;
    if (!InstallationSettings::CheckAccessPassword(stored, oldPassword))
        return PasswordChangeOutcome::WrongOld;
    if (newPassword.size() > InstallationSettings::kAccessPasswordMaxLength)
        return PasswordChangeOutcome::TooLong;
    stored = SaltedPassword::FromText(newPassword);
    return PasswordChangeOutcome::Accepted;
}
