// Status lines, info tips, services texts and picture choices on SQLite and PostgreSQL, over a first PBX
// of 4 extensions, 2 lines, 1 entry phone and 2 relays (identifier 3) and a second PBX of 2 extensions, 1
// line, 1 entry phone and 1 relay (identifier 5). Names come from the label tables, callers from the
// address book ("0612" is Rossi).
#include "dbtest.h"
#include "mainsettings.h"
#include "operatorconsolestate.h"
#include "picturechoosers.h"
#include "statustexts.h"

#include <functional>

namespace {

constexpr int kFirstPbx = 3;
constexpr int kSecondPbx = 5;
constexpr int kOwn = 1;

void SetCounts(PbxInitialization& initialization, int extensions, int lines, int entryPhones, int relays)
{
    initialization.bytes[PbxInitialization::kExtensionCountOffset] = std::uint8_t(extensions);
    initialization.bytes[PbxInitialization::kLineCountOffset] = std::uint8_t(lines);
    initialization.bytes[PbxInitialization::kEntryPhoneCountOffset] = std::uint8_t(entryPhones);
    initialization.bytes[PbxInitialization::kRelayCountOffset] = std::uint8_t(relays);
}

class ConsoleTexts : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        m_database = StartEngineDatabaseWithPbx(kFirstPbx, QStringLiteral("PBXA"));
        QStringList contact(16);
        contact[0] = QStringLiteral("Rossi");
        contact[8] = QStringLiteral("0612");
        ASSERT_EQ(m_database->InsertContactFromList(contact, false, false), kNoError);
        for (const auto& [index, name] : {std::pair{0, "Anna"}, {1, "Bruno"}, {2, "Carla"}})
            ASSERT_EQ(m_database->SaveDerivedLabel(kFirstPbx, index, QString::fromLatin1(name)), kNoError);
        ASSERT_EQ(m_database->SaveDerivedLabel(kSecondPbx, 0, QStringLiteral("Dora")), kNoError);
        ASSERT_EQ(m_database->SaveLineLabel(kFirstPbx, 1, QStringLiteral("Linea B")), kNoError);
        ASSERT_EQ(m_database->SaveEntryPhoneLabel(kFirstPbx, 0, QStringLiteral("Portone")), kNoError);

        m_state.firstPbxIdentifier = kFirstPbx;
        m_state.ownExtension = kOwn;
        SetCounts(m_state.firstInitialization, 4, 2, 1, 2);
        m_state.tables.Allocate(m_state.FirstCounts());
        PbxStateTables second;
        SetCounts(m_state.secondInitialization, 2, 1, 1, 1);
        second.Allocate({2, 1, 1, 1});
        m_state.tables.Append(second);
        m_state.secondPbxIdentifier = kSecondPbx;
        m_state.hasSecondPbx = true;
        // Outside calls allowed and no follow-me on every extension.
        for (auto& programming : m_state.tables.extensionProgramming)
            programming[5] = 1, programming[49] = 255;
    }

    ExtensionEntry& Extension(int i) { return m_state.tables.extensionStatus[std::size_t(i)]; }
    LineEntry& Line(int i) { return m_state.tables.lineStatus[std::size_t(i)]; }
    EntryPhoneEntry& EntryPhone(int i) { return m_state.tables.entryPhoneStatus[std::size_t(i)]; }
    void SetExtension(int i, int state, int linkType, int linkIndex, int direction = 0)
    {
        Extension(i).bytes[ExtensionEntry::kStateOffset] = std::uint8_t(state);
        Extension(i).bytes[ExtensionEntry::kLinkTypeOffset] = std::uint8_t(linkType);
        Extension(i).bytes[ExtensionEntry::kLinkIndexOffset] = std::uint8_t(linkIndex);
        m_state.tables.extensionCallDirection[std::size_t(i)] = std::uint8_t(direction);
    }
    void SetLine(int i, int state, int linkType, int linkIndex, const QByteArray& number, const QByteArray& dialled)
    {
        Line(i).bytes[LineEntry::kStateOffset] = std::uint8_t(state);
        Line(i).bytes[LineEntry::kLinkTypeOffset] = std::uint8_t(linkType);
        Line(i).bytes[LineEntry::kLinkIndexOffset] = std::uint8_t(linkIndex);
        Line(i).SetCallerNumber(number);
        Line(i).SetCallerName(dialled);
    }

    std::unique_ptr<CSqlDatabase> m_database;
    OperatorConsoleState m_state;
};

