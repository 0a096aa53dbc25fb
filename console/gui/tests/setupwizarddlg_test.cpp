#include "setupwizarddlg.h"

#include "computerbrowsedlg.h"
#include "configurationcatalog.h"
#include "configurationwidgets.h"
#include "installationsettings.h"
#include "language.h"
#include "tempsuite.h"
#include "waitdlg.h"
#include "waitfor.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr std::uint8_t kNotConfigured = InstallationSettings::kModeNotConfigured;
constexpr int kStepTimeoutMs = 15000;

// The wizard as the start-up opens it, and the texts of the wait notices it shows.
class Wizard {
public:
    Wizard(std::uint8_t mode, const DbParameters& database, const QString& hostsFile = {})
        : m_dialog(std::make_unique<CSetupWizardDlg>(mode, database, nullptr, hostsFile))
    {
        m_notices.setInterval(20);
        QObject::connect(&m_notices, &QTimer::timeout, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto wait = qobject_cast<CWaitDlg*>(widget); wait && wait->isVisible() && !m_waitTexts.contains(wait->Text()))
                    m_waitTexts << wait->Text();
        });
        m_notices.start();
        m_dialog->show();
    }

    CSetupWizardDlg& operator*() { return *m_dialog; }
    CSetupWizardDlg* operator->() { return m_dialog.get(); }

    bool WaitForStep(int step)
    {
        return WaitFor([&] { return m_dialog->Step() == step && !m_dialog->findChild<QComboBox*>(QStringLiteral("1015"))->isHidden() &&
                                    m_dialog->findChild<QComboBox*>(QStringLiteral("1015"))->count() > 0; },
                       kStepTimeoutMs);
    }
    QStringList Roles() { return ComboItems(Find<QComboBox>(*m_dialog, "1015")); }
    void TakeRole(const QString& role)
    {
        auto combo = Find<QComboBox>(*m_dialog, "1015");
        combo->setCurrentIndex(combo->findText(role));
        Click(*m_dialog, "1016");
    }
    const QStringList& WaitTexts() const { return m_waitTexts; }
    // At the size the wizard gives itself for the steps shown.
    void Screenshot(const QString& name)
    {
        const QString language = IsEnglish() ? QStringLiteral("en") : QStringLiteral("it");
        SaveScreenshot(*m_dialog, QStringLiteral("CSetupWizardDlg-%1-%2").arg(name, language));
    }

private:
    std::unique_ptr<CSetupWizardDlg> m_dialog;
    QTimer m_notices;
    QStringList m_waitTexts;
};

bool InstallSimulvex(const TempSuite& suite)
{
    const QString folder = suite.SuiteFolder() + QStringLiteral("Simulvex");
    QFile program(folder + QStringLiteral("/Simulvex"));
    return QDir().mkpath(folder) && program.open(QIODevice::WriteOnly);
}

DbParameters NoDatabaseEngine()
{
    DbParameters parameters;
    parameters.file = QStringLiteral("/dev/null/Corvanti.sqlite");
    return parameters;
}

class SetupWizardTest : public ConfigurationCatalog {
protected:
    TempSuite m_suite{QStringLiteral("Pultex")};
};

TEST_P(SetupWizardTest, TheServerRolesNeedTheDatabaseEngineAndSimulationTheSimulator)
{
    for (int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        Wizard wizard(kNotConfigured, Parameters());
        ASSERT_TRUE(wizard.WaitForStep(CSetupWizardDlg::kStepRole));
        const bool english = language == kLanguageEnglish;
        EXPECT_EQ(wizard.Roles(), (QStringList{QStringLiteral("Server"), QStringLiteral("Client")}));
        EXPECT_EQ(wizard.WaitTexts(), QStringList{english ? QStringLiteral("Trying to connect in server mode...")
                                                          : QStringLiteral("Tentativo di connessione modalità server...")});
        wizard.Screenshot(QStringLiteral("step0"));
        wizard.TakeRole(QStringLiteral("Server"));
        wizard.Screenshot(QStringLiteral("step1-server"));
    }
    SetLanguage(kLanguageItalian);
    ASSERT_TRUE(InstallSimulvex(m_suite));
    {
        Wizard wizard(kNotConfigured, Parameters());
        ASSERT_TRUE(wizard.WaitForStep(CSetupWizardDlg::kStepRole));
        EXPECT_EQ(wizard.Roles(), (QStringList{QStringLiteral("Server"), QStringLiteral("Client"), QStringLiteral("Simulazione")}));
    }
    // Asked again (mode 3), or on a computer without the database engine, a workstation can only be a client.
    for (const auto& [mode, database] : {std::pair{InstallationSettings::kModeReconfigure, Parameters()},
                                         std::pair{kNotConfigured, NoDatabaseEngine()}}) {
        Wizard wizard(mode, database);
        ASSERT_TRUE(wizard.WaitForStep(CSetupWizardDlg::kStepRole));
        EXPECT_EQ(wizard.Roles(), QStringList{QStringLiteral("Client")}) << int(mode);
    }
}

