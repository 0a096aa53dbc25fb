#include "defaultprefixdata.h"

namespace {

// Prefissi italia
constexpr DefaultPrefix kGroup1[] = {
    {"0144", "Acqui Terme"},
    {"0426", "Adria"},
    {"0922", "Agrigento"},
    {"0173", "Alba"},
    {"0182", "Albenga"},
    {"0924", "Alcamo"},
    {"0131", "Alessandria"},
    {"071", "Ancona"},
    {"0883", "Andria"},
    {"0165", "Aosta"},
    {"0575", "Arezzo"},
    {"0322", "Arona"},
    {"0736", "Ascoli Piceno"},
    {"0141", "Asti"},
    {"0825", "Avellino"},
    {"0863", "Avezzano"},
    {"080", "Bari"},
    {"0424", "Bassano del Grappa"},
    {"0828", "Battipaglia"},
    {"0323", "Baveno"},
    {"0437", "Belluno"},
    {"0824", "Benevento"},
    {"035", "Bergamo"},
    {"015", "Biella"},
    {"051", "Bologna"},
    {"0471", "Bolzano"},
    {"0163", "Borgosesia"},
    {"0364", "Breno"},
    {"030", "Brescia"},
    {"0472", "Bressanone"},
    {"0831", "Brindisi"},
    {"0474", "Brunico"},
    {"0331", "Busto Arsizio"},
    {"070", "Cagliari"},
    {"0933", "Caltagirone"},
    {"0934", "Caltanissetta"},
    {"0737", "Camerino"},
    {"0874", "Campobasso"},
    {"0142", "Casale Monferrato"},
    {"0375", "Casalmaggiore"},
    {"0823", "Caserta"},
    {"0776", "Cassino"},
    {"0981", "Castrovillari"},
    {"095", "Catania"},
    {"0961", "Catanzaro"},
    {"0462", "Cavalese"},
    {"0921", "Cefalù"},
    {"0885", "Cerignola"},
    {"0431", "Cervignano del Friuli"},
    {"0547", "Cesena"},
    {"0578", "Chianciano Terme"},
    {"0343", "Chiavenna"},
    {"0871", "Chieti"},
    {"0766", "Civitavecchia"},
    {"0463", "Cles"},
    {"0346", "Clusone"},
    {"0377", "Codogno"},
    {"0533", "Comacchio"},
    {"031", "Como"},
    {"0438", "Conegliano"},
    {"0436", "Cortina d'Ampezzo"},
    {"0984", "Cosenza"},
    {"0373", "Crema"},
    {"0372", "Cremona"},
    {"0962", "Crotone"},
    {"0171", "Cuneo"},
    {"0324", "Domodossola"},
    {"0571", "Empoli"},
    {"0935", "Enna"},
    {"0429", "Este"},
    {"0732", "Fabriano"},
    {"0546", "Faenza"},
    {"0439", "Feltre"},
    {"0734", "Fermo"},
    {"0532", "Ferrara"},
    {"0524", "Fidenza"},
    {"055", "Firenze"},
    {"0881", "Foggia"},
    {"0742", "Foligno"},
    {"0566", "Follonica"},
    {"0543", "Forlì"},
    {"0771", "Formia"},
    {"0525", "Fornovo di Taro"},
    {"0775", "Frosinone"},
    {"0833", "Gallipoli"},
    {"010", "Genova"},
    {"0481", "Gorizia"},
    {"0564", "Grosseto"},
    {"0781", "Iglesias"},
    {"0542", "Imola"},
    {"0183", "Imperia"},
    {"0865", "Isernia"},
    {"0125", "Ivrea"},
    {"0731", "Jesi"},
    {"0862", "L'Aquila"},
    {"0187", "La Spezia"},
    {"0973", "Lagonegro"},
    {"0968", "Lamezia Terme"},
    {"0872", "Lanciano"},
    {"0782", "Lanusei"},
    {"0123", "Lanzo Torinese"},
    {"0773", "Latina"},
    {"0832", "Lecce"},
    {"0341", "Lecco"},
    {"0442", "Legnago"},
    {"0586", "Livorno"},
    {"0964", "Locri"},
    {"0371", "Lodi"},
    {"0583", "Lucca"},
    {"0545", "Lugo"},
    {"0733", "Macerata"},
    {"0785", "Macomer"},
    {"0836", "Maglie"},
    {"0884", "Manfredonia"},
    {"0376", "Mantova"},
    {"0585", "Massa"},
    {"0835", "Matera"},
    {"0972", "Melfi"},
    {"0344", "Menaggio"},
    {"0473", "Merano"},
    {"090", "Messina"},
    {"02", "Milano"},
    {"0535", "Mirandola"},
    {"059", "Modena"},
    {"0174", "Mondovì"},
    {"0423", "Montebelluna"},
    {"0572", "Montecatini Terme"},
    {"039", "Monza"},
    {"0384", "Mortara"},
    {"0976", "Muro Lucano"},
    {"081", "Napoli"},
    {"0321", "Novara"},
    {"0143", "Novi Ligure"},
    {"0784", "Nuoro"},
    {"0789", "Olbia"},
    {"0783", "Oristano"},
    {"0763", "Orvieto"},
    {"0386", "Ostiglia"},
    {"049", "Padova"},
    {"091", "Palermo"},
    {"0966", "Palmi"},
    {"0982", "Paola"},
    {"0521", "Parma"},
    {"0941", "Patti"},
    {"0382", "Pavia"},
    {"075", "Perugia"},
    {"0721", "Pesaro"},
    {"085", "Pescara"},
    {"0523", "Piacenza"},
    {"0435", "Pieve di Cadore"},
    {"0121", "Pinerolo"},
    {"0565", "Piombino"},
    {"050", "Pisa"},
    {"0573", "Pistoia"},
    {"0765", "Poggio Mirteto"},
    {"0587", "Pontedera"},
    {"0434", "Pordenone"},
    {"0534", "Porretta Terme"},
    {"0971", "Potenza"},
    {"0574", "Prato"},
    {"0932", "Ragusa"},
    {"0185", "Rapallo"},
    {"0544", "Ravenna"},
    {"0965", "Reggio di Calabria"},
    {"0522", "Reggio nell'Emilia"},
    {"0746", "Rieti"},
    {"0541", "Rimini"},
    {"0124", "Rivarolo Canavese"},
    {"06", "Roma"},
    {"0983", "Rossano"},
    {"0464", "Rovereto"},
    {"0425", "Rovigo"},
    {"0827", "S.Angelo dei Lombardi"},
    {"0735", "S.Benedetto del Tronto"},
    {"0421", "S.Donà di Piave"},
    {"0549", "S.Marino (Rep. di)"},
    {"0345", "S.Pellegrino Terme"},
    {"0975", "Sala Consilina"},
    {"089", "Salerno"},
    {"0365", "Salò"},
    {"0175", "Saluzzo"},
    {"0184", "San Remo"},
    {"0882", "San Severo"},
    {"079", "Sassari"},
    {"0536", "Sassuolo"},
    {"0172", "Savigliano"},
    {"019", "Savona"},
    {"0985", "Scalea"},
    {"0445", "Schio"},
    {"0925", "Sciacca"},
    {"0362", "Seregno"},
    {"0577", "Siena"},
    {"0931", "Siracusa"},
    {"0342", "Sondrio"},
    {"0374", "Soresina"},
    {"0967", "Soverato"},
    {"0427", "Spilimbergo"},
    {"0743", "Spoleto"},
    {"0166", "St.Vincent"},
    {"0385", "Stradella"},
    {"0864", "Sulmona"},
    {"0122", "Susa"},
    {"0942", "Taormina"},
    {"099", "Taranto"},
    {"0428", "Tarvisio"},
    {"0861", "Teramo"},
    {"0875", "Termoli"},
    {"0744", "Terni"},
    {"0465", "Tione di Trento"},
    {"0774", "Tivoli"},
    {"0433", "Tolmezzo"},
    {"011", "Torino"},
    {"0923", "Trapani"},
    {"0461", "Trento"},
    {"0363", "Treviglio"},
    {"0422", "Treviso"},
    {"040", "Trieste"},
    {"0432", "Udine"},
    {"0722", "Urbino"},
    {"0974", "Vallo della Lucania"},
    {"0332", "Varese"},
    {"0873", "Vasto"},
    {"041", "Venezia (Mestre)"},
    {"0161", "Vercelli"},
    {"045", "Verona"},
    {"0584", "Viareggio"},
    {"0963", "Vibo Valentia"},
    {"0444", "Vicenza"},
    {"0381", "Vigevano"},
    {"0761", "Viterbo"},
    {"0383", "Voghera"},
    {"0588", "Volterra"},
};

// Prefissi internazionali zona 1
constexpr DefaultPrefix kGroup2[] = {
    {"001", "Stati Uniti, Canada, Repubblica Dominicana"},
    {"00376", "Andorra"},
    {"0043", "Austria"},
    {"0032", "Belgio"},
    {"0045", "Danimarca"},
    {"00358", "Finlandia"},
    {"0033", "Francia"},
    {"0049", "Germania"},
    {"0030", "Grecia"},
    {"00353", "Irlanda"},
    {"00423", "Liechtenstein"},
    {"00352", "Lussemburgo"},
    {"0047", "Norvegia"},
    {"0031", "Paesi Bassi"},
    {"00351", "Portogallo, Azzorre, Madeira"},
    {"00377", "Principato di Monaco"},
    {"0044", "Regno Unito"},
    {"00386", "Slovenia"},
    {"0034", "Spagna"},
    {"0041", "Svizzera"},
};

// Prefissi internazionali zona 1 Mobile
constexpr DefaultPrefix kGroup3[] = {
    {"003763", "Andorra mobile 1"},
    {"003764", "Andorra mobile 2"},
    {"003766", "Andorra mobile 3"},
    {"00436", "Austria mobile"},
    {"00324", "Belgio mobile 1"},
    {"00452", "Danimarca mobile 1"},
    {"00454", "Danimarca mobile 2"},
    {"00455", "Danimarca mobile 3"},
    {"00456", "Danimarca mobile 4"},
    {"003584", "Finlandia mobile 1"},
    {"003585", "Finlandia mobile 2"},
    {"00336", "Francia mobile"},
    {"00491", "Germania mobile 1"},
    {"00497", "Germania mobile 2"},
    {"00306", "Grecia mobile"},
    {"003538", "Irlanda mobile"},
    {"003520", "Lussemburgo mobile 1"},
    {"003522", "Lussemburgo mobile 2"},
    {"003526", "Lussemburgo mobile 3"},
    {"003529", "Lussemburgo mobile 4"},
    {"00474", "Norvegia mobile 1"},
    {"00479", "Norvegia mobile 2"},
    {"00316", "Paesi Bassi mobile"},
    {"003511", "Portogallo, Azzorre, Madeira mobile 1"},
    {"003516", "Portogallo, Azzorre, Madeira mobile 2"},
    {"003519", "Portogallo, Azzorre, Madeira mobile 3"},
    {"003774", "Principato di Monaco mobile 1"},
    {"003776", "Principato di Monaco mobile 2"},
    {"00445", "Regno Unito mobile 1"},
    {"00447", "Regno Unito mobile 2"},
    {"00449", "Regno Unito mobile 3"},
    {"003863", "Slovenia mobile 1"},
    {"003864", "Slovenia mobile 2"},
    {"003865", "Slovenia mobile 3"},
    {"003867", "Slovenia mobile 4"},
    {"00346", "Spagna mobile"},
    {"0046", "Svezia mobile"},
    {"00417", "Svizzera mobile 1"},
    {"00418", "Svizzera mobile 2"},
};

// Prefissi internazionali zona 2
constexpr DefaultPrefix kGroup4[] = {
    {"00355", "Albania"},
    {"00387", "Bosnia-Erzegovina"},
    {"00359", "Bulgaria"},
    {"00385", "Croazia"},
    {"00381", "Serbia"},
    {"00382", "Montenegro"},
    {"00420", "Repubblica Ceca"},
    {"00421", "Slovacchia"},
    {"0040", "Romania"},
    {"0048", "Polonia"},
    {"00356", "Malta"},
    {"00357", "Cipro"},
    {"00354", "Islanda"},
    {"00350", "Gibilterra"},
    {"00389", "Macedonia (F.Y.R.O.M.)"},
    {"0036", "Ungheria"},
    {"00218", "Libia"},
    {"00216", "Tunisia"},
};

// Prefissi internazionali zona 2 Mobile
constexpr DefaultPrefix kGroup5[] = {
    {"003556", "Albania mobile"},
    {"003876", "Bosnia-Erzegovina mobile"},
    {"003594", "Bulgaria mobile 1"},
    {"003598", "Bulgaria mobile 2"},
    {"003599", "Bulgaria mobile 3"},
    {"003859", "Croazia mobile"},
    {"003816", "Serbia mobile"},
    {"003826", "Montenegro mobile"},
    {"004206", "Repubblica Ceca mobile 1"},
    {"004207", "Repubblica Ceca mobile 2"},
    {"004209", "Repubblica Ceca mobile 3"},
    {"004219", "Slovacchia mobile 1"},
    {"00407", "Romania mobile 1"},
    {"00409", "Romania mobile 2"},
    {"00486", "Polonia mobile 1"},
    {"00487", "Polonia mobile 2"},
    {"00488", "Polonia mobile 3"},
    {"003567", "Malta mobile 1"},
    {"003569", "Malta mobile 2"},
    {"003571", "Cipro mobile 1"},
    {"003577", "Cipro mobile 2"},
    {"003579", "Cipro mobile 3"},
    {"003543", "Islanda mobile 1"},
    {"003546", "Islanda mobile 2"},
    {"003548", "Islanda mobile 3"},
    {"003505", "Gibilterra mobile"},
    {"003897", "Macedonia (F.Y.R.O.M.) mobile"},
    {"00362", "Ungheria mobile 1"},
    {"00367", "Ungheria mobile 2"},
};

// Prefissi internazionali zona 3
constexpr DefaultPrefix kGroup6[] = {
    {"00212", "Marocco"},
    {"00213", "Algeria"},
    {"00370", "Lituania"},
    {"00371", "Lettonia"},
    {"00372", "Estonia"},
    {"00373", "Moldavia"},
    {"00375", "Bielorussia"},
    {"00380", "Ucraina"},
    {"007", "Russia"},
    {"0090", "Turchia"},
};

// Prefissi internazionali zona 3 Mobile
constexpr DefaultPrefix kGroup7[] = {
    {"002126", "Marocco mobile 1"},
    {"002121", "Marocco mobile 2"},
    {"002127", "Marocco mobile 3"},
    {"002129", "Marocco mobile 4"},
    {"002135", "Algeria mobile 1"},
    {"002136", "Algeria mobile 2"},
    {"002137", "Algeria mobile 3"},
    {"002139", "Algeria mobile 4"},
    {"003715", "Lettonia mobile 1"},
    {"003716", "Lettonia mobile 2"},
    {"003718", "Lettonia mobile 3"},
    {"003719", "Lettonia mobile 4"},
    {"003725", "Estonia mobile 1"},
    {"003727", "Estonia mobile 2"},
    {"003728", "Estonia mobile 3"},
    {"003736", "Moldavia mobile 1"},
    {"003737", "Moldavia mobile 2"},
    {"003739", "Moldavia mobile 3"},
    {"003752", "Bielorussia mobile"},
    {"003803", "Ucraina mobile 1"},
    {"003805", "Ucraina mobile 2"},
    {"003806", "Ucraina mobile 3"},
    {"003809", "Ucraina mobile 4"},
    {"0079", "Russia mobile"},
    {"00905", "Turchia mobile"},
};

// Prefissi internazionali zona 4
constexpr DefaultPrefix kGroup8[] = {
    {"0062", "Indonesia"},
    {"0063", "Filippine"},
    {"0064", "Nuova Zelanda"},
    {"0065", "Singapore"},
    {"0066", "Thailandia"},
    {"0086", "Cina"},
    {"00852", "Hong Kong"},
    {"00886", "Taiwan"},
    {"0081", "Giappone"},
    {"0082", "Corea del Sud"},
    {"0060", "Malesia"},
    {"0061", "Australia"},
    {"00972", "Israele"},
    {"0091", "India"},
    {"00970", "Palestina"},
    {"00670", "Timor Est"},
};

// Prefissi internazionali zona 4 Mobile
constexpr DefaultPrefix kGroup9[] = {
    {"00628", "Indonesia mobile"},
    {"00639", "Filippine mobile"},
    {"00644", "Nuova Zelanda mobile"},
    {"008526", "Hong Kong mobile 1"},
    {"008529", "Hong Kong mobile 2"},
    {"00886", "Taiwan mobile"},
    {"00821", "Corea del Sud mobile"},
    {"00611", "Australia mobile 1"},
    {"00614", "Australia mobile 2"},
    {"009705", "Palestina mobile"},
    {"00919", "India mobile"},
    {"006707", "Timor Est mobile"},
};

// Prefissi internazionali zona 5
constexpr DefaultPrefix kGroup10[] = {
    {"0054", "Argentina"},
    {"0056", "Cile"},
    {"0057", "Colombia"},
    {"0058", "Venezuela"},
    {"00591", "Bolivia"},
    {"00593", "Ecuador"},
    {"00595", "Paraguay"},
    {"00966", "Arabia Saudita"},
    {"0020", "Egitto"},
    {"0051", "Perù"},
    {"0052", "Messico"},
    {"0027", "Sudafrica"},
};

// Prefissi internazionali zona 5 Mobile
constexpr DefaultPrefix kGroup11[] = {
    {"00549", "Argentina mobile"},
    {"0055", "Brasile mobile"},
    {"00568", "Cile mobile 1"},
    {"00569", "Cile mobile 2"},
    {"00584", "Venezuela mobile"},
    {"00201", "Egitto mobile"},
    {"00511", "Perù mobile 1"},
    {"00514", "Perù mobile 2"},
    {"00515", "Perù mobile 3"},
    {"00516", "Perù mobile 4"},
    {"00517", "Perù mobile 5"},
    {"00518", "Perù mobile 6"},
    {"00277", "Sudafrica mobile 1"},
    {"00278", "Sudafrica mobile 2"},
};

// Prefissi internazionali zona 6
constexpr DefaultPrefix kGroup12[] = {
    {"001242", "Bahamas"},
    {"001246", "Barbados"},
    {"00975", "Bhutan"},
    {"00269", "Comore e Mayotte"},
    {"00291", "Eritrea"},
    {"00251", "Etiopia"},
    {"00856", "Laos"},
    {"00691", "Stati Federati di Micronesia"},
    {"001664", "Montserrat"},
    {"00236", "Repubblica Centrafricana"},
    {"00963", "Siria"},
    {"00249", "Sudan"},
};

// Prefissi internazionali zona 6 Mobile
constexpr DefaultPrefix kGroup13[] = {
    {"0012424", "Bahamas mobile 1"},
    {"0012425", "Bahamas mobile 2"},
    {"0012426", "Bahamas mobile 3"},
    {"0012427", "Bahamas mobile 4"},
    {"0012462", "Barbados mobile"},
    {"0097517", "Bhutan mobile"},
    {"002693", "Comore e Mayotte mobile"},
    {"002917", "Eritrea mobile"},
    {"002519", "Etiopia mobile"},
    {"00856207", "Laos mobile 1"},
    {"00856208", "Laos mobile 2"},
    {"006919", "Stati Federati di Micronesia mobile"},
    {"001492", "Montserrat mobile"},
    {"002360", "Repubblica Centrafricana mobile 1"},
    {"002362", "Repubblica Centrafricana mobile 2"},
    {"002366", "Repubblica Centrafricana mobile 3"},
    {"002367", "Repubblica Centrafricana mobile 4"},
    {"009639", "Siria mobile"},
    {"002491", "Sudan mobile 1"},
    {"002499", "Sudan mobile 2"},
    {"008819", "GlobStar"},
};

// Prefissi internazionali zona 7
constexpr DefaultPrefix kGroup14[] = {
    {"001345", "Isole Cayman"},
    {"001284", "Isole Vergini Britanniche"},
    {"00685", "Samoa"},
    {"00686", "Kiribati, Isola Gilbert"},
    {"00687", "Nuova Caledonia"},
    {"00675", "Papua Nuova Guinea"},
    {"00247", "Isola Ascensione"},
    {"001264", "Anguilla"},
    {"00682", "Isole Cook"},
    {"00246", "Diego Garcia"},
    {"001767", "Dominica"},
    {"00679", "Figi"},
    {"00245", "Guinea-Bissau"},
    {"00509", "Haiti"},
    {"00855", "Cambogia"},
    {"00692", "Isole Marshall"},
    {"00976", "Mongolia"},
    {"0095", "Myanmar"},
    {"00674", "Nauru"},
    {"00977", "Nepal"},
    {"00683", "Niue"},
    {"00672", "Antartide, Isola Christmas, Isole Cocos e Isola Norfolk"},
    {"00680", "Palau"},
    {"00681", "Wallis e Futuna"},
    {"00684", "Samoa Americane"},
    {"00688", "Tuvalu, Isole Ellice"},
    {"00689", "Polinesia Francese"},
    {"00690", "Tokelau"},
    {"001758", "Santa Lucia"},
    {"001784", "Saint Vincent e le Grenadine"},
    {"001868", "Trinidad e Tobago"},
    {"001649", "Isole Turks e Caicos"},
    {"00676", "Tonga"},
    {"00677", "Isole Salomone"},
    {"00242", "Repubblica del Congo"},
    {"00678", "Vanuatu"},
    {"00239", "Sao Tome e Principe"},
    {"00597", "Suriname"},
};

// Prefissi internazionali zona 7 Mobile
constexpr DefaultPrefix kGroup15[] = {
    {"001343", "Isole Cayman mobile 1"},
    {"001345", "Isole Cayman mobile 1"},
    {"001349", "Isole Cayman mobile 1"},
    {"006855", "Samoa mobile 1"},
    {"006856", "Samoa mobile 2"},
    {"006869", "Kiribati, Isola Gilbert mobile"},
    {"006877", "Nuova Caledonia mobile 1"},
    {"006878", "Nuova Caledonia mobile 2"},
    {"006879", "Nuova Caledonia mobile 3"},
    {"0067568", "Papua Nuova Guinea mobile"},
};

// Numeri di emergenza
constexpr DefaultPrefix kGroup16[] = {
    {"112", "Pronto intervento"},
    {"113", "Soccorso pubblico d'emergenza"},
    {"114", "Emergenza maltrattamento minori"},
    {"115", "Vigili del fuoco"},
    {"118", "Soccorso medico"},
};

// Pubblica utilità
constexpr DefaultPrefix kGroup17[] = {
    {"117", "Guardia di finanza"},
    {"1530", "Assistenza in mare"},
    {"1515", "Antincendi Boschivo"},
    {"1518", "Informazioni CCISS"},
    {"1500", "Emergenze per la salute pubblica"},
    {"196", "Telefono azzurro"},
};

// Eventi telefonici di massa 1
constexpr DefaultPrefix kGroup18[] = {
    {"0369", "Giochi TV a premi"},
    {"0769", "Giochi TV a premi"},
};

// Eventi telefonici di massa 2
constexpr DefaultPrefix kGroup19[] = {
    {"0878", "Televoto"},
};

// Elenco abbonati
constexpr DefaultPrefix kGroup20[] = {
    {"12", "Elenco abbonati"},
};

// Assistenza e informazione
constexpr DefaultPrefix kGroup21[] = {
    {"163", "Assistenza/Consulenza"},
    {"164", "Servizi interattivi"},
    {"899", "Sociale informativo"},
};

// Sociale ed informativo 1
constexpr DefaultPrefix kGroup22[] = {
    {"1440", "Sociale informativo"},
    {"1660", "Assistenza/Consulenza"},
};

// Sociale ed informativo 2
constexpr DefaultPrefix kGroup23[] = {
    {"1442", "Sociale informativo"},
    {"1662", "Assistenza/Consulenza"},
};

// Sociale ed informativo 3
constexpr DefaultPrefix kGroup24[] = {
    {"1446", "Sociale informativo"},
    {"1666", "Assistenza/Consulenza"},
};

// Sociale ed informativo 4
constexpr DefaultPrefix kGroup25[] = {
    {"1448", "Sociale informativo"},
    {"1668", "Assistenza/Consulenza"},
};

// Sociale ed informativo 5
constexpr DefaultPrefix kGroup26[] = {
    {"1441", "Sociale informativo"},
    {"1661", "Assistenza/Consulenza"},
};

// Sociale ed informativo 6
constexpr DefaultPrefix kGroup27[] = {
    {"892", "Sociale informativo"},
};

// Servizi speciali 1
constexpr DefaultPrefix kGroup28[] = {
    {"199", "Numero unico"},
};

// Servizi speciali 2
constexpr DefaultPrefix kGroup29[] = {
    {"178", "Numero personale"},
};

// Connessione ad internet 1
constexpr DefaultPrefix kGroup30[] = {
    {"700", "Internet"},
};

// Connessione ad internet 2
constexpr DefaultPrefix kGroup31[] = {
    {"701", "Internet"},
    {"702", "Internet"},
};

// Connessione ad internet 3
constexpr DefaultPrefix kGroup32[] = {
    {"709", "Internet"},
};

// Numeri verdi 1
constexpr DefaultPrefix kGroup33[] = {
    {"800", "Numero verde"},
    {"803", "Numero verde"},
};

// Numeri verdi 2
constexpr DefaultPrefix kGroup34[] = {
    {"840", "Numero verde"},
    {"841", "Numero verde"},
};

// Numeri verdi 3
constexpr DefaultPrefix kGroup35[] = {
    {"847", "Numero verde"},
    {"848", "Numero verde"},
};

// Operatori di telefonia
constexpr DefaultPrefix kGroup36[] = {
    {"119", "TIM"},
    {"800134134", "TELECOM"},
    {"152", "World Com"},
    {"155", "Infostrada"},
    {"156", "Infostrada"},
    {"190", "Vodafone"},
    {"158", "Wind"},
    {"187", "TELECOM"},
    {"183", "TELECOM"},
    {"184", "TELECOM"},
    {"185", "Poste"},
    {"195", "Albacom"},
    {"191", "TELECOM"},
    {"1948", "Mediterraneam"},
    {"189", "TELECOM"},
    {"1949", "ePlanet"},
    {"133", "TRE"},
    {"803900", "TELECOM"},
    {"192042", "OkCom"},
    {"1928", "WIND"},
    {"1922", "Tele 2"},
    {"1945", "Welcom Italia"},
};

}  // namespace

const std::array<std::span<const DefaultPrefix>, kDefaultPrefixListCount>& DefaultPrefixLists()
{
    static const std::array<std::span<const DefaultPrefix>, kDefaultPrefixListCount> lists = {
        kGroup1,
        kGroup2,
        kGroup3,
        kGroup4,
        kGroup5,
        kGroup6,
        kGroup7,
        kGroup8,
        kGroup9,
        kGroup10,
        kGroup11,
        kGroup12,
        kGroup13,
        kGroup14,
        kGroup15,
        kGroup16,
        kGroup17,
        kGroup18,
        kGroup19,
        kGroup20,
        kGroup21,
        kGroup22,
        kGroup23,
        kGroup24,
        kGroup25,
        kGroup26,
        kGroup27,
        kGroup28,
        kGroup29,
        kGroup30,
        kGroup31,
        kGroup32,
        kGroup33,
        kGroup34,
        kGroup35,
        kGroup36,
    };
    return lists;
}
