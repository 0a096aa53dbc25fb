#include "operatorsettingsrecords.h"

#include "operatorsettingsfiles.h"

#include <QFileInfo>

#include <functional>

namespace {

template <typename Record>
SettingsFileOutcome LoadOrCreate(const QString& folder, Record& record, bool (*load)(const QString&, Record&),
                                 bool (*save)(const QString&, const Record&), const std::function<void()>& before)
{
    SettingsFileOutcome outcome{Record::kFileName};
    outcome.loaded = load(folder, record);
    if (!outcome.loaded) {
        if (before)
            before();
        if (save(folder, record))
            outcome.writtenLength = QFileInfo(folder + Record::kFileName).size();
    }
    return outcome;
}

// The byte ranges of the main settings that the settings sheet's pages edit, [first, last].
struct ByteRange {
    qsizetype first;
    qsizetype last;
};
constexpr ByteRange kSheetMainRanges[] = {{0, 1887}, {4856, 5114}, {5128, 5128}, {5130, 5130}};

}  // namespace

void TakeSheetSettings(OperatorSettingsRecords& live, const OperatorSettingsRecords& edited)
{
    QByteArray& target = live.main.Bytes();
    const QByteArray& source = edited.main.Bytes();
    for (const ByteRange& range : kSheetMainRanges) {
        const qsizetype length = range.last - range.first + 1;
        target.replace(range.first, length, source.mid(range.first, length));
    }
    live.office = edited.office;
    live.second = edited.second;
    live.toolbar = edited.toolbar;
    live.third = edited.third;
}

std::vector<SettingsFileOutcome> LoadOrCreateSettingsFiles(const QString& folder, OperatorSettingsRecords& records)
{
    return {
        LoadOrCreate(folder, records.main, &LoadMainSettingsFile, &SaveMainSettingsFile, {}),
        LoadOrCreate(folder, records.office, &LoadOfficePluginFile, &SaveOfficePluginFile, {}),
        LoadOrCreate(folder, records.second, &LoadService2PluginFile, &SaveService2PluginFile, {}),
        LoadOrCreate(folder, records.toolbar, &LoadToolbarFile, &SaveToolbarFile,
                     [&records] { records.toolbar.FillFromMainSettings(records.main); }),
        LoadOrCreate(folder, records.third, &LoadService3PluginFile, &SaveService3PluginFile, {}),
    };
}

bool SaveSettingsFiles(const QString& folder, const OperatorSettingsRecords& records)
{
    bool saved = SaveMainSettingsFile(folder, records.main);
    saved = SaveOfficePluginFile(folder, records.office) && saved;
    saved = SaveService2PluginFile(folder, records.second) && saved;
    saved = SaveToolbarFile(folder, records.toolbar) && saved;
    saved = SaveService3PluginFile(folder, records.third) && saved;
    return saved;
}