TEST_P(SetupWizardTest, StepOneAddsChangesAndRemovesPbxsAndNeedsOne)
{
    Wizard wizard(kNotConfigured, Parameters());
    ASSERT_TRUE(wizard.WaitForStep(CSetupWizardDlg::kStepRole));
    wizard.TakeRole(QStringLiteral("Server"));
    ASSERT_EQ(wizard->Step(), CSetupWizardDlg::kStepPbxsOrServer);
    auto list = Find<QTreeWidget>(*wizard, "1019");
    EXPECT_EQ(list->topLevelItemCount(), 0);
    {
        MessageBoxRecorder boxes;
        Click(*wizard, "1020");
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].text, QStringLiteral("Occorre inserire almeno un centralino per poter proseguire"));
    }
    EXPECT_EQ(wizard->Step(), CSetupWizardDlg::kStepPbxsOrServer);

    auto enterPbx = [&](const char* button, const QString& identifier, const QString& resource) {
        ModalAnswerer answer([&](QDialog* dialog) {
            Find<QLineEdit>(*dialog, "1020")->setText(identifier);
            Find<QComboBox>(*dialog, "1023")->setCurrentText(resource);
            Click(*dialog, "1024");
        });
        Click(*wizard, button);
    };
    enterPbx("1022", QStringLiteral("Centrale1"), QStringLiteral("LAN"));
    enterPbx("1022", QStringLiteral("Centrale2"), QStringLiteral("COM2"));
    EXPECT_EQ(Column(list, 0), (QStringList{QStringLiteral("Centrale1"), QStringLiteral("Centrale2")}));
    EXPECT_FALSE(Find<QPushButton>(*wizard, "1024")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(*wizard, "1023")->isEnabled());

    // A selection enables both "Modifica" and "Elimina".
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_TRUE(Find<QPushButton>(*wizard, "1024")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(*wizard, "1023")->isEnabled());
    enterPbx("1024", QStringLiteral("Centrale9"), QStringLiteral("COM4"));
    EXPECT_EQ(Column(list, 0), (QStringList{QStringLiteral("Centrale9"), QStringLiteral("Centrale2")}));
    EXPECT_EQ(Column(list, 1), (QStringList{QStringLiteral("COM4"), QStringLiteral("COM2")}));

    list->setCurrentItem(list->topLevelItem(1));
    {
        ModalAnswerer answer([](QDialog* dialog) { PressButton(dialog, QMessageBox::Yes); });
        Click(*wizard, "1023");
    }
    EXPECT_EQ(Column(list, 0), QStringList{QStringLiteral("Centrale9")});
    CSqlDatabase& engine = Engine();
    EXPECT_EQ(engine.PbxCount(), 1);
    EXPECT_EQ(engine.PbxIdentifier(0), QStringLiteral("Centrale9"));

    Click(*wizard, "1020");
    EXPECT_EQ(wizard->Step(), CSetupWizardDlg::kStepPbx);
    EXPECT_EQ(ComboItems(Find<QComboBox>(*wizard, "1026")), QStringList{QStringLiteral("Centrale9")});
    Click(*wizard, "1027");
    ASSERT_EQ(wizard->Step(), CSetupWizardDlg::kStepExtension);
    EXPECT_EQ(Find<QComboBox>(*wizard, "1029")->count(), CSetupWizardDlg::kExtensionChoices);
    EXPECT_EQ(Find<QComboBox>(*wizard, "1029")->itemText(254), QStringLiteral("I.255"));
}

