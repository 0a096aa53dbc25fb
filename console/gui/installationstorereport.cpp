#include "installationstorereport.h"

#include "configurationbox.h"
#include "installationsettings.h"
#include "stringtable.h"

#include <QMessageBox>

namespace {
constexpr unsigned kDamagedStoreString = 10900;
}

bool ReportDamagedInstallationStore(const InstallationSettings& settings, QWidget* parent)
{
    if (settings.LastLoadResult() != InstallationSettings::LoadResult::Damaged)
        return false;
    QMessageBox box(QMessageBox::Critical, LoadResString(kErrorCaptionString),
                    LoadResString(kDamagedStoreString) + u'\n' + settings.StorePath() + QStringLiteral(": ") +
                        settings.LoadProblem(),
                    QMessageBox::Ok, parent);
    box.exec();
    return true;
}
