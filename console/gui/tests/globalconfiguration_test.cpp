#include "globalconfiguration.h"

#include "configurationcatalog.h"
#include "configurationwidgets.h"
#include "enginesettingsfile.h"
#include "globalsystem.h"
#include "installationsettings.h"
#include "language.h"
#include "labeldlg.h"
#include "pbxentrydlg.h"
#include "qstringprinter.h"
#include "stringtable.h"
#include "systemlabel.h"
#include "tempsuite.h"
#include "widgettesting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

using ::testing::TestWithParam;

QStringList TabTitles(const CGlobalConfiguration& sheet)
{
    QStringList titles;
    for (int tab = 0; tab < sheet.Tabs()->count(); ++tab)
        titles << sheet.Tabs()->tabText(tab);
    return titles;
}

// A workstation in the sheet's hands: its installation store and engine settings in a suite tree.
class SheetTest : public ConfigurationCatalog {
protected:
    void SetUp() override
    {
        ConfigurationCatalog::SetUp();
        if (IsSkipped())
            return;
        m_installation.Load();
        m_installation.SetInstallationMode(InstallationSettings::kModeServer);
        m_installation.SetLanguage(kLanguageItalian);
    }

    std::unique_ptr<CGlobalConfiguration> OpenSheet(const DbParameters& parameters)
    {
        auto sheet = std::make_unique<CGlobalConfiguration>(LoadResString(CGlobalConfiguration::kCaptionString),
                                                            m_installation, m_settings, parameters);
        sheet->show();
        return sheet;
    }
    std::unique_ptr<CGlobalConfiguration> OpenSheet() { return OpenSheet(Parameters()); }

    QWidget* Page(CGlobalConfiguration& sheet, const QString& title)
    {
        const int tab = TabTitles(sheet).indexOf(title);
        EXPECT_GE(tab, 0) << title.toStdString();
        sheet.Tabs()->setCurrentIndex(tab);
        return sheet.Tabs()->widget(tab);
    }

    TempSuite m_suite{QStringLiteral("Pultex")};
    InstallationSettings m_installation;
    EngineSettings m_settings;
};

TEST(GlobalConfiguration, WithoutADatabaseOnlySistemaWithBothCombosDisabled)
{
    TempSuite suite(QStringLiteral("Pultex"));
    InstallationSettings installation;
    installation.Load();
    installation.SetInstallationMode(InstallationSettings::kModeServer);
    EngineSettings settings;
    DbParameters unreachable;
    unreachable.file = QStringLiteral("/dev/null/Corvanti.sqlite");

    MessageBoxRecorder boxes;
    CGlobalConfiguration sheet(QStringLiteral("Configurazione di Pultex"), installation, settings, unreachable);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].title, QStringLiteral("Pultex - Messaggio di errore"));
    EXPECT_EQ(boxes.Seen()[0].text, QStringLiteral("Impossibile connettersi al database"));
    EXPECT_EQ(sheet.Database(), nullptr);
    EXPECT_EQ(TabTitles(sheet), QStringList{QStringLiteral("Sistema")});
    EXPECT_FALSE(Find<QComboBox>(sheet, "1012")->isEnabled());
    EXPECT_FALSE(Find<QComboBox>(sheet, "1014")->isEnabled());
    sheet.show();
    SaveScreenshot(sheet, QStringLiteral("CGlobalConfiguration-no-database"));
}

