// Installation.ini of any bytes: it loads or is refused, and what loads is saved and loads back the same.
#include "fuzzapplication.h"
#include "installationsettings.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

bool SameValues(const InstallationSettings& a, const InstallationSettings& b)
{
    return a.ServerName() == b.ServerName() && a.InstallationMode() == b.InstallationMode() &&
           a.PbxIdentifier() == b.PbxIdentifier() && a.AssociatedExtension() == b.AssociatedExtension() &&
           a.Language() == b.Language() && a.Protection() == b.Protection() &&
           a.AccessPassword() == b.AccessPassword() && a.Database() == b.Database();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureFuzzApplication();
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Installation.ini"));
    QFile::remove(path + QStringLiteral(".damaged"));
    if (!WriteFuzzInput(path, data, size))
        std::abort();
    InstallationSettings settings(path);
    const auto result = settings.Load();
    if (result != InstallationSettings::LoadResult::Loaded)
        return 0;
    if (!settings.Save())
        std::abort();
    InstallationSettings reread(path);
    if (reread.Load() != InstallationSettings::LoadResult::Loaded || !SameValues(settings, reread))
        std::abort();
    return 0;
}