TEST_P(ConsoleTexts, ExtensionStatusLines)
{
    struct Case {
        const char* what;
        std::function<void()> setUp;
        int extension;
        QString expected;
    };
    const std::vector<Case> cases{
        {"wake-up call", [&] { SetExtension(0, 3, 0, 0); }, 0, "-> Sveglia"},
        {"extension rings", [&] { SetExtension(0, 3, 1, 2); }, 0, "-> Carla"},
        {"entry phone rings", [&] { SetExtension(0, 3, 3, 0); }, 0, "-> Portone"},
        {"line with caller", [&] { SetExtension(0, 3, 2, 1), SetLine(1, 3, 1, 0, "0612", ""); }, 0, "->(L2) Rossi"},
        {"line without caller", [&] { SetExtension(0, 3, 2, 0), SetLine(0, 3, 1, 0, "", "00655"); }, 0, "<-(L1) 0655"},
        {"to extension", [&] { SetExtension(0, 7, 1, 2, 2); }, 0, "<- Carla"},
        {"from extension", [&] { SetExtension(0, 7, 1, 2, 1); }, 0, "-> Carla"},
        {"no direction", [&] { SetExtension(0, 17, 1, 2, 0); }, 0, "Carla"},
        {"withheld caller", [&] { SetExtension(0, 7, 2, 1), SetLine(1, 7, 1, 0, "**NOCID**", ""); }, 0, "->(L2) Sconosciuto"},
        {"own digits", [&] { SetExtension(0, 5, 2, 0), SetLine(0, 5, 1, 0, "", ""), Extension(0).SetDigits("00612"); },
         0, "<-(L1) Rossi"},
        {"dialling", [&] { SetExtension(0, 13, 0, 0), Extension(0).SetDigits("123"); }, 0, "123"},
        {"call ended", [&] { SetExtension(0, 9, 1, 2); }, 0, ""},
        {"second PBX links in its own PBX", [&] { SetExtension(5, 3, 1, 0); }, 5, "-> Dora"},
        {"second PBX line number", [&] { SetExtension(4, 7, 2, 0), SetLine(2, 7, 1, 0, "0612", ""); }, 4, "->(L1) Rossi"},
        {"beyond both PBXs", [] {}, 6, ""},
    };
    for (const Case& c : cases) {
        c.setUp();
        EXPECT_EQ(ExtensionStatusLine(m_state, *m_database, c.extension), c.expected) << c.what;
    }

    // Ready clears the digits and the direction; waiting for digits releases a line showing a number.
    SetExtension(0, 2, 1, 2, 2);
    Extension(0).SetDigits("12");
    EXPECT_EQ(ExtensionStatusLine(m_state, *m_database, 0), "");
    EXPECT_EQ(Extension(0).Digits(), "");
    EXPECT_EQ(m_state.tables.extensionCallDirection[0], 0);
    SetExtension(0, 16, 2, 0);
    SetLine(0, 7, 1, 0, "", "0655");
    EXPECT_EQ(ExtensionStatusLine(m_state, *m_database, 0), "");
    EXPECT_EQ(Line(0).LinkType(), 255);
    EXPECT_EQ(Line(0).CallerName(), "");
}