TEST_P(SheetTest, TheTabsFollowTheModeAndTheSystemPageShowsTheBoundPbxAndItsExtensions)
{
    Engine({QStringLiteral("Centrale1"), QStringLiteral("Centrale2")});
    ASSERT_EQ(Engine().SaveDerivedLabel(1, 0, QStringLiteral("Reception")), kNoError);
    m_installation.SetPbxIdentifier(1);
    m_installation.SetAssociatedExtension(2);

    const QStringList serverTabs = {QStringLiteral("Sistema"), QStringLiteral("Centralini"),
                                    QStringLiteral("Etichette Derivati"), QStringLiteral("Etichette Linee esterne"),
                                    QStringLiteral("Etichette Citofoni"), QStringLiteral("Etichette Allarmi"),
                                    QStringLiteral("Etichette Relays")};
    for (std::uint8_t mode : {InstallationSettings::kModeServer, InstallationSettings::kModeSimulation,
                              InstallationSettings::kModeClient}) {
        m_installation.SetInstallationMode(mode);
        auto sheet = OpenSheet();
        QStringList expected = serverTabs;
        if (mode == InstallationSettings::kModeClient)
            expected.removeAt(1);
        EXPECT_EQ(TabTitles(*sheet), expected) << int(mode);
    }

    m_installation.SetInstallationMode(InstallationSettings::kModeServer);
    auto sheet = OpenSheet();
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral("Configurazione di Pultex"));
    auto pbxs = Find<QComboBox>(*sheet, "1012");
    auto extensions = Find<QComboBox>(*sheet, "1014");
    EXPECT_TRUE(pbxs->isEnabled());
    EXPECT_EQ(ComboItems(pbxs), (QStringList{QStringLiteral("Centrale1"), QStringLiteral("Centrale2")}));
    EXPECT_EQ(pbxs->currentIndex(), 1);
    ASSERT_TRUE(extensions->isEnabled());
    const QStringList names = ComboItems(extensions);
    ASSERT_EQ(names.size(), kExtensions);
    EXPECT_EQ(names[0], QStringLiteral("Reception"));
    EXPECT_TRUE(names[1].startsWith(QStringLiteral("INT. "))) << names[1].toStdString();
    EXPECT_EQ(names[3], QStringLiteral("FAIL"));  // its programming record is missing
    EXPECT_EQ(extensions->currentIndex(), 2);

    // Another PBX resets the extension to the first.
    pbxs->setCurrentIndex(0);
    EXPECT_EQ(extensions->currentIndex(), 0);
    EXPECT_EQ(sheet->PbxIndex(), 0);
    EXPECT_EQ(sheet->ExtensionIndex(), 0);
    extensions->setCurrentIndex(1);
    sheet->accept();
    EXPECT_EQ(sheet->Values().pbxIdentifier, 0);
    EXPECT_EQ(sheet->Values().associatedExtension, 1);

    for (int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        auto shown = OpenSheet();
        // At the size the sheet takes by itself: the tab bar scrolls instead of widening it.
        EXPECT_TRUE(shown->Tabs()->usesScrollButtons());
        EXPECT_LT(shown->width(), 700);
        for (int tab = 0; tab < shown->Tabs()->count(); ++tab) {
            shown->Tabs()->setCurrentIndex(tab);
            SaveScreenshot(*shown, QStringLiteral("CGlobalConfiguration-%1-%2-%3")
                                       .arg(BackendName(GetParam()))
                                       .arg(tab)
                                       .arg(language == kLanguageEnglish ? QStringLiteral("en") : QStringLiteral("it")));
        }
    }
    SetLanguage(kLanguageItalian);
}