TEST_P(SetupWizardTest, AClientNamesItsExtensionsByTheirLabelsAndNoToTheConfirmationStartsAgain)
{
    Engine({QStringLiteral("Centrale1")});
    ASSERT_EQ(Engine().SaveDerivedLabel(0, 0, QStringLiteral("Reception")), kNoError);
    for (int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        Wizard wizard(kNotConfigured, Parameters());
        ASSERT_TRUE(wizard.WaitForStep(CSetupWizardDlg::kStepRole));
        wizard.TakeRole(QStringLiteral("Client"));
        SaveSnapshots();
        ASSERT_EQ(wizard->Step(), CSetupWizardDlg::kStepPbxsOrServer);
        EXPECT_FALSE(Find<QTreeWidget>(*wizard, "1019")->isVisible());
        Find<QLineEdit>(*wizard, "1031")->setText(QStringLiteral("pc-server"));
        wizard.Screenshot(QStringLiteral("step1-client"));
        Click(*wizard, "1020");
        ASSERT_EQ(wizard->Step(), CSetupWizardDlg::kStepPbx);
        wizard.Screenshot(QStringLiteral("step2"));
        Click(*wizard, "1027");
        ASSERT_EQ(wizard->Step(), CSetupWizardDlg::kStepExtension);
        const QStringList extensions = ComboItems(Find<QComboBox>(*wizard, "1029"));
        ASSERT_EQ(extensions.size(), kExtensions);
        EXPECT_EQ(extensions[0], QStringLiteral("Reception"));
        EXPECT_TRUE(extensions[1].startsWith(QStringLiteral("INT. "))) << extensions[1].toStdString();
        EXPECT_EQ(extensions[3], QStringLiteral("FAIL"));
        Find<QComboBox>(*wizard, "1029")->setCurrentIndex(2);
        wizard.Screenshot(QStringLiteral("step3"));

        // "No" goes back to the role.
        QStringList questions;
        {
            ModalAnswerer answer([&](QDialog* dialog) {
                questions << qobject_cast<QMessageBox*>(dialog)->text();
                PressButton(dialog, QMessageBox::No);
            });
            Click(*wizard, "1030");
        }
        EXPECT_EQ(questions.size(), 1);
        ASSERT_TRUE(wizard.WaitForStep(CSetupWizardDlg::kStepRole));
        EXPECT_FALSE(Find<QWidget>(*wizard, "1029")->isVisible());
        EXPECT_EQ(wizard->result(), 0);
        // Back at the role the wizard is as small as it was there the first time.
        EXPECT_EQ(wizard->height(), wizard->sizeHint().height());
        EXPECT_EQ(wizard->width(), CSetupWizardDlg::kWidth);
        wizard.Screenshot(QStringLiteral("step0-after-no"));
    }
    SetLanguage(kLanguageItalian);

    // "Yes" ends the wizard with the choices.
    Wizard wizard(kNotConfigured, Parameters());
    ASSERT_TRUE(wizard.WaitForStep(CSetupWizardDlg::kStepRole));
    wizard.TakeRole(QStringLiteral("Client"));
    SaveSnapshots();
    Find<QLineEdit>(*wizard, "1031")->setText(QStringLiteral("pc-server"));
    Click(*wizard, "1020");
    Click(*wizard, "1027");
    Find<QComboBox>(*wizard, "1029")->setCurrentIndex(2);
    {
        ModalAnswerer answer([](QDialog* dialog) { PressButton(dialog, QMessageBox::Yes); });
        Click(*wizard, "1030");
    }
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_EQ(wizard->Mode(), InstallationSettings::kModeClient);
    EXPECT_EQ(wizard->ServerName(), QStringLiteral("pc-server"));
    EXPECT_EQ(wizard->PbxIndex(), 0);
    EXPECT_EQ(wizard->ExtensionIndex(), 2);
}

TEST_P(SetupWizardTest, EachStepKeepsItsControlsWholeAndTheWizardFollowsTheStepsShown)
{
    Engine({QStringLiteral("Centrale1")});
    for (int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        Wizard wizard(kNotConfigured, Parameters());
        ASSERT_TRUE(wizard.WaitForStep(CSetupWizardDlg::kStepRole));
        const int roleHeight = wizard->height();
        wizard.TakeRole(QStringLiteral("Client"));
        SaveSnapshots();
        // Every control of the steps shown has at least the room it asks for.
        for (QWidget* control : wizard->findChildren<QWidget*>()) {
            if (!control->isVisibleTo(&*wizard) || control->objectName().isEmpty() || control->objectName().startsWith(u'q'))
                continue;
            const QSize least = control->minimumSizeHint();
            EXPECT_GE(control->width(), least.width()) << control->objectName().toStdString();
            EXPECT_GE(control->height(), least.height()) << control->objectName().toStdString();
        }
        EXPECT_GT(wizard->height(), roleHeight);  // it grew with the step
        EXPECT_GE(Find<QLineEdit>(*wizard, "1031")->width(), 200);
    }
    SetLanguage(kLanguageItalian);
}

TEST_P(SetupWizardTest, TheWizardKeepsItsWidthAtEveryStepOfEitherRole)
{
    Engine({QStringLiteral("Centrale1")});
    for (const char* role : {"Server", "Client"}) {
        Wizard wizard(kNotConfigured, Parameters());
        ASSERT_TRUE(wizard.WaitForStep(CSetupWizardDlg::kStepRole));
        EXPECT_EQ(wizard->width(), CSetupWizardDlg::kWidth) << role;
        wizard.TakeRole(QString::fromLatin1(role));
        SaveSnapshots();
        Find<QLineEdit>(*wizard, "1031")->setText(QStringLiteral("pc-server"));
        for (const char* done : {"1020", "1027"}) {
            EXPECT_EQ(wizard->width(), CSetupWizardDlg::kWidth) << role << " step " << wizard->Step();
            Click(*wizard, done);
        }
        ASSERT_EQ(wizard->Step(), CSetupWizardDlg::kStepExtension) << role;
        EXPECT_EQ(wizard->width(), CSetupWizardDlg::kWidth) << role;
    }
}

