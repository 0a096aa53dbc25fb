#include "tarivoaccount.h"

#include "oledatetext.h"
#include "tarivowindow.h"

#include <QProcess>

QString TarivoAccountArgument(const TarivoAccount& account, const QLocale& locale)
{
    return TarivoProgramPath() + QStringLiteral(" -SOURCE:BILL") + QStringLiteral(" -INIT:") +
           FormatOleDate(account.start, locale) + QStringLiteral(" -END:") + FormatOleDate(account.end, locale) +
           QStringLiteral(" -PBX:%1").arg(account.pbxIdentifier) + QStringLiteral(" -DER:%1").arg(account.extension) +
           QStringLiteral(" -APPLY:1") + QStringLiteral(" -CLOSE:1");
}

bool PostTarivoAccount(const TarivoAccount& account)
{
    if (!FindTarivoWindow())
        return false;
    return PostToTarivo(kTarivoAccountPbx, static_cast<std::uint64_t>(account.pbxIdentifier)) &&
           PostToTarivo(kTarivoAccountExtension, static_cast<std::uint64_t>(account.extension)) &&
           PostDateToTarivo(kTarivoAccountStart, account.start) && PostDateToTarivo(kTarivoAccountEnd, account.end) &&
           PostToTarivo(kTarivoShowAccount) && PostToTarivo(kTarivoCloseAccount) && PostToTarivo(kTarivoActivate);
}

bool StartTarivoAccount(const TarivoAccount& account, const QLocale& locale)
{
    return QProcess::startDetached(TarivoProgramPath(), {TarivoAccountArgument(account, locale)}, TarivoProgramFolder());
}