TEST_P(SheetTest, PbxPageLimitsNewPbxsProtectsTheBoundOneAndMovesTheIndexOnRemoval)
{
    Engine({QStringLiteral("Centrale1"), QStringLiteral("Centrale2"), QStringLiteral("Centrale3")});
    ASSERT_EQ(Engine().SaveDerivedLabel(2, 1, QStringLiteral("Portineria")), kNoError);
    m_installation.SetPbxIdentifier(2);
    auto sheet = OpenSheet();
    QWidget* page = Page(*sheet, QStringLiteral("Centralini"));
    auto list = Find<QTreeWidget>(*page, "1042");
    EXPECT_EQ(Column(list, 0), (QStringList{QStringLiteral("Centrale1"), QStringLiteral("Centrale2"), QStringLiteral("Centrale3")}));
    EXPECT_EQ(Column(list, 1), (QStringList{QStringLiteral("LAN"), QStringLiteral("COM2"), QStringLiteral("COM3")}));
    EXPECT_FALSE(Find<QPushButton>(*page, "1045")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(*page, "1044")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(*page, "1043")->isEnabled());

    // The bound PBX: it can be changed, not removed.
    list->setCurrentItem(list->topLevelItem(2));
    EXPECT_TRUE(Find<QPushButton>(*page, "1045")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(*page, "1044")->isEnabled());

    // Removing the first moves the bound PBX, its index and its rows down by one.
    list->setCurrentItem(list->topLevelItem(0));
    ASSERT_TRUE(Find<QPushButton>(*page, "1044")->isEnabled());
    QStringList questions;
    {
        ModalAnswerer answer([&](QDialog* dialog) {
            auto box = qobject_cast<QMessageBox*>(dialog);
            ASSERT_NE(box, nullptr);
            questions << box->windowTitle() + u'|' + box->text();
            PressButton(box, QMessageBox::Yes);
        });
        Click(*page, "1044");
    }
    EXPECT_EQ(questions, QStringList{QStringLiteral("Pultex - Messaggio di attenzione|Sei sicuro di voler rimuovere il centralino Centrale1")});
    EXPECT_EQ(Column(list, 0), (QStringList{QStringLiteral("Centrale2"), QStringLiteral("Centrale3")}));
    EXPECT_EQ(sheet->PbxIndex(), 1);
    EXPECT_EQ(Engine().GetDerivedLabel(1, 1), QStringLiteral("Portineria"));

    // "No" keeps the PBX.
    list->setCurrentItem(list->topLevelItem(0));
    {
        ModalAnswerer answer([](QDialog* dialog) { PressButton(dialog, QMessageBox::No); });
        Click(*page, "1044");
    }
    EXPECT_EQ(list->topLevelItemCount(), 2);

    // New PBXs up to five; an identifier differing only in case, or a used port, is refused.
    struct Entry {
        const char* identifier;
        const char* resource;
        const char* error;  // null: stored
    };
    const Entry entries[] = {
        {"CENTRALE2", "COM9", "Identificativo già esistente"},
        {"Centrale9", "COM3", "Risorsa già esistente"},
        {"Centrale4", "COM4", nullptr},
        {"Centrale5", "LAN", nullptr},
        {"Centrale6", "COM6", nullptr},
    };
    for (const Entry& entry : entries) {
        QStringList errors;
        ModalAnswerer answer([&](QDialog* dialog) {
            if (auto box = qobject_cast<QMessageBox*>(dialog)) {
                errors << box->text();
                return;
            }
            Find<QLineEdit>(*dialog, "1020")->setText(QString::fromUtf8(entry.identifier));
            Find<QComboBox>(*dialog, "1023")->setCurrentText(QString::fromUtf8(entry.resource));
            Click(*dialog, "1024");
        });
        Click(*page, "1043");
        EXPECT_EQ(errors, entry.error ? QStringList{QString::fromUtf8(entry.error)} : QStringList{}) << entry.identifier;
    }
    EXPECT_EQ(Column(list, 0), (QStringList{QStringLiteral("Centrale2"), QStringLiteral("Centrale3"), QStringLiteral("Centrale4"),
                                            QStringLiteral("Centrale5"), QStringLiteral("Centrale6")}));
    EXPECT_FALSE(Find<QPushButton>(*page, "1043")->isEnabled());
    SaveScreenshot(*sheet, QStringLiteral("CSystemPbx-five-%1").arg(BackendName(GetParam())));

    // A change keeps its own identifier and port, and takes a new port.
    list->setCurrentItem(list->topLevelItem(2));
    {
        ModalAnswerer answer([&](QDialog* dialog) {
            EXPECT_EQ(Find<QLineEdit>(*dialog, "1020")->text(), QStringLiteral("Centrale4"));
            Find<QComboBox>(*dialog, "1023")->setCurrentText(QStringLiteral("COM8"));
            Click(*dialog, "1024");
        });
        Click(*page, "1045");
    }
    EXPECT_EQ(list->topLevelItem(2)->text(1), QStringLiteral("COM8"));
}

