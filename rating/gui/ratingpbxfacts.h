#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// What the rating program's windows know of the installed PBXs, read once at start: per PBX slot
// whether its data was loaded, its extension count (the smaller of the managed and detected counts),
// its line count, whether it reports call durations instead of metering pulses, its device name, and
// the texts its extensions and lines are shown with.
struct RatingPbx {
    bool present = false;
    int extensionCount = 0;
    int lineCount = 0;
    bool reportsDurations = false;
    QString deviceName;
    QStringList extensionLabels;  // one per extension index below extensionCount
    QStringList lineNames;        // one per line index below lineCount
    QStringList extensionNumbers; // the dialling number of each extension index
    QByteArray systemConfiguration;
};

struct RatingPbxFacts {
    std::vector<RatingPbx> pbxs;

    int Count() const { return static_cast<int>(pbxs.size()); }
    bool IsPresent(int pbx) const { return pbx >= 0 && pbx < Count() && At(pbx).present; }
    int ExtensionCount(int pbx) const { return IsPresent(pbx) ? At(pbx).extensionCount : 0; }
    int LineCount(int pbx) const { return IsPresent(pbx) ? At(pbx).lineCount : 0; }
    bool ReportsDurations(int pbx) const { return IsPresent(pbx) && At(pbx).reportsDurations; }
    // The highest-numbered present PBX; 0 when none is.
    int HighestPresent() const;
    QString ExtensionLabel(int pbx, int extension) const;
    QString LineName(int pbx, int line) const;
    // The extension's dialling number as the call log stores it; -1 when it has none.
    int ExtensionNumber(int pbx, int extension) const;
    QByteArray SystemConfiguration(int pbx) const { return IsPresent(pbx) ? At(pbx).systemConfiguration : QByteArray(); }

private:
    const RatingPbx& At(int pbx) const { return pbxs[static_cast<std::size_t>(pbx)]; }
};