TEST_P(SetupWizardTest, AClientWhosePbxHasNoExtensionIsToldAndStays)
{
    Engine({QStringLiteral("Centrale1")});
    Wizard wizard(kNotConfigured, Parameters());
    ASSERT_TRUE(wizard.WaitForStep(CSetupWizardDlg::kStepRole));
    wizard.TakeRole(QStringLiteral("Client"));
    SaveSnapshots();
    QByteArray none = Initialization();
    none[1] = 0;  // handled
    none[2] = 0;  // found
    ASSERT_EQ(Engine().SaveInitialization(0, none), kNoError);
    Find<QLineEdit>(*wizard, "1031")->setText(QStringLiteral("pc-server"));
    Click(*wizard, "1020");
    Click(*wizard, "1027");
    ASSERT_EQ(wizard->Step(), CSetupWizardDlg::kStepExtension);
    EXPECT_EQ(Find<QComboBox>(*wizard, "1029")->count(), 0);
    MessageBoxRecorder boxes;
    Click(*wizard, "1030");
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].title, QStringLiteral("Pultex - Messaggio di errore"));
    EXPECT_EQ(boxes.Seen()[0].text,
              QStringLiteral("Nessun derivato rilevato nel centralino scelto\nCodice errore:  60\nCentrale1"));
    EXPECT_EQ(wizard->Step(), CSetupWizardDlg::kStepExtension);
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_NE(wizard->result(), QDialog::Accepted);
}

INSTANTIATE_CONFIGURATION_TEST(SetupWizardTest);

TEST(SetupWizard, AServerThatDoesNotAnswerKeepsTheClientInStepOneAndSelezionaOffersTheKnownComputers)
{
    TempSuite suite(QStringLiteral("Pultex"));
    QTemporaryDir folder;
    const QString hosts = folder.filePath(QStringLiteral("hosts"));
    QFile file(hosts);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("192.168.1.10 no-such-host.invalid\n192.168.1.11 reception\n");
    file.close();
    // PostgreSQL on the computer the client names: a name that does not resolve reaches none.
    DbParameters server;
    server.backend = DbBackend::kPostgres;
    server.port = 1;

    Wizard wizard(kNotConfigured, server, hosts);
    ASSERT_TRUE(wizard.WaitForStep(CSetupWizardDlg::kStepRole));
    EXPECT_EQ(wizard.Roles(), QStringList{QStringLiteral("Client")});
    wizard.TakeRole(QStringLiteral("Client"));

    QStringList offered;
    {
        ModalAnswerer answer([&](QDialog* dialog) {
            auto browser = qobject_cast<CComputerBrowseDlg*>(dialog);
            ASSERT_NE(browser, nullptr);
            EXPECT_EQ(browser->windowTitle(), QStringLiteral("Seleziona"));
            auto computers = Find<QListWidget>(*browser, "computers");
            for (int row = 0; row < computers->count(); ++row)
                offered << computers->item(row)->text();
            computers->setCurrentRow(1);
            SaveScreenshot(*browser, QStringLiteral("CComputerBrowseDlg"));
            Click(*browser, "IDOK");
        });
        Click(*wizard, "1032");
    }
    ASSERT_EQ(offered.size(), 3);
    EXPECT_EQ(offered.mid(1), (QStringList{QStringLiteral("no-such-host.invalid"), QStringLiteral("reception")}));
    EXPECT_EQ(Find<QLineEdit>(*wizard, "1031")->text(), QStringLiteral("no-such-host.invalid"));

    MessageBoxRecorder boxes;
    Click(*wizard, "1020");
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].title, QStringLiteral("Pultex - Messaggio di errore"));
    EXPECT_EQ(boxes.Seen()[0].text, QStringLiteral("Server selezionato non valido"));
    EXPECT_EQ(wizard->Step(), CSetupWizardDlg::kStepPbxsOrServer);
    EXPECT_TRUE(wizard->ServerName().isEmpty());

    SetLanguage(kLanguageEnglish);
    CComputerBrowseDlg english(offered);
    english.show();
    EXPECT_EQ(english.windowTitle(), QStringLiteral("Select"));
    SaveScreenshot(english, QStringLiteral("CComputerBrowseDlg-en"));
    SetLanguage(kLanguageItalian);
}

}  // namespace