TEST(GlobalConfiguration, PasswordChangeChecksItsEntriesInOrder)
{
    TempSuite suite(QStringLiteral("Pultex"));
    InstallationSettings installation;
    installation.Load();
    EngineSettings settings;
    DbParameters unreachable;
    unreachable.file = QStringLiteral("/dev/null/Corvanti.sqlite");
    const SaltedPassword storedHash = SaltedPassword::FromText(QStringLiteral("segreta"));
    struct Case {
        bool hasStored;
        const char* oldPassword;
        const char* newPassword;
        const char* repeated;
        const char* box;
        const char* opensAfter;  // the password that opens the configuration afterwards
    };
    const Case cases[] = {
        {true, "segreta", "", "", "Errore immissione password", "segreta"},
        {true, "segreta", "nuova", "Nuova", "Errore immissione password", "segreta"},
        {true, "sbagliata", "nuova", "nuova", "Vecchia password non valida", "segreta"},
        {true, "Tamp5830", "nuova", "nuova", "Vecchia password non valida", "segreta"},
        {false, "", "nuova", "nuova", "Vecchia password non valida", "Tamp5830"},
        {false, "Tamp5830", "nuova", "nuova", "Modifica password accettata", "nuova"},
        {true, "segreta", "12345678", "12345678", "Modifica password accettata", "12345678"},
        {true, "segreta", "123456789", "123456789", "Nuova password non valida, la lunghezza non deve superare gli 8 caratteri.", "segreta"},
    };
    for (const Case& row : cases) {
        installation.SetAccessPassword(row.hasStored ? storedHash : SaltedPassword());
        std::unique_ptr<CGlobalConfiguration> sheet;
        {
            MessageBoxRecorder noDatabase;
            sheet = std::make_unique<CGlobalConfiguration>(QString(), installation, settings, unreachable);
        }
        Find<QLineEdit>(*sheet, "1114")->setText(QString::fromUtf8(row.oldPassword));
        Find<QLineEdit>(*sheet, "1115")->setText(QString::fromUtf8(row.newPassword));
        Find<QLineEdit>(*sheet, "1120")->setText(QString::fromUtf8(row.repeated));
        std::vector<SeenMessageBox> seen;
        {
            MessageBoxRecorder boxes;
            Click(*sheet, "1116");
            seen = boxes.Seen();
        }
        ASSERT_EQ(seen.size(), 1u) << row.newPassword;
        EXPECT_EQ(seen[0].text, QString::fromUtf8(row.box)) << row.oldPassword << " " << row.newPassword;
        const bool accepted = seen[0].icon == QMessageBox::Information;
        EXPECT_EQ(seen[0].title, accepted ? QStringLiteral("Pultex - Messaggio di attenzione")
                                          : QStringLiteral("Pultex - Messaggio di errore"));
        for (const char* id : {"1114", "1115", "1120"})
            EXPECT_TRUE(Find<QLineEdit>(*sheet, id)->text().isEmpty()) << id;
        EXPECT_TRUE(InstallationSettings::CheckAccessPassword(sheet->AccessPassword(), QString::fromUtf8(row.opensAfter)))
            << row.opensAfter;
        // Only a hash is kept.
        EXPECT_FALSE(sheet->AccessPassword().HashHex().contains(QString::fromUtf8(row.opensAfter)));
    }
}

TEST_P(SheetTest, OkSavesTheIntervalTheOperatorConsoleStartAndTheRestartRequest)
{
    Engine({QStringLiteral("Centrale1")});
    const std::uint8_t expected[] = {0, 7, 14, 30, 255};
    for (int entry = 0; entry < 5; ++entry) {
        auto sheet = OpenSheet();
        Find<QComboBox>(*sheet, "1016")->setCurrentIndex(entry);
        Find<QCheckBox>(*sheet, "1111")->setChecked(entry % 2 == 1);
        sheet->accept();
        EngineSettings saved;
        ASSERT_EQ(LoadEngineSettings(saved), 1);
        EXPECT_EQ(saved.updateIntervalDays, expected[entry]);
        EXPECT_EQ(saved.startOperatorConsole, entry % 2);
        EXPECT_EQ(sheet->Values().restartRequest, ConfigurationSheetValues::kNoRestart);
    }
    // A stored interval that is none of the entries shows "Mai".
    m_settings.updateIntervalDays = 3;
    auto sheet = OpenSheet();
    EXPECT_EQ(Find<QComboBox>(*sheet, "1016")->currentText(), QStringLiteral("Mai"));
    Find<QCheckBox>(*sheet, "1041")->setChecked(true);
    Find<QComboBox>(*sheet, "1018")->setCurrentIndex(1);
    sheet->accept();
    EXPECT_EQ(sheet->Values().restartRequest, ConfigurationSheetValues::kGeneralConfigurationAtNextStart);
    EXPECT_EQ(sheet->Values().protection, InstallationSettings::kProtectionUser);

    // Both languages are offered, the installation's own selected; another one asks for a restart.
    m_installation.SetLanguage(kLanguageEnglish);
    auto english = OpenSheet();
    auto languages = Find<QComboBox>(*english, "1109");
    EXPECT_EQ(ComboItems(languages), (QStringList{QStringLiteral("ITALIANO"), QStringLiteral("ENGLISH")}));
    EXPECT_EQ(languages->currentIndex(), 1);
    english->accept();
    EXPECT_EQ(english->Values().language, kLanguageEnglish);
    EXPECT_EQ(english->Values().restartRequest, ConfigurationSheetValues::kNoRestart);
    auto toItalian = OpenSheet();
    Find<QComboBox>(*toItalian, "1109")->setCurrentIndex(0);
    toItalian->accept();
    EXPECT_EQ(toItalian->Values().language, kLanguageItalian);
    EXPECT_EQ(toItalian->Values().restartRequest, ConfigurationSheetValues::kLanguageChanged);
}