TEST_P(ConsoleTexts, LineAndEntryPhoneStatusLines)
{
    struct Case {
        const char* what;
        int state;
        QByteArray number;
        QByteArray dialled;
        QByteArray digits;
        QString expected;
    };
    const std::vector<Case> cases{
        {"caller", 7, "0612", "", "", "->(Anna) Rossi"},
        {"withheld", 4, "**NOCID**", "", "", "->(Anna) Sconosciuto"},
        {"dialled", 7, "", "00655", "", "<-(Anna) 0655"},
        {"extension digits", 5, "", "", "00612", "<-(Anna) Rossi"},
        {"nothing", 7, "", "", "", ""},
        {"arriving caller", 18, "0612", "", "", "-> Rossi"},
        {"arriving dialled", 18, "", "123", "", "<-(Anna) 123"},
        {"other state", 9, "0612", "", "", ""},
    };
    for (const Case& c : cases) {
        SetLine(0, c.state, 1, 0, c.number, c.dialled);
        Extension(0).SetDigits(c.digits);
        EXPECT_EQ(LineStatusLine(m_state, *m_database, 0), c.expected) << c.what;
    }
    SetLine(0, 2, 1, 0, "0612", "x");
    EXPECT_EQ(LineStatusLine(m_state, *m_database, 0), "");
    EXPECT_EQ(Line(0).CallerNumber(), "");
    EXPECT_EQ(Line(0).CallerName(), "");

    EntryPhone(0).bytes[EntryPhoneEntry::kStateOffset] = 7;
    EntryPhone(0).bytes[EntryPhoneEntry::kLinkTypeOffset] = 1;
    m_state.tables.entryPhoneCallDirection[0] = 1;
    EXPECT_EQ(EntryPhoneStatusLine(m_state, *m_database, 0), "-> Anna");
    m_state.tables.entryPhoneCallDirection[0] = 2;
    EXPECT_EQ(EntryPhoneStatusLine(m_state, *m_database, 0), "<- Anna");
    EntryPhone(0).bytes[EntryPhoneEntry::kStateOffset] = 13;
    EXPECT_EQ(EntryPhoneStatusLine(m_state, *m_database, 0), "");
}

TEST_P(ConsoleTexts, InfoTipsAndServices)
{
    SetExtension(0, 7, 2, 1);
    SetLine(1, 7, 1, 0, "0612", "");
    m_state.tables.extensionWakeUp[0] = {0, 1, 6, 5, 0};
    auto& programming = m_state.tables.extensionProgramming[0];
    programming[7] = 1, programming[46] = 0x26, programming[49] = 2, programming[5] = 0, programming[8] = 1;
    const QString tip = QStringLiteral(
        "Anna\nStato: CONNESSO\nLink: Linea B\nNumero: 0612\nNome: Rossi\nSveglia: 06:05:00\nSERVIZI ABILITATI:\n"
        "SERVIZIO NOTTE\nSEGUIMI DA CITOFONO\nSEGUIMI DA ESTERNA\nALLARME BAGNO\nSEGUIMI SU Carla\n"
        "CHIAMATE URBANE DISABILITATE\nNON DISTURBARE");
    QString buffer = QStringLiteral("old");
    // One character too long for the buffer leaves it as it was.
    EXPECT_FALSE(GetExtensionInfoTip(m_state, *m_database, 0, buffer, int(tip.size()) + 1));
    EXPECT_EQ(buffer, "old");
    EXPECT_TRUE(GetExtensionInfoTip(m_state, *m_database, 0, buffer, int(tip.size()) + 2));
    EXPECT_EQ(buffer, tip);

    m_state.tables.lineProgramming[1][5] = 1;
    EXPECT_EQ(FormatLineServicesText(m_state, 1), "\nSERVIZI ABILITATI:\nDISA");
    EXPECT_EQ(FormatLineServicesText(m_state, 0), "");
    ASSERT_TRUE(GetLineInfoTip(m_state, *m_database, 1, buffer, 500));
    EXPECT_EQ(buffer, "Linea B\nStato: CONNESSO\nLink: Anna\nNumero: 0612\nNome: Rossi\nSERVIZI ABILITATI:\nDISA");
    SetLine(0, 7, 1, 0, "**NOCID**", "");
    ASSERT_TRUE(GetLineInfoTip(m_state, *m_database, 0, buffer, 500));
    EXPECT_EQ(buffer, "EXT. 1\nStato: CONNESSO\nLink: Anna\nNumero: Sconosciuto");
    EntryPhone(0).bytes[EntryPhoneEntry::kStateOffset] = 7;
    EntryPhone(0).bytes[EntryPhoneEntry::kLinkTypeOffset] = 1;
    EntryPhone(0).bytes[EntryPhoneEntry::kLinkIndexOffset] = 2;
    ASSERT_TRUE(GetEntryPhoneInfoTip(m_state, *m_database, 0, buffer, 500));
    EXPECT_EQ(buffer, "Portone\nStato: CONNESSO\nLink: Carla");
    ASSERT_TRUE(GetRelayInfoTip(m_state, *m_database, 0, buffer, 500));
    EXPECT_EQ(buffer, "DOOR 1");
    ASSERT_TRUE(GetEntryPhoneInfoTip(m_state, *m_database, 2, buffer, 500));
    EXPECT_EQ(buffer, "");
}

