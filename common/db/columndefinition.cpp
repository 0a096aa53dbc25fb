#include "columndefinition.h"

#include <array>
#include <cstring>

namespace {

// The static column table: every table's columns in order, one run after the other.
constexpr ColumnDefinition kColumnTable[] = {
    // EngineConfiguration (4)
    {"ComID", "smallint"}, {"ComNumber", "smallint"}, {"DeviceName", "varchar(20)"}, {"ComStat", "smallint"},
    // Initialization_ (27)
    {"DerivatoAssociato", "smallint"}, {"NumeroMaxDerivatiGestiti", "smallint"},
    {"NumeroDerivatiRilevati", "smallint"}, {"NumeroMaxEsterneGestite", "smallint"},
    {"NumeroEsterneRilevate", "smallint"}, {"NumeroMaxCitofoniGestiti", "smallint"},
    {"NumeroCitofoniRilevati", "smallint"}, {"NumeroMaxReleGestiti", "smallint"},
    {"NumeroReleRilevati", "smallint"}, {"NumeroMaxFasceOrarieRisponditore", "smallint"},
    {"Spare1", "smallint"}, {"Spare2", "smallint"}, {"Spare3", "smallint"}, {"Spare4", "smallint"},
    {"Spare5", "smallint"}, {"NumeroNSchedeGestite", "smallint"}, {"TipoScheda1", "smallint"},
    {"TipoScheda2", "smallint"}, {"TipoScheda3", "smallint"}, {"TipoScheda4", "smallint"},
    {"TipoScheda5", "smallint"}, {"TipoScheda6", "smallint"}, {"TipoScheda7", "smallint"},
    {"TipoScheda8", "smallint"}, {"TipoScheda9", "smallint"}, {"TipoScheda10", "smallint"},
    {"Version", "varchar(50)"},
    // SystemConfiguration_ (26)
    {"StatoNotte", "smallint"}, {"StampaChiamateInIngresso", "smallint"}, {"StampaSu80Colonne", "smallint"},
    {"AbilitazioneStampante", "smallint"}, {"AbilitazioneAllarmeStampante", "smallint"},
    {"AbilitazCitofono2", "smallint"}, {"AbilitazioneFunzioneGESTORI", "smallint"},
    {"SelezioneInDTMF", "smallint"}, {"Segretaria", "smallint"}, {"FasciaOrariaPerNotte", "smallint"},
    {"NumerazioneA3Cifre", "smallint"}, {"Rinumerazione", "smallint"},
    {"StampaTutteChiamateInUscita", "smallint"}, {"ServizioPonte", "smallint"}, {"TempoDelDISA", "smallint"},
    {"TempoDellaRegistrazione", "smallint"}, {"InizioServizioNotteLow", "smallint"},
    {"InizioServizioNotteHigh", "smallint"}, {"FineServizioNotteLow", "smallint"},
    {"FineServizioNotteHigh", "smallint"}, {"EstensioneMessaggio", "smallint"},
    {"RiconoscimentoChiamante", "smallint"}, {"Estensione", "smallint"}, {"StampanteSuSeriale", "smallint"},
    {"ExtensioneBitmap1", "smallint"}, {"ExtensioneBitmap2", "smallint"},
    // DerivedProgrammations_ (49)
    {"IndiceOggetto", "smallint"}, {"POSAbilita", "smallint"}, {"ChiamateInternazionaliAbilita", "smallint"},
    {"ChiamateInterurbaneAbilita", "smallint"}, {"ChiamateUrbaneAbilita", "smallint"},
    {"SuoneriaChiamateDaEsternoAbilita", "smallint"}, {"ServizioNotteAbilita", "smallint"},
    {"NonDisturbare", "smallint"}, {"TempoSvincoloLungo", "smallint"}, {"InternoModemAbilita", "smallint"},
    {"InternoFaxAbilita", "smallint"}, {"MascheraCampanelli", "smallint"}, {"StampanteAbilita", "smallint"},
    {"HotLineAbilita", "smallint"}, {"AppertenenzaGruppo3Abilita", "smallint"},
    {"AppertenenzaGruppo2Abilita", "smallint"}, {"AppertenenzaGruppo1Abilita", "smallint"},
    {"ServizioSvegliaAbilita", "smallint"}, {"TonoAvvisoAbilita", "smallint"},
    {"SeguimiSuTuttiAbilita", "smallint"}, {"TempoDiRichiamoDaTrasferta", "smallint"},
    {"UsoCitofono2Abilita", "smallint"}, {"UtenteSegretariaAbilita", "smallint"},
    {"TonoBeepSulDISAAbilita", "smallint"}, {"NonDisturbarePerChiamateDaCitofono", "smallint"},
    {"ServizioDiDisponditoreAbilita", "smallint"}, {"MascheraEsterneAttiveInUscita1", "smallint"},
    {"MascheraEsterneAttiveInUscita2", "smallint"}, {"MascheraEsterneAttiveInUscita3", "smallint"},
    {"MascheraEsterneAttiveInUscita4", "smallint"}, {"SvegliaOra", "smallint"}, {"SvegliaMinuti", "smallint"},
    {"SvegliaScatti1", "smallint"}, {"SvegliaScatti2", "smallint"}, {"NumeroDellaRinumerazione1", "smallint"},
    {"NumeroDellaRinumerazione2", "smallint"}, {"MascheraEsterneAssociateAlServizioNotte1", "smallint"},
    {"MascheraEsterneAssociateAlServizioNotte2", "smallint"}, {"Estensione1", "smallint"},
    {"NonDisturbareDaDISAAbilita", "smallint"}, {"ServizioCabina", "smallint"}, {"Estensione2", "smallint"},
    {"MascheraEsterneComeSegretaria1", "smallint"}, {"MascheraEsterneComeSegretaria2", "smallint"},
    {"Estensione3", "smallint"}, {"FunzioniVarie", "smallint"}, {"MascheraAppartenenzaGruppo", "smallint"},
    {"Estensione4", "smallint"}, {"Seguimi", "smallint"},
    // LineProgrammations_ (11)
    {"IndiceOggetto", "smallint"}, {"LineaPerModemAbilita", "smallint"}, {"LineaPerFaxAbilita", "smallint"},
    {"SelezioneDecadicaAbilita", "smallint"}, {"DISAAbilita", "smallint"},
    {"RitardoNellaDisconnessioneAbilita", "smallint"}, {"Estensione1", "smallint"},
    {"IdentificazioneChiamanteAbilita", "smallint"}, {"NumeroDiSquilliPerDISA2", "smallint"},
    {"Estensione2", "smallint"}, {"MascheraGruppiInterniPerFunzioneSegretaria", "smallint"},
    // EntryPhoneProgrammations_ (3)
    {"IndiceOggetto", "smallint"}, {"SetDiApriportaAbilita", "smallint"}, {"MascheraApriportaAssociata", "smallint"},
    // RelayProgrammations_ (2)
    {"IndiceOggetto", "smallint"}, {"Attuatore", "smallint"},
    // DerivedStatus_ (11)
    {"IndiceOggetto", "smallint"}, {"Stato", "smallint"}, {"Link", "smallint"}, {"IndiceLink", "smallint"},
    {"IndiceSeguimi", "smallint"}, {"Timeout", "smallint"}, {"MicroTelefono", "smallint"},
    {"TipoRing", "smallint"}, {"Digits", "varchar(50)"}, {"SvegliaAbilita", "smallint"},
    {"OraSveglia", "datetime"},
    // EntryPhoneStatus_ (6)
    {"IndiceOggetto", "smallint"}, {"Stato", "smallint"}, {"Link", "smallint"}, {"IndiceLink", "smallint"},
    {"IndiceSeguimi", "smallint"}, {"Timeout", "smallint"},
    // LineStatus_ (7)
    {"IndiceOggetto", "smallint"}, {"Stato", "smallint"}, {"Link", "smallint"}, {"IndiceLink", "smallint"},
    {"IndiceSeguimi", "smallint"}, {"Timeout", "smallint"}, {"CallerID", "varchar(50)"},
    // RelayStatus_ (2)
    {"IndiceOggetto", "smallint"}, {"Stato", "smallint"},
    // SystemProgrammations_ (2)
    {"IndiceOggetto", "smallint"}, {"VolumeDelRisponditore", "smallint"},
    // LogCalls, also the columns of LogCallsSwNew (11)
    {"PbxIdentifier", "smallint"}, {"IndiceDerivato", "smallint"}, {"DataInizio", "datetime"},
    {"DataFine", "datetime"}, {"Durata", "datetime"}, {"IndiceEsterna", "smallint"}, {"Scatti", "integer"},
    {"Totale", "integer"}, {"Uscente", "smallint"}, {"NumeroChiamato", "varchar(50)"}, {"Fatturato", "smallint"},
    // WakeEvents (4)
    {"PbxIdentifier", "smallint"}, {"IndiceDerivato", "smallint"}, {"Risposta", "smallint"}, {"Ora", "datetime"},
    // AlarmEvents (5)
    {"PbxIdentifier", "smallint"}, {"TipoOggetto", "smallint"}, {"IndiceOggetto", "smallint"},
    {"TipoAllarme", "smallint"}, {"Ora", "datetime"},
    // DerivedLabel (3)
    {"PbxIdentifier", "smallint"}, {"IndiceDerivato", "smallint"}, {"Label", "varchar(50)"},
    // AlarmLabel (3)
    {"PbxIdentifier", "smallint"}, {"IndiceDerivato", "smallint"}, {"Label", "varchar(50)"},
    // LineLabel (3)
    {"PbxIdentifier", "smallint"}, {"IndiceLinea", "smallint"}, {"Label", "varchar(50)"},
    // EntryPhoneLabel (3)
    {"PbxIdentifier", "smallint"}, {"IndiceCitofono", "smallint"}, {"Label", "varchar(50)"},
    // RelayLabel (3)
    {"PbxIdentifier", "smallint"}, {"IndiceRelay", "smallint"}, {"Label", "varchar(50)"},
    // AddressBook (34)
    {"Name", "varchar(128)"}, {"Address", "varchar(128)"}, {"City", "varchar(128)"}, {"CAP", "varchar(16)"},
    {"Provincie", "varchar(16)"}, {"Country", "varchar(64)"}, {"MailAddress", "varchar(128)"},
    {"WebAddress", "varchar(64)"}, {"HomeNumber1", "varchar(64)"}, {"HomeNumber2", "varchar(64)"},
    {"MobileNumber1", "varchar(64)"}, {"MobileNumber2", "varchar(64)"}, {"OffideNumber1", "varchar(64)"},
    {"OffideNumber2", "varchar(64)"}, {"HomeFaxNumber", "varchar(64)"}, {"OfficeFaxNumber", "varchar(64)"},
    {"Manager", "varchar(128)"}, {"Updatable", "smallint"}, {"LineToUse1", "smallint"},
    {"LineToUse2", "smallint"}, {"LineToUse3", "smallint"}, {"LineToUse4", "smallint"},
    {"LineToUse5", "smallint"}, {"LineToUse6", "smallint"}, {"LineToUse7", "smallint"},
    {"LineToUse8", "smallint"}, {"CallProfile1", "smallint"}, {"CallProfile2", "smallint"},
    {"CallProfile3", "smallint"}, {"CallProfile4", "smallint"}, {"CallProfile5", "smallint"},
    {"CallProfile6", "smallint"}, {"CallProfile7", "smallint"}, {"CallProfile8", "smallint"},
};

struct RunEntry {
    EngineTable table;
    const char* name;
    bool perPbx;
    int count;  // columns; 0 = the run of the table before (LogCallsSwNew shares LogCalls' columns)
};

// The runs in column-table order.
constexpr RunEntry kRuns[] = {
    {EngineTable::kEngineConfiguration, "EngineConfiguration", false, 4},
    {EngineTable::kInitialization, "Initialization", true, 27},
    {EngineTable::kSystemConfiguration, "SystemConfiguration", true, 26},
    {EngineTable::kDerivedProgrammations, "DerivedProgrammations", true, 49},
    {EngineTable::kLineProgrammations, "LineProgrammations", true, 11},
    {EngineTable::kEntryPhoneProgrammations, "EntryPhoneProgrammations", true, 3},
    {EngineTable::kRelayProgrammations, "RelayProgrammations", true, 2},
    {EngineTable::kDerivedStatus, "DerivedStatus", true, 11},
    {EngineTable::kEntryPhoneStatus, "EntryPhoneStatus", true, 6},
    {EngineTable::kLineStatus, "LineStatus", true, 7},
    {EngineTable::kRelayStatus, "RelayStatus", true, 2},
    {EngineTable::kSystemProgrammations, "SystemProgrammations", true, 2},
    {EngineTable::kLogCalls, "LogCalls", false, 11},
    {EngineTable::kLogCallsSwNew, "LogCallsSwNew", false, 0},
    {EngineTable::kWakeEvents, "WakeEvents", false, 4},
    {EngineTable::kAlarmEvents, "AlarmEvents", false, 5},
    {EngineTable::kDerivedLabel, "DerivedLabel", false, 3},
    {EngineTable::kAlarmLabel, "AlarmLabel", false, 3},
    {EngineTable::kLineLabel, "LineLabel", false, 3},
    {EngineTable::kEntryPhoneLabel, "EntryPhoneLabel", false, 3},
    {EngineTable::kRelayLabel, "RelayLabel", false, 3},
    {EngineTable::kAddressBook, "AddressBook", false, 34},
};
constexpr int kTableCount = static_cast<int>(std::size(kRuns));

constexpr int RunTotal()
{
    int total = 0;
    for (const RunEntry& run : kRuns)
        total += run.count;
    return total;
}
static_assert(RunTotal() == static_cast<int>(std::size(kColumnTable)), "the runs must cover the column table");

constexpr bool RunsInEnumOrder()
{
    for (int i = 0; i < kTableCount; ++i)
        if (static_cast<int>(kRuns[i].table) != i)
            return false;
    return true;
}
static_assert(RunsInEnumOrder(), "one run per table, in the order of EngineTable");

std::array<TableDefinition, kTableCount> BuildDefinitions()
{
    std::array<TableDefinition, kTableCount> definitions{};
    std::size_t first = 0;
    ColumnRun previous;
    for (int i = 0; i < kTableCount; ++i) {
        const RunEntry& run = kRuns[i];
        ColumnRun columns = previous;
        if (run.count > 0) {
            columns = ColumnRun(kColumnTable).subspan(first, static_cast<std::size_t>(run.count));
            first += static_cast<std::size_t>(run.count);
        }
        definitions[static_cast<std::size_t>(i)] = {run.name, run.perPbx, columns};
        previous = columns;
    }
    return definitions;
}

constexpr EngineTable kSnapshotTables[] = {
    EngineTable::kInitialization,         EngineTable::kSystemConfiguration,   EngineTable::kDerivedStatus,
    EngineTable::kLineStatus,             EngineTable::kEntryPhoneStatus,      EngineTable::kRelayStatus,
    EngineTable::kSystemProgrammations,   EngineTable::kLineProgrammations,    EngineTable::kDerivedProgrammations,
    EngineTable::kEntryPhoneProgrammations, EngineTable::kRelayProgrammations,
};

constexpr EngineTable kKeyedTables[] = {
    EngineTable::kLogCalls,    EngineTable::kLogCallsSwNew, EngineTable::kWakeEvents,
    EngineTable::kAlarmEvents, EngineTable::kDerivedLabel,  EngineTable::kAlarmLabel,
    EngineTable::kLineLabel,   EngineTable::kEntryPhoneLabel, EngineTable::kRelayLabel,
};

}  // namespace

int VarcharWidth(const ColumnDefinition& column)
{
    const QString type = QString::fromLatin1(column.type).trimmed().toLower();
    if (!type.startsWith(QStringLiteral("varchar(")) || !type.endsWith(u')'))
        return 0;
    return type.mid(8, type.size() - 9).toInt();
}

const TableDefinition& Table(EngineTable table)
{
    static const std::array<TableDefinition, kTableCount> s_definitions = BuildDefinitions();
    return s_definitions[static_cast<std::size_t>(table)];
}

QString TableName(EngineTable table) { return QString::fromLatin1(Table(table).name); }

std::span<const EngineTable> PbxSnapshotTables() { return kSnapshotTables; }

std::span<const EngineTable> PbxKeyedTables() { return kKeyedTables; }