TEST_P(SheetTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheSheetStaysOpen)
{
    Engine({QStringLiteral("Centrale1")});
    const QString path = EngineSettingsPath();
    ASSERT_TRUE(QDir().mkpath(path));  // a folder where the file should be
    m_settings.updateIntervalDays = EngineSettings::kCheckEveryWeek;
    auto sheet = OpenSheet();
    Find<QComboBox>(*sheet, "1016")->setCurrentIndex(3);
    MessageBoxRecorder boxes;
    Click(*sheet, "IDOK");
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].title, QStringLiteral("Pultex - Messaggio di errore"));
    EXPECT_TRUE(boxes.Seen()[0].text.startsWith(QStringLiteral("Impossibile salvare le impostazioni di Pultex\n"
                                                               "Codice errore:  19\n") + QDir::toNativeSeparators(path)))
        << boxes.Seen()[0].text.toStdString();
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_NE(sheet->result(), QDialog::Accepted);
    EXPECT_EQ(Find<QComboBox>(*sheet, "1016")->currentIndex(), 3);  // what the user chose stays
    EXPECT_EQ(m_settings.updateIntervalDays, EngineSettings::kCheckEveryWeek);
    QDir(path).removeRecursively();
}

TEST_P(SheetTest, APbxOrLabelThatCannotBeWrittenIsReportedAndOfferedAgainAsTyped)
{
    Engine({QStringLiteral("Centrale1")});
    auto sheet = OpenSheet();
    CSqlDatabase& engine = Engine();

    // The PBX page: the catalog lost its list of PBXs.
    ASSERT_EQ(engine.OpenRecordset(QStringLiteral("DROP TABLE EngineConfiguration")), kNoError);
    QWidget* pbxPage = Page(*sheet, QStringLiteral("Centralini"));
    QStringList seen;
    {
        ModalAnswerer answer([&](QDialog* dialog) {
            if (auto box = qobject_cast<QMessageBox*>(dialog)) {
                seen << box->windowTitle() + u'|' + box->text().section(u'\n', 0, 1).section(u' ', 0, -2);
                return;
            }
            const QString identifier = Find<QLineEdit>(*dialog, "1020")->text();
            seen << dialog->windowTitle() + u'|' + identifier +
                        (identifier.isEmpty() ? QString() : u'|' + Find<QComboBox>(*dialog, "1023")->currentText());
            if (identifier.isEmpty()) {
                Find<QLineEdit>(*dialog, "1020")->setText(QStringLiteral("Nuova"));
                Find<QComboBox>(*dialog, "1023")->setCurrentText(QStringLiteral("COM1"));
                Click(*dialog, "1024");
            }
        });
        Click(*pbxPage, "1043");
    }
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Nuovo centralino|"),
                                 QStringLiteral("Pultex - Messaggio di errore|Impossibile salvare il centralino\nCodice errore: "),
                                 QStringLiteral("Nuovo centralino|Nuova|COM1")}))
        << seen.join(u'/').toStdString();

    // A label page: the catalog lost the table of the line labels.
    ASSERT_EQ(engine.OpenRecordset(QStringLiteral("DROP TABLE LineLabel")), kNoError);
    QWidget* labelPage = Page(*sheet, QStringLiteral("Etichette Linee esterne"));
    auto list = Find<QTreeWidget>(*labelPage, "1046");
    ASSERT_GT(list->topLevelItemCount(), 0);
    list->setCurrentItem(list->topLevelItem(0));
    seen.clear();
    {
        ModalAnswerer answer([&](QDialog* dialog) {
            if (auto box = qobject_cast<QMessageBox*>(dialog)) {
                seen << box->windowTitle() + u'|' + box->text().section(u'\n', 0, 1).section(u' ', 0, -2);
                return;
            }
            auto edit = Find<QLineEdit>(*dialog, "1052");
            seen << edit->text();
            if (edit->text().isEmpty()) {
                edit->setText(QStringLiteral("Sala A"));
                Click(*dialog, "1053");
            }
        });
        Click(*labelPage, "1049");
    }
    EXPECT_EQ(seen, (QStringList{QString(), QStringLiteral("Pultex - Messaggio di errore|Impossibile salvare l'etichetta\nCodice errore: "),
                                 QStringLiteral("Sala A")}))
        << seen.join(u'/').toStdString();
    EXPECT_TRUE(sheet->isVisible());
}

