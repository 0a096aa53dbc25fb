#include "startupwaits.h"

#include "registrykey.h"

#include <algorithm>

namespace {

constexpr int kLongestWaitMs = 60000;

int Wait(const RegistryKey& key, const QString& name, int defaultMs)
{
    return std::clamp(key.ReadInt(name, defaultMs), 0, kLongestWaitMs);
}

}  // namespace

StartupWaits StartupWaits::FromRegistry()
{
    const RegistryKey key(kGroup);
    StartupWaits waits;
    waits.engineMs = Wait(key, kEngineWaitName, waits.engineMs);
    waits.simulatorMs = Wait(key, kSimulatorWaitName, waits.simulatorMs);
    return waits;
}
