#include "tarivoaccount.h"

#include "folders.h"
#include "oledatetext.h"
#include "suiteipc.h"
#include "tarivowindow.h"

#include <QProcess>

#include <bit>

namespace {

const QString kTarivo = QStringLiteral("Tarivo");

bool Post(std::uint32_t message, std::uint64_t wParam = 0, std::int64_t lParam = 0)
{
    return SuiteIpc::Post(SuiteIpc::Key::WindowClass, kTarivo, message, wParam, lParam);
}

// A date as Tarivo's messages carry it: the 64 bits of its value split in two halves.
bool PostDate(std::uint32_t message, const OleDate& date)
{
    const auto bits = std::bit_cast<std::uint64_t>(date.Value());
    return Post(message, bits & 0xFFFFFFFFu, static_cast<std::int64_t>(bits >> 32));
}

}  // namespace

QString TarivoProgramFolder()
{
    return GetSuiteFolder() + kTarivo + u'/';
}

QString TarivoProgramPath()
{
    return TarivoProgramFolder() + kTarivo;
}

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
    return Post(kTarivoAccountPbx, static_cast<std::uint64_t>(account.pbxIdentifier)) &&
           Post(kTarivoAccountExtension, static_cast<std::uint64_t>(account.extension)) &&
           PostDate(kTarivoAccountStart, account.start) && PostDate(kTarivoAccountEnd, account.end) &&
           Post(kTarivoShowAccount) && Post(kTarivoCloseAccount) && Post(kTarivoActivate);
}

bool StartTarivoAccount(const TarivoAccount& account, const QLocale& locale)
{
    return QProcess::startDetached(TarivoProgramPath(), {TarivoAccountArgument(account, locale)}, TarivoProgramFolder());
}