TEST_P(SheetTest, LabelsAreSavedForEachKindAndShownAgainAndAQuoteIsRefused)
{
    Engine({QStringLiteral("Centrale1")});
    auto sheet = OpenSheet();
    struct Kind {
        const char* tab;
        QStringList names;
        std::function<QString(int index)> stored;
    };
    CSqlDatabase& engine = Engine();
    const QString extensionName = ComboItems(Find<QComboBox>(*sheet, "1014"))[1];
    const Kind kinds[] = {
        {"Etichette Derivati", {}, [&](int i) { return engine.GetDerivedLabel(0, i); }},
        {"Etichette Linee esterne", {"Esterna 1", "Esterna 2", "Esterna 3"}, [&](int i) { return engine.GetLineLabel(0, i); }},
        {"Etichette Citofoni", {"Citofono 1", "Citofono 2"}, [&](int i) { return engine.GetEntryPhoneLabel(0, i); }},
        {"Etichette Allarmi", {}, [&](int i) { return engine.GetAlarmLabel(0, i); }},
        {"Etichette Relays", {"Relays1", "Relays2"}, [&](int i) { return engine.GetRelayLabel(0, i); }},
    };
    for (const Kind& kind : kinds) {
        QWidget* page = Page(*sheet, QString::fromUtf8(kind.tab));
        auto list = Find<QTreeWidget>(*page, "1046");
        const QStringList names = Column(list, 0);
        if (!kind.names.isEmpty()) {
            EXPECT_EQ(names, kind.names) << kind.tab;
        } else {
            // Extensions: their numbers, "I." and the position for the one without programming.
            ASSERT_EQ(names.size(), kExtensions) << kind.tab;
            EXPECT_EQ(names[1], extensionName);
            EXPECT_EQ(names[3], QStringLiteral("I.4"));
        }
        EXPECT_FALSE(Find<QPushButton>(*page, "1049")->isEnabled());
        list->setCurrentItem(list->topLevelItem(1));
        ASSERT_TRUE(Find<QPushButton>(*page, "1049")->isEnabled());

        for (const QString& text : {QStringLiteral("Sala 'A'"), QStringLiteral("Sala A")}) {
            QStringList errors;
            QString title;
            ModalAnswerer answer([&](QDialog* dialog) {
                title = dialog->windowTitle();
                Find<QLineEdit>(*dialog, "1052")->setText(text);
                // The refusal's box opens inside the label dialog's OK: a timer of its own closes it.
                BoxCloser closer(errors);
                Click(*dialog, "1053");
            });
            Click(*page, "1049");
            EXPECT_EQ(title, QStringLiteral("Etichetta ") + names[1]);
            EXPECT_EQ(errors, text.contains(u'\'') ? QStringList{QStringLiteral("Etichetta non valida")} : QStringList{});
        }
        EXPECT_EQ(kind.stored(1), QStringLiteral("Sala A")) << kind.tab;
        EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("Sala A")) << kind.tab;
        EXPECT_TRUE(kind.stored(0).isEmpty());
        SaveScreenshot(*sheet, QStringLiteral("CSystemLabel-%1-%2").arg(QString::fromUtf8(kind.tab).section(u' ', 1)).arg(BackendName(GetParam())));
    }
    // The labels are shown again by a new sheet.
    auto again = OpenSheet();
    QWidget* lines = Page(*again, QStringLiteral("Etichette Linee esterne"));
    EXPECT_EQ(Column(Find<QTreeWidget>(*lines, "1046"), 1),
              (QStringList{QString(), QStringLiteral("Sala A"), QString()}));
}

INSTANTIATE_CONFIGURATION_TEST(SheetTest);

}  // namespace
