#include "engineerrorcode.h"
#include "engineoutcome.h"
#include "language.h"
#include "startupprogress.h"
#include "stringtable.h"

#include "qstringprinter.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned kResultCodeStrings = 15000;

TEST(ConsoleStrings, EngineAndTapiOutcomesHaveTheirTexts)
{
    struct Case {
        QString text;
        QString expected;
    };
    const Case cases[] = {
        {EngineOutcomeText(kEngineStarted), QStringLiteral("Nessun errore")},
        {EngineOutcomeText(kEngineDatabaseNotConfigured), QStringLiteral("Database non configurato")},
        {EngineOutcomeText(kEngineDatabaseNotConnected), QStringLiteral("Database non connesso")},
        {EngineOutcomeText(kEngineTcpServerFailed), QStringLiteral("Avvio TCP/IP Server")},
        {EngineOutcomeText(kEngineTcpClientFailed), QStringLiteral("Avvio TCP/IP Client")},
        {EngineOutcomeText(kEngineUdpServerFailed), QStringLiteral("Avvio UDP Server")},
        {EngineOutcomeText(kEngineConfigurationFailed), QStringLiteral("Avvio configurazione")},
        {TapiServiceOutcomeText(kTapiStarted), QStringLiteral("Nessun errore")},
        {TapiServiceOutcomeText(kTapiEngineNotStarted), QStringLiteral("Engine non avviato")},
        {TapiServiceOutcomeText(kTapiServerFailed), QStringLiteral("Avvio TAPI server")},
        {TapiServiceOutcomeText(kTapiPbxFault), QStringLiteral("Errore centralino")},
    };
    for (const Case& test : cases)
        EXPECT_EQ(test.text, test.expected);
}

TEST(ConsoleStrings, ResultCodesShowTheConsolesShortTitles)
{
    struct Case {
        unsigned code;
        QString title;
    };
    const Case cases[] = {
        {kNoError, QStringLiteral("Nessun errore")},
        {kResourceAlreadyOpen, QStringLiteral("Risorsa occupata")},
        {kResourceOpenFailed, QStringLiteral("Avvio comunicazione")},
        {kSerialTimedOut, QStringLiteral("Configurazione risorsa")},
        {kChannelTimeout, QStringLiteral("Timeout dati")},
        {kServerTimeout, QStringLiteral("Timeout dati")},
        {kServerNoData, QStringLiteral("Allocazione dinamica")},
        {kClientShortHeader, QStringLiteral("Mancata risposta")},
        {kAcknowledgeStatus3, QStringLiteral("Parametro errato")},
        {kDbNotConnected, QStringLiteral("Errore connessione DB")},
        {59, QStringLiteral("Errore Buffer UDP")},
        // Never produced, so the console has no title of its own: the shared text shows.
        {17, QStringLiteral("Errore di configuratione porta seriale")},
        // From 60 on the console's table holds start-up messages, not codes.
        {62, QStringLiteral("L'applicazione verrà chiusa")},
    };
    for (const Case& test : cases)
        EXPECT_EQ(LoadResString(kResultCodeStrings + test.code), test.title) << test.code;
    for (unsigned code = 0; code < 60; ++code)
        EXPECT_FALSE(LoadResString(kResultCodeStrings + code).isEmpty()) << code;
}

TEST(ConsoleStrings, ProgressTextsNameThePbx)
{
    EXPECT_EQ(LoadResString(kProgressConnectingDatabase), QStringLiteral("Connessione al database in corso..."));
    EXPECT_EQ(LoadResString(kProgressStartingUdpServer), QStringLiteral("Avvio Pultex UDP server..."));
    EXPECT_EQ(PbxProgressText(kProgressReadingInitialization, QStringLiteral("Hotel")),
              QStringLiteral("Richiesta inizializzazione per centrale Hotel..."));
    EXPECT_EQ(PbxProgressText(kProgressProcessingCallLog, QStringLiteral("PBX2")),
              QStringLiteral("Processamento log chiamate per centrale PBX2..."));
    SetLanguage(kLanguageEnglish);  // the table has no English of its own: the Italian shows
    EXPECT_EQ(LoadResString(kProgressStartingTapi), QStringLiteral("Avvio servizio TAPI..."));
    SetLanguage(kLanguageItalian);
}

}  // namespace
