#include "pbxclock.h"

#include "engineclient.h"

#include <algorithm>

namespace {

constexpr int kFirstYear = 2000;
constexpr int kClockSeconds = 6;

}  // namespace

PbxClockBytes PbxClockOf(const QDateTime& time)
{
    const QDate date = time.date();
    const QTime clock = time.time();
    return {static_cast<std::uint8_t>(date.day()), static_cast<std::uint8_t>(date.month()),
            static_cast<std::uint8_t>(std::clamp(date.year() - kFirstYear, 0, 255)),
            static_cast<std::uint8_t>(clock.hour()), static_cast<std::uint8_t>(clock.minute()),
            static_cast<std::uint8_t>(clock.second())};
}

EngineErrorCode SetPbxClockToNow(const CEngineClient* client, std::uint8_t pbx)
{
    if (!client)
        return kNoEngineClient;
    return client->SetClock(pbx, PbxClockOf(QDateTime::currentDateTime()), kClockSeconds);
}
