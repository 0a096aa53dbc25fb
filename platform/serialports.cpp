#include "serialports.h"

#include "registrykey.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <array>
#include <map>

namespace {

constexpr std::array kPortKinds = {QLatin1StringView("ttyS"), QLatin1StringView("ttyUSB"),
                                   QLatin1StringView("ttyACM")};
constexpr int kLegacyKind = 0;  // ttyS: the board's own UARTs, COM1 upwards

// "ttyUSB3" -> kind 1, index 3; -1 when the name is none of the serial kinds.
std::pair<int, int> KindAndIndex(const QString& name)
{
    for (int kind = 0; kind < static_cast<int>(kPortKinds.size()); ++kind) {
        if (!name.startsWith(kPortKinds[kind]))
            continue;
        bool ok = false;
        const int index = name.mid(kPortKinds[kind].size()).toInt(&ok, 10);
        if (ok && index >= 0)
            return {kind, index};
    }
    return {-1, -1};
}

bool LegacySlotIsEmpty(const QString& portFolder)
{
    QFile type(portFolder + QStringLiteral("/type"));
    if (!type.open(QIODevice::ReadOnly))
        return false;
    return type.readAll().trimmed() == "0";
}

// Devices that Registry.ini [SerialPorts] names, with their COM numbers.
std::map<QString, int> ConfiguredNumbers()
{
    std::map<QString, int> numbers;
    QSettings registry(RegistryKey::DefaultFile(), QSettings::IniFormat);
    registry.beginGroup(QStringLiteral("SerialPorts"));
    for (const QString& key : registry.childKeys()) {
        if (!key.startsWith(QLatin1StringView("COM"), Qt::CaseInsensitive))
            continue;
        bool ok = false;
        const int number = key.mid(3).toInt(&ok, 10);
        const QString device = registry.value(key).toString().trimmed();
        if (ok && number > 0 && !device.isEmpty())
            numbers.emplace(device, number);
    }
    return numbers;
}

}  // namespace

std::vector<SerialPort> ListSerialPorts(const QString& ttyClassFolder)
{
    const std::map<QString, int> configured = ConfiguredNumbers();
    std::vector<std::pair<std::pair<int, int>, SerialPort>> found;
    const QDir folder(ttyClassFolder);
    for (const QString& name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        const auto kindAndIndex = KindAndIndex(name);
        if (kindAndIndex.first < 0)
            continue;
        const QString portFolder = folder.filePath(name);
        if (!QFileInfo::exists(portFolder + QStringLiteral("/device")))
            continue;
        const bool legacy = kindAndIndex.first == kLegacyKind;
        if (legacy && LegacySlotIsEmpty(portFolder))
            continue;
        SerialPort port{name, QStringLiteral("/dev/") + name, 0};
        if (const auto entry = configured.find(port.device); entry != configured.end())
            port.number = entry->second;
        else if (legacy)
            port.number = kindAndIndex.second + 1;
        found.push_back({kindAndIndex, port});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<SerialPort> ports;
    ports.reserve(found.size());
    for (auto& entry : found)
        ports.push_back(std::move(entry.second));
    return ports;
}