TEST_P(ConsoleTexts, StatusBarAndOwnExtension)
{
    EXPECT_EQ(FormatOwnServicesText(m_state, *m_database), "NESSUN SERVIZIO ABILITATO");
    m_state.firstConfiguration.bytes[0] = 1;
    EXPECT_EQ(FormatOwnServicesText(m_state, *m_database), "SERVIZI ABILITATI (PBX): STATO NOTTE");
    m_state.firstConfiguration.bytes[24] = 0x01;
    auto& own = m_state.tables.extensionProgramming[kOwn];
    own[7] = 1, own[49] = 2, own[8] = 1;  // do-not-disturb is not a status-bar service
    EXPECT_EQ(FormatOwnServicesText(m_state, *m_database),
              "SERVIZI ABILITATI (PBX): STATO NOTTE, RISPONDITORE - SERVIZI ABILITATI (Bruno): SERVIZIO NOTTE, "
              "SEGUIMI SU Carla");
    m_state.firstConfiguration.bytes[0] = 0, m_state.firstConfiguration.bytes[24] = 0;
    EXPECT_EQ(FormatOwnServicesText(m_state, *m_database), "SERVIZI ABILITATI (Bruno): SERVIZIO NOTTE, SEGUIMI SU Carla");

    QString stateText, peerText;
    SetExtension(kOwn, 2, 0, 0);
    FormatOwnExtensionStatus(m_state, *m_database, stateText, peerText);
    EXPECT_EQ(stateText, "Bruno");
    EXPECT_EQ(peerText, "");
    SetExtension(kOwn, 3, 2, 1);
    SetLine(1, 3, 1, kOwn, "0612", "");
    FormatOwnExtensionStatus(m_state, *m_database, stateText, peerText);
    EXPECT_EQ(stateText, "CH. ENTRANTE");
    EXPECT_EQ(peerText, "-> (L2) Rossi");
    SetExtension(kOwn, 18, 1, 2);
    FormatOwnExtensionStatus(m_state, *m_database, stateText, peerText);
    EXPECT_EQ(peerText, "-> Carla");
    Extension(kOwn).SetDigits("12");
    FormatOwnExtensionStatus(m_state, *m_database, stateText, peerText);
    EXPECT_EQ(peerText, "<- Carla");
}

