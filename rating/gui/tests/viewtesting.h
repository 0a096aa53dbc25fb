#pragma once

#include "cardimagelist.h"
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"
#include "ratingconfiguration.h"
#include "ratingpbxfacts.h"
#include "rulecard.h"
#include "tariffcard.h"
#include "valuxaview.h"
#include "waitfor.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QWidget>

// A configuration with the default tariffs, prefix groups and rules, their pictures, and two present
// PBXs: 0 counts pulses (8 extensions, 4 lines), 1 reports durations (5 extensions, 2 lines).
struct ViewFixtureData {
    static constexpr int kFirstExtensionNumber = 201;  // extension i is dialled as 201 + i

    RatingConfiguration configuration;
    RatingPbxFacts pbxs;
    CardImageList tariffPictures;
    CardImageList rulePictures;

    ViewFixtureData()
    {
        BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), configuration.prefixGroups);
        BuildDefaultTariffs(configuration.tariffs, configuration.variations);
        BuildDefaultRules(configuration.rules, configuration.prefixGroups);
        pbxs.pbxs = {Pbx(QStringLiteral("Centralino A"), 8, 4, false), Pbx(QStringLiteral("Centralino B"), 5, 2, true)};
        tariffPictures.Create(kTariffCardSize, kTariffCardSlots, PlainCardBackground(kTariffCardSize));
        rulePictures.Create(kRuleCardSize, kRuleCardSlots, PlainCardBackground(kRuleCardSize));
        for (int i = 0; i < configuration.tariffs.Count(); ++i)
            DrawTariffCard(tariffPictures, i, configuration.tariffs.tariffs[i], configuration.variations.values[i]);
        for (int i = 0; i < configuration.rules.Count(); ++i)
            DrawRuleCard(rulePictures, i, configuration.rules.rules[i], configuration.prefixGroups, configuration.tariffs);
    }

    static RatingPbx Pbx(const QString& name, int extensions, int lines, bool durations)
    {
        RatingPbx pbx;
        pbx.present = true;
        pbx.deviceName = name;
        pbx.extensionCount = extensions;
        pbx.lineCount = lines;
        pbx.reportsDurations = durations;
        for (int i = 0; i < extensions; ++i) {
            pbx.extensionLabels.append(QStringLiteral("INT. %1").arg(10 + i));
            pbx.extensionNumbers.append(QString::number(kFirstExtensionNumber + i));
        }
        // Byte 24 of the system configuration tells a PBX that times its calls (bit 3).
        pbx.systemConfiguration = QByteArray(25, '\0');
        if (durations)
            pbx.systemConfiguration[24] = 0x08;
        for (int i = 0; i < lines; ++i)
            pbx.lineNames.append(QStringLiteral("EXT. %1").arg(i + 1));
        return pbx;
    }
};

inline QPushButton* Button(QWidget& parent, int id)
{
    return parent.findChild<QPushButton*>(QString::number(id));
}

inline QComboBox* Combo(QWidget& parent, int id)
{
    return parent.findChild<QComboBox*>(QString::number(id));
}

// Posts a command to the view and lets it and what it posts run, until no modal window is left.
inline void PostAndSettle(CValuxaView& view, int command)
{
    view.Target().Post(WM_COMMAND, static_cast<std::uint64_t>(command), 0);
    for (int round = 0; round < 20; ++round)
        QCoreApplication::processEvents();
    WaitFor([] { return QApplication::activeModalWidget() == nullptr; });
    for (int round = 0; round < 20; ++round)
        QCoreApplication::processEvents();
}
