#include "extensionprogramming.h"

#include "engineclient.h"
#include "engineerrorcode.h"
#include "pbxframebuilders.h"
#include "pbxstateloader.h"
#include "sqldatabase.h"

#include <vector>

namespace {

constexpr int kSeconds = 6;  // the time budget of each request

}  // namespace

int WriteExtensionProgramming(const CEngineClient& engine, CSqlDatabase* database, int pbxIdentifier,
                              const std::array<std::uint8_t, PbxStateTables::kExtensionProgrammingSize>& record)
{
    const auto pbx = static_cast<std::uint8_t>(pbxIdentifier);
    if (const int code = engine.WriteProgrammation(pbx, record, kSeconds); code != kNoError)
        return code;
    if (!database)
        return kDbTableUpdateFailed;
    const QByteArray bytes(reinterpret_cast<const char*>(record.data()), static_cast<qsizetype>(record.size()));
    if (const int code = database->SaveDerivedProgrammation(PbxListPosition(*database, pbxIdentifier), bytes);
        code != kNoError)
        return code;
    std::vector<std::uint8_t> frame(BuildProgrammingFrame(nullptr, record));
    BuildProgrammingFrame(frame.data(), record);
    return engine.SendToClients(pbx, frame);
}