TEST_P(ConsoleTexts, PicturesByStateAndFlashPhase)
{
    MainSettings settings;
    struct Case {
        int extension;
        int state;
        int flash;
        int picture;
        int flashAfter;
    };
    const std::vector<Case> cases{
        {0, 2, 1, 243, 1}, {0, 3, 1, 243, 1}, {0, 3, 0, 204, 0}, {0, 5, 1, 243, 1}, {0, 18, 0, 315, 0},
        {0, 7, 1, 204, 0}, {0, 13, 1, 204, 0}, {4, 2, 0, 318, 0}, {4, 17, 0, 317, 0}, {5, 7, 1, 319, 0},
    };
    QString text;
    for (const Case& c : cases) {
        SetExtension(c.extension, c.state, 0, 0);
        m_state.tables.extensionWork[std::size_t(c.extension)][0] = std::uint8_t(c.flash);
        EXPECT_EQ(GetExtensionPicture(m_state, *m_database, settings, c.extension, text), c.picture) << c.state;
        EXPECT_EQ(m_state.tables.extensionWork[std::size_t(c.extension)][0], c.flashAfter) << c.state;
    }
    EXPECT_EQ(GetExtensionPicture(m_state, *m_database, settings, 6, text), 319);
    SetExtension(1, 2, 0, 0);
    settings.SetObjectFlags(MainSettings::kExtensions, 1, 3 * 2 + 1);
    EXPECT_EQ(GetExtensionPicture(m_state, *m_database, settings, 1, text), 344);
    settings.SetObjectFlags(MainSettings::kExtensions, 1, 20);  // style 10 counts as 0
    EXPECT_EQ(GetExtensionPicture(m_state, *m_database, settings, 1, text), 243);
    SetExtension(0, 7, 1, 2, 2);
    GetExtensionPicture(m_state, *m_database, settings, 0, text);
    EXPECT_EQ(text, "<- Carla");

    struct Simple {
        int index;
        int state;
        int flash;
        int picture;
    };
    for (const Simple& c : std::vector<Simple>{{0, 2, 0, 247}, {0, 4, 1, 247}, {0, 5, 0, 314}, {0, 18, 0, 246},
                                               {0, 7, 0, 246}, {2, 2, 0, 321}, {2, 5, 0, 320}, {2, 18, 1, 321},
                                               {2, 9, 0, 322}, {3, 2, 0, 246}}) {
        if (c.index < 3) {
            SetLine(c.index, c.state, 0, 0, "", "");
            m_state.tables.lineWork[std::size_t(c.index)][2] = std::uint8_t(c.flash);
        }
        EXPECT_EQ(GetLinePicture(m_state, *m_database, c.index, text), c.picture) << c.index << " " << c.state;
    }
    for (const Simple& c : std::vector<Simple>{{0, 2, 0, 213}, {0, 13, 0, 213}, {0, 13, 1, 212}, {0, 7, 0, 212},
                                               {1, 2, 0, 323}, {1, 13, 1, 324}, {1, 9, 0, 324}, {2, 2, 0, 213}}) {
        if (c.index < 2) {
            EntryPhone(c.index).bytes[EntryPhoneEntry::kStateOffset] = std::uint8_t(c.state);
            m_state.tables.entryPhoneWork[std::size_t(c.index)][0] = std::uint8_t(c.flash);
        }
        EXPECT_EQ(GetEntryPhonePicture(m_state, *m_database, c.index, text), c.picture) << c.index << " " << c.state;
    }
    EXPECT_EQ(GetRelayPicture(m_state, 0), 308);  // a door relay
    m_state.tables.relayProgramming[0][2] = 1;
    EXPECT_EQ(GetRelayPicture(m_state, 0), 211);
    m_state.tables.relayStatus[0] = 1;
    EXPECT_EQ(GetRelayPicture(m_state, 0), 310);
    m_state.tables.relayProgramming[2][2] = 1;
    EXPECT_EQ(GetRelayPicture(m_state, 2), 325);
    EXPECT_EQ(GetRelayPicture(m_state, 3), 308);
}

TEST_P(ConsoleTexts, ServiceGlyphs)
{
    const auto glyphSlots = [](const ExtensionGlyphs& g) { return std::vector<int>{g.a, g.b, g.c, g.d}; };
    // Four services and an unread message: no slot is left for the envelope.
    m_state.tables.extensionWakeUp[0] = {0, 2, 6, 0, 0};
    auto& programming = m_state.tables.extensionProgramming[0];
    programming[5] = 0, programming[8] = 1, programming[49] = 3;
    m_state.tables.extensionUnread[0] = 1;
    EXPECT_EQ(glyphSlots(ExtensionServiceGlyphs(m_state, false, 0)), (std::vector<int>{200, 312, 203, 313}));
    // The voice-mail service takes slot D only while the console shows it.
    programming[46] = 0x80;
    EXPECT_EQ(glyphSlots(ExtensionServiceGlyphs(m_state, true, 0)), (std::vector<int>{200, 312, 203, 332}));
    // No wake-up: the envelope at the top-left corner; a daily wake-up has the other bell.
    m_state.tables.extensionUnread[1] = 1;
    EXPECT_EQ(glyphSlots(ExtensionServiceGlyphs(m_state, false, 1)), (std::vector<int>{316, 0, 0, 0}));
    m_state.tables.extensionWakeUp[1] = {1, 1, 6, 0, 0};
    EXPECT_EQ(glyphSlots(ExtensionServiceGlyphs(m_state, false, 1)), (std::vector<int>{201, 0, 316, 0}));
    EXPECT_EQ(glyphSlots(ExtensionServiceGlyphs(m_state, false, 6)), (std::vector<int>{0, 0, 0, 0}));
}

INSTANTIATE_DB_TEST(ConsoleTexts);

}  // namespace
