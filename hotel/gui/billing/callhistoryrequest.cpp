#include "callhistoryrequest.h"

#include "oledatetext.h"
#include "tarivowindow.h"

#include <QProcess>

namespace lodgix {

QString CallHistoryArgument(const CallHistoryRequest& request, const QLocale& locale)
{
    return TarivoProgramPath() + QStringLiteral(" -SOURCE:STORICO") + QStringLiteral(" -INIT:") +
           FormatOleDate(request.start, locale) + QStringLiteral(" -END:") + FormatOleDate(request.end, locale) +
           QStringLiteral(" -PBX:%1").arg(request.pbx) + QStringLiteral(" -DER:%1").arg(request.extension) +
           QStringLiteral(" -APPLY:1") + QStringLiteral(" -CLOSE:0");
}

bool RequestCallHistory(const CallHistoryRequest& request, const QLocale& locale)
{
    if (FindTarivoWindow())
        return PostToTarivo(kTarivoHistoryPbx, static_cast<std::uint64_t>(request.pbx)) &&
               PostToTarivo(kTarivoHistoryExtension, static_cast<std::uint64_t>(request.extension)) &&
               PostDateToTarivo(kTarivoHistoryStart, request.start) &&
               PostDateToTarivo(kTarivoHistoryEnd, request.end) && PostToTarivo(kTarivoShowHistory) &&
               PostToTarivo(kTarivoCompute) && PostToTarivo(kTarivoActivate);
    return QProcess::startDetached(TarivoProgramPath(), {CallHistoryArgument(request, locale)},
                                   TarivoProgramFolder());
}

}  // namespace lodgix
