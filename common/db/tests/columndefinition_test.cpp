#include "columndefinition.h"

#include <gtest/gtest.h>

namespace {

TEST(ColumnDefinition, RunsHoldTheTablesColumnsInOrder)
{
    struct Case {
        EngineTable table;
        const char* name;
        std::size_t count;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {EngineTable::kEngineConfiguration, "EngineConfiguration", 4, "ComID", "ComStat"},
        {EngineTable::kInitialization, "Initialization", 27, "DerivatoAssociato", "Version"},
        {EngineTable::kSystemConfiguration, "SystemConfiguration", 26, "StatoNotte", "ExtensioneBitmap2"},
        {EngineTable::kDerivedProgrammations, "DerivedProgrammations", 49, "IndiceOggetto", "Seguimi"},
        {EngineTable::kLineProgrammations, "LineProgrammations", 11, "IndiceOggetto",
         "MascheraGruppiInterniPerFunzioneSegretaria"},
        {EngineTable::kEntryPhoneProgrammations, "EntryPhoneProgrammations", 3, "IndiceOggetto",
         "MascheraApriportaAssociata"},
        {EngineTable::kRelayProgrammations, "RelayProgrammations", 2, "IndiceOggetto", "Attuatore"},
        {EngineTable::kDerivedStatus, "DerivedStatus", 11, "IndiceOggetto", "OraSveglia"},
        {EngineTable::kEntryPhoneStatus, "EntryPhoneStatus", 6, "IndiceOggetto", "Timeout"},
        {EngineTable::kLineStatus, "LineStatus", 7, "IndiceOggetto", "CallerID"},
        {EngineTable::kRelayStatus, "RelayStatus", 2, "IndiceOggetto", "Stato"},
        {EngineTable::kSystemProgrammations, "SystemProgrammations", 2, "IndiceOggetto", "VolumeDelRisponditore"},
        {EngineTable::kLogCalls, "LogCalls", 11, "PbxIdentifier", "Fatturato"},
        {EngineTable::kLogCallsSwNew, "LogCallsSwNew", 11, "PbxIdentifier", "Fatturato"},
        {EngineTable::kWakeEvents, "WakeEvents", 4, "PbxIdentifier", "Ora"},
        {EngineTable::kAlarmEvents, "AlarmEvents", 5, "PbxIdentifier", "Ora"},
        {EngineTable::kDerivedLabel, "DerivedLabel", 3, "PbxIdentifier", "Label"},
        {EngineTable::kAlarmLabel, "AlarmLabel", 3, "PbxIdentifier", "Label"},
        {EngineTable::kLineLabel, "LineLabel", 3, "PbxIdentifier", "Label"},
        {EngineTable::kEntryPhoneLabel, "EntryPhoneLabel", 3, "PbxIdentifier", "Label"},
        {EngineTable::kRelayLabel, "RelayLabel", 3, "PbxIdentifier", "Label"},
        {EngineTable::kAddressBook, "AddressBook", 34, "Name", "CallProfile8"},
    };
    for (const Case& c : cases) {
        const TableDefinition& table = Table(c.table);
        EXPECT_STREQ(table.name, c.name);
        ASSERT_EQ(table.columns.size(), c.count) << c.name;
        EXPECT_STREQ(table.columns.front().name, c.first) << c.name;
        EXPECT_STREQ(table.columns.back().name, c.last) << c.name;
    }
    EXPECT_STREQ(Table(EngineTable::kLineLabel).columns[1].name, "IndiceLinea");
    EXPECT_STREQ(Table(EngineTable::kEntryPhoneLabel).columns[1].name, "IndiceCitofono");
    EXPECT_STREQ(Table(EngineTable::kRelayLabel).columns[1].name, "IndiceRelay");
    EXPECT_STREQ(Table(EngineTable::kAddressBook).columns[7].name, "WebAddress");
}

TEST(ColumnDefinition, VarcharWidth)
{
    EXPECT_EQ(VarcharWidth({"Label", "varchar(50)"}), 50);
    EXPECT_EQ(VarcharWidth({"CAP", "varchar(16)"}), 16);
    EXPECT_EQ(VarcharWidth({"Stato", "smallint"}), 0);
}

}  // namespace
