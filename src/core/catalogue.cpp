#include "catalogue.h"

namespace catalogue {

// clang-format off
const std::array<TModulArray, ModuleCount> ModuleTable = {{
    {u"---", u"---", 0, false}, // 0
    {u"H0", u"V4101", 298, false}, // 1
    {u"H1", u"V4102", 298, false}, // 2
    {u"H1I", u"V4103", 1975, false}, // 3
    {u"L0", u"V4104", 550, false}, // 4
    {u"L0I", u"V4105", 2227, false}, // 5
    {u"L1", u"V4106", 550, false}, // 6
    {u"L1I", u"V4107", 2227, false}, // 7
    {u"L2", u"V4108", 550, false}, // 8
    {u"L2I", u"V4109", 2227, false}, // 9
    {u"V0", u"V4110", 2100, false}, // 10
    {u"V1", u"V4111", 2100, false}, // 11
    {u"V2", u"V4112", 2100, false}, // 12
    {u"W0", u"V4113", 550, false}, // 13
    {u"W0I", u"V4114", 2227, false}, // 14
    {u"W1", u"V4115", 550, false}, // 15
    {u"W1I", u"V4116", 2227, false}, // 16
    {u"W2", u"V4117", 550, false}, // 17
    {u"W2I", u"V4118", 2227, false}, // 18
    {u"W4", u"V4119", 550, false}, // 19
    {u"W4I", u"V4120", 2227, false}, // 20
    {u"W5", u"V4121", 550, false}, // 21
    {u"W5I", u"V4122", 2227, false}, // 22
    {u"Y0", u"V4123", 2100, false}, // 23
    {u"Y1", u"V4124", 2100, false}, // 24
    {u"Y2", u"V4125", 2100, false}, // 25
    {u"Y4", u"V4126", 2100, false}, // 26
    {u"Z", u"V4127", 550, false}, // 27
    {u"ZI", u"V4128", 2227, false}, // 28
    {u"X", u"V4129", 550, false}, // 29
    {u"XI", u"V4130", 2227, false}, // 30
    {u"R", u"V4131", 550, false}, // 31
    {u"RI", u"V4132", 2227, false}, // 32
    {u"R1", u"V4133", 550, false}, // 33
    {u"R1I", u"V4134", 2227, false}, // 34
    {u"R3", u"V4135", 890, false}, // 35
    {u"U", u"V4136", 998, false}, // 36
    {u"UI", u"V4137", 2675, false}, // 37
    {u"M", u"V4138", 998, false}, // 38
    {u"MI", u"V4139", 2675, false}, // 39
    {u"C", u"V4140", 998, false}, // 40
    {u"CI", u"V4141", 2675, false}, // 41
    {u"E", u"V4142", 998, false}, // 42
    {u"EI", u"V4143", 2675, false}, // 43
    {u"B", u"V4144", 998, false}, // 44
    {u"BI", u"V4145", 2675, false}, // 45
    {u"---", u"---", 0, false}, // 46
    {u"P", u"V4146", 298, false}, // 47
    {u"PI", u"V4147", 790, false}, // 48
    {u"P1", u"V4148", 298, false}, // 49
    {u"QNU", u"V4149", 1190, false}, // 50
    {u"QNK", u"V4150", 1190, false}, // 51
    {u"JU", u"V4151", 790, false}, // 52
    {u"JK", u"V4152", 790, false}, // 53
    {u"TB", u"V4153", 1980, true}, // 54
}};

const std::array<std::u16string_view, ModuleCount> ModuleDescriptionsCz = {
    u"---",
    u"H0    [aktiv. 4..20 mA , galvanicky neoddělený]",
    u"H1    [pasiv. 4..20 mA , galvanicky neoddělený]",
    u"H1I  [pasiv. 4..20 mA , galvanicky oddělený]",
    u"L0    [0..20 mA , galvanicky neoddělený]",
    u"L0I  [0..20 mA , galvanicky oddělený]",
    u"L1    [0..1 A , galvanicky neoddělený]",
    u"L1I  [0..1A , galvanicky oddělený]",
    u"L2    [0..5 A , galvanicky neoddělený]",
    u"L2I  [0..5 A , galvanicky oddělený]",
    u"V0    [AC 0..20 mA , galvanicky oddělený]",
    u"V1    [AC 0..1 A , galvanicky oddělený]",
    u"V2    [AC 0..5 A , galvanicky oddělený]",
    u"W0    [0..100 mV , galvanicky neoddělený]",
    u"W0I  [0..100 mV , galvanicky oddělený]",
    u"W1    [0..1 V , galvanicky neoddělený]",
    u"W1I  [0..1 V , galvanicky oddělený]",
    u"W2    [0..10 V , galvanicky neoddělený]",
    u"W2I  [0..10 VV , galvanicky oddělený]",
    u"W4    [0..75 V , galvanicky neoddělený]",
    u"W4I  [0..75 V , galvanicky oddělený]",
    u"W5    [-10..10 V , galvanicky neoddělený]",
    u"W5I [-10..10 V , galvanicky oddělený]",
    u"Y0    [AC 0..100 mV , galvanicky oddělený]",
    u"Y1    [AC 0..1 V , galvanicky oddělený]",
    u"Y2    [AC 0..10 V , galvanicky oddělený]",
    u"Y4    [AC 0..50 V , galvvanicky oddělený]",
    u"Z      [měření R , galvanicky neoddělený]",
    u"ZI    [měření R , galvanicky oddělený]",
    u"X      [-50..250 °C , galvanicky neoddělený]",
    u"XI   [-50..250 °C , galvanicky oddělený]",
    u"R     [-140..600 °C , galvanicky neoddělený]",
    u"RI   [-140..600 °C , galvanicky oddělený]",
    u"R1    [-140..600 °C , galvanicky neoddělený]",
    u"R1I [-140..600 °C , galvanicky oddělený]",
    u"R3   [-10..50  °C , galvanicky neoddělený]",
    u"U     [-70..1300 °C , galvanicky neoddělený]",
    u"UI  [-70..1300 °C , galvanicky oddělený]",
    u"M     [-200..400 °C , galvanicky neoddělený]",
    u"MI  [-200..400 °C , galvanicky oddělený]",
    u"C     [-200..750 °C , galvanicky neoddělený]",
    u"CI  [-200..750 °C , galvanicky oddělený]",
    u"E     [0..1700 °C , galvanicky neoddělený]",
    u"EI   [0..1700 °C , galvanicky oddělený]",
    u"B     [100..1800 °C , galvanicky neoddělený]",
    u"BI  [100..1800 °C , galvanicky oddělený]",
    u"---",
    u"P      [binární , galvanicky neoddělený]",
    u"PI   [binární , galvanicky oddělený]",
    u"P1    [binární napěťový , galvanicky oddělený]",
    u"QNU [čítačový napěť. , galvanicky oddělený]",
    u"QNK  [čítačový , galvanicky neoddělený]",
    u"JU    [frekvenční napěťový , galvanicky oddělený]",
    u"JK    [frekvenční , galvanicky neoddělený]",
    u"TB   [RS485 Advantech , galvanicky oddělený]",
};

const std::array<std::u16string_view, ModuleCount> ModuleDescriptionsEn = {
    u"---",
    u"H0    [activ. 4..20 mA , galvanically not isolated]",
    u"H1    [pasiv. 4..20 mA , galvanically not isolated]",
    u"H1I  [pasiv. 4..20 mA , galvanically isolated]",
    u"L0    [0..20 mA , galvanically not isolated]",
    u"L0I  [0..20 mA , galvanically isolated]",
    u"L1    [0..1 A , galvanically not isolated]",
    u"L1I  [0..1A , galvanically isolated]",
    u"L2    [0..5 A , galvanically not isolated]",
    u"L2I  [0..5 A , galvanically isolated]",
    u"V0    [AC 0..20 mA , galvanically isolated]",
    u"V1    [AC 0..1 A , galvanically isolated]",
    u"V2    [AC 0..5 A , galvanically isolated]",
    u"W0    [0..100 mV , galvanically not isolated]",
    u"W0I  [0..100 mV , galvanically isolated]",
    u"W1    [0..1 V , galvanically not isolated]",
    u"W1I  [0..1 V , galvanically isolated]",
    u"W2    [0..10 V , galvanically not isolated]",
    u"W2I  [0..10 VV , galvanically isolated]",
    u"W4    [0..75 V , galvanically not isolated]",
    u"W4I  [0..75 V , galvanically isolated]",
    u"W5    [-10..10 V , galvanically not isolated]",
    u"W5I [-10..10 V , galvanically isolated]",
    u"Y0    [AC 0..100 mV , galvanically isolated]",
    u"Y1    [AC 0..1 V , galvanically isolated]",
    u"Y2    [AC 0..10 V , galvanically isolated]",
    u"Y4    [AC 0..50 V , galvanically isolated]",
    u"Z      [měření R , not galvanic isolated]",
    u"ZI    [měření R , galvanically isolated]",
    u"X      [-50..250 °C , galvanically not isolated]",
    u"XI   [-50..250 °C , galvanically isolated]",
    u"R     [-140..600 °C , galvanically not isolated]",
    u"RI   [-140..600 °C , galvanically isolated]",
    u"R1    [-140..600 °C , galvanically not isolated]",
    u"R1I [-140..600 °C , galvanically isolated]",
    u"R3   [-10..50  °C , galvanically not isolated]",
    u"U     [-70..1300 °C , galvanically not isolated]",
    u"UI  [-70..1300 °C , galvanically isolated]",
    u"M     [-200..400 °C , galvanically not isolated]",
    u"MI  [-200..400 °C , galvanically isolated]",
    u"C     [-200..750 °C , galvanically not isolated]",
    u"CI  [-200..750 °C , galvanically isolated]",
    u"E     [0..1700 °C , galvanically not isolated]",
    u"EI   [0..1700 °C , galvanically isolated]",
    u"B     [100..1800 °C , galvanically not isolated]",
    u"BI  [100..1800 °C , galvanically isolated]",
    u"---",
    u"P      [binární , not galvanic isolated]",
    u"PI   [binární , galvanically isolated]",
    u"P1    [binární napěťový , galvanically isolated]",
    u"QNU [counter of volt. , galvanically isolated]",
    u"QNK  [counter of cont. , not galvanically isolated]",
    u"JU    [frequency of voltage , galvanically isolated]",
    u"JK    [frequency of cont. , not galvanic isolated]",
    u"TB   [RS485 Advantech , galvanically isolated]",
};

// One row per accessory, in tag order (tag = position + 1). A new accessory
// is one row here (and AccessoryCount one up), one placeholder line in each
// document template and its picture; the form places it by its section and
// builds its variant list, if it has one, from its row.
const std::array<Accessory, AccessoryCount> Accessories = {{
    {// 1
     {u"PG710", u"", u""},
     {u"2850", u"", u""},
     u"PGR710 - software pro ústředny TQ rozšířený - registrační karta",
     u"PGR740 - optional PC software for TQ system - registration card",
     -1, 30, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 2
     {u"N2201", u"N2202", u"N2203"},
     {u"680", u"300", u"1960"},
     u"napájecí adaptér - zvolte si prosím typ    ------- >>>",
     u"power supply - choose type please  ------- >>>",
     -1, 1, AssemblyRole::None, Variants::FromList,
     {2, {u"N2201   (21V / 1A)", u"N2202   (24V / 1A)", u"N2203   (24V / 2.5A)"}, {1, 2, 3}, true, 424, 145, 1,
      u"Typ napájecího adaptéru", u"Power supply type"},
     DocumentLine::ItemCodeAndRating,
     0},
    {// 3
     {u"ZK201", u"", u""},
     {u"350", u"", u""},
     u"ZK201 - držák ústředny na DIN lištu 35mm",
     u"ZK201 - holder for data logger mounting to DIN 35mm rail",
     0, 10, AssemblyRole::Part, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 4
     {u"ZK202", u"", u""},
     {u"195", u"", u""},
     u"ZK202 - univerzální držáky pro montáž ústředny a relé desky",
     u"ZK202 - universal metal wall holders for data logger wall mounting",
     0, 11, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 5
     {u"ZK203", u"", u""},
     {u"790", u"", u""},
     u"ZK203 - zabudované nezávislé seriové rozhraní pro příjem a vysílání SMS zpráv",
     u"ZK203 - built-in independent SMS port for GSM modem, for SMS reception and sending",
     1, 19, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 6
     {u"ZK204", u"", u""},
     {u"2980", u"", u""},
     u"ZK204 - vnitřní Ethernetové rozhraní",
     u"ZK204 - built-in LAN interface, connection to Ethernet network",
     1, 20, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 7
     {u"ZK205", u"", u""},
     {u"2980", u"", u""},
     u"ZK205 - převodník RS485/RS232 pro sériový port COMx na straně počítače",
     u"ZK205 - converter RS485/RS232, including ac/dc adapter and terminator TRM1",
     2, 17, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 8
     {u"ZK206", u"", u""},
     {u"1990", u"", u""},
     u"ZK206 - převodník USB/RS485 pro USB rozhraní na straně počítače",
     u"ZK206 - converter USB/RS485 for USB port at the PC side, including terminator TRM1",
     2, 18, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 9
     {u"ZK207", u"", u""},
     {u"6490", u"", u""},
     u"ZK207 - převodník Ethernet/RS485 s napáječem",
     u"ZK207 - converter Ethernet/RS485, including ac/dc adapter and terminator TRM1",
     2, 31, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     ClearsPictureFirst},
    {// 10
     {u"ZK208", u"", u""},
     {u"450", u"", u""},
     u"ZK208 - skříňka externí akustické signalizace",
     u"ZK208 - external audio indication unit",
     3, 21, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 11
     {u"ZK209", u"", u""},
     {u"3490", u"", u""},
     u"ZK209 - telefonní hlásič alarmů, včetně napáječe",
     u"ZK209 - telephone voice dialer for alarm reporting, ac/dc adapter included",
     3, 5, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 12
     {u"ZK210", u"", u""},
     {u"7270", u"", u""},
     u"ZK210 - deska výstupních relé",
     u"ZK210 - output relays module with interconnection cable",
     4, 14, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 13
     {u"ZK211", u"", u""},
     {u"440", u"", u""},
     u"ZK211 - komunikační kabel pro externí displej a desku výstupních relé délky 0.6 m",
     u"ZK211 - connection cable for terminal with display and output relays module with length 0.6m",
     4, 13, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 14
     {u"ZK202", u"", u""},
     {u"195", u"", u""},
     u"ZK202 - kovové boční úchyty pro montáž na stěnu nebo jinou pevnou plochu",
     u"ZK202 - universal metal wall holders for data logger wall mounting",
     4, 11, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 15
     {u"ZK212", u"", u""},
     {u"350", u"", u""},
     u"ZK212 - držák desky relé na DIN lištu 35mm",
     u"ZK212 - holder for relay module mounting to DIN 35mm rail",
     4, 15, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 16
     {u"ZK213", u"", u""},
     {u"350", u"", u""},
     u"ZK213 - DIN lišta pro modul relé se zvýšenými konzolami pro montáž do skříně ZK221, ZK222",
     u"ZK213 - DIN rail for relay module with elevated consoles, for the ZK221, ZK222 case",
     4, 16, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 17
     {u"ZK214", u"", u""},
     {u"4930", u"", u""},
     u"ZK214 - externí displej pro TQ8",
     u"ZK214 - external display for TQ8",
     5, 12, AssemblyRole::Part, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 18
     {u"ZK211", u"ZK211-5", u"ZK211-10"},
     {u"440", u"690", u"980"},
     u"ZK211 - komunikační kabel pro externí displej a desku výstupních relé ------ >>>",
     u"ZK211 - connection cable for terminal with display and output relays module -- >",
     5, 13, AssemblyRole::Part, Variants::FromList,
     {3, {u"0.6 m", u"5 m", u"10 m"}, {13, 13, 13}, false, 492, 77, 0,
      u"Délka komunikačního kabelu", u"Connection cable length"},
     DocumentLine::CaptionThenItem,
     0},
    {// 19
     {u"ZK215", u"", u""},
     {u"5990", u"", u""},
     u"ZK215 - externí terminál s dvouřádkovým alfanumerickým LCD",
     u"ZK215 - external display built in a IP54 protection case",
     5, 25, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 20
     {u"ZK216", u"", u""},
     {u"6980", u"", u""},
     u"ZK216 - GSM modem Fastrack M1306B, bez příslušenství",
     u"ZK216 - GSM modem Fastrack M1306B, without accessories",
     6, 7, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 21
     {u"ZK216/1", u"", u""},
     {u"420", u"", u""},
     u"ZK216/1 - GSM anténa 3dB pro modem Fastrack M1306B, lomená",
     u"ZK216/1 - antenna for GSM modem WaveCom Fastrack, right-angled",
     6, 8, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 22
     {u"ZK216/2", u"", u""},
     {u"220", u"", u""},
     u"ZK216/2 - datový kabel pro nastavení GSM modemu Fastrack",
     u"ZK216/2 - communication cable for GSM modem Fastrack",
     6, 9, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 23
     {u"ZK216/3", u"", u""},
     {u"420", u"", u""},
     u"ZK216/3 - zdroj 230V/12V pro napájení GSM modemu Fastrack",
     u"ZK216/3 - ac/dc adapter 230V/12V for GSM modem Fastrack",
     6, 32, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     ClearsPictureFirst},
    {// 24
     {u"ZK217", u"", u""},
     {u"690", u"", u""},
     u"ZK217 - boční kryty kabelů (2ks)",
     u"ZK217 - covers of data logger terminals (pair)",
     7, 22, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 25
     {u"ZK218", u"", u""},
     {u"90", u"", u""},
     u"ZK218 - USB kabel propojovací A-B, 1,8m",
     u"ZK218 - USB connection cable A-B, 1,8m",
     7, 6, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 26
     {u"ZK219", u"", u""},
     {u"260", u"", u""},
     u"ZK219 - RS232 konektor se svorkami",
     u"ZK219 - RS232 connector with terminals for RS232 interface",
     7, 23, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 27
     {u"ZK220", u"", u""},
     {u"155", u"", u""},
     u"ZK220 - šroubovák pro snadné připojení vodičů do WAGO svorek",
     u"ZK220 - screwdriver for easy connection of cables to WAGO terminals",
     7, 24, AssemblyRole::None, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 28
     {u"ZK221", u"", u""},
     {u"1690", u"", u""},
     u"ZK221 - skříň s krytím IP65 s držáky na zeď a držáky ústředny bez otvoru ve víku",
     u"ZK221 - case with IP65 protection with wall holders and data logger holders",
     8, 26, AssemblyRole::Excluded, Variants::Single, {}, DocumentLine::Caption,
     0},
    {// 29
     {u"SVC810", u"SVC811", u""},
     {u"1900", u"2700", u""},
     u"kalibrační list z akreditované kalibrační laboratoře Quorel",
     u"Calibration certificate from accredited calibration laboratory QUOREL",
     8, 33, AssemblyRole::None, Variants::ByFittedChannels, {}, DocumentLine::CodeThenCaption,
     CzechOnly | ClearsPictureFirst | SetApart},
}};

const std::array<AccessorySection, AccessorySectionCount> AccessorySections = {{
    {u"Příslušenství pro upevnění ústředny: ", u"Accessories for data logger mounting: "},
    {u"Volitelná vnitřní vybavení: ", u"Optional internal equipment: "},
    {u"Externí převodníky komunikačních rozhraní: ", u"External communication converters: "},
    {u"Příslušenství pro zpracování alarmového signálu ALARM OUT: ", u"Accessories connectable to ALARM OUT output: "},
    {u"Modul výstupních relé: ", u"Output relays module: "},
    {u"Terminály s displejem: ", u"Terminals with display: "},
    {u"GSM modem s příslušenstvím: ", u"GSM modem and accessories: "},
    {u"Kryty, kabely a ostatní příslušenství: ", u"Covers, cables and other accessories: "},
    {u"Sestavy ve skříni s vyšším stupněm krytí: ", u"Assemblies in case with higher IP protection: "},
}};
// clang-format on

// Indexes, tags and variants come from the catalogue itself, so one outside
// the tables is a programming error. It stops a debug build; a release
// build answers with nothing (the "---" entry, empty texts, no price)
// rather than reading outside the tables.

const TModulArray &moduleAt(int index)
{
    Q_ASSERT_X(index >= 0 && index < ModuleCount, "moduleAt", "module index out of range");
    if (index < 0 || index >= ModuleCount)
        return ModuleTable[0];
    return ModuleTable[std::size_t(index)];
}

QString moduleDescription(int index, Language language)
{
    Q_ASSERT_X(index >= 0 && index < ModuleCount, "moduleDescription", "module index out of range");
    if (index < 0 || index >= ModuleCount)
        index = 0;
    return qs(language == Language::Czech ? ModuleDescriptionsCz[std::size_t(index)]
                                          : ModuleDescriptionsEn[std::size_t(index)]);
}

QString moduleCell(int index)
{
    return qs(moduleAt(index).Code).leftJustified(3);
}

bool isSeparator(int index)
{
    return moduleAt(index).Code == u"---";
}

int pickerItemFor(const QString &cell, Language language)
{
    const auto &texts = language == Language::Czech ? ModuleDescriptionsCz : ModuleDescriptionsEn;
    for (int i = 0; i < ModuleCount; ++i)
        if (QStringView(texts[std::size_t(i)]).contains(cell))
            return i;
    return 0;
}

const Accessory &accessory(int tag)
{
    static const Accessory none{};
    Q_ASSERT_X(tag >= 1 && tag <= AccessoryCount, "accessory", "accessory tag out of range");
    if (tag < 1 || tag > AccessoryCount)
        return none;
    return Accessories[std::size_t(tag - 1)];
}

static bool hasVariant(int tag, int variant)
{
    const bool exists = variant >= 0 && variant <= 2 && !accessory(tag).prices[std::size_t(variant)].empty();
    Q_ASSERT_X(exists, "accessory", "no such variant");
    return exists;
}

QString accessoryOrderCode(int tag, int variant)
{
    return hasVariant(tag, variant) ? qs(accessory(tag).orderCodes[std::size_t(variant)]) : QString();
}

QString accessoryPriceText(int tag, int variant)
{
    return hasVariant(tag, variant) ? qs(accessory(tag).prices[std::size_t(variant)]) : QString();
}

qint32 accessoryPrice(int tag, int variant)
{
    bool ok = false;
    const qint32 value = accessoryPriceText(tag, variant).toInt(&ok, 10);
    Q_ASSERT_X(ok || !hasVariant(tag, variant), "accessoryPrice", "a price that is not a number");
    return ok ? value : 0;
}

QString accessoryCaption(int tag, Language language)
{
    const Accessory &entry = accessory(tag);
    return qs(language == Language::Czech ? entry.captionCz : entry.captionEn);
}

QString sectionHeading(int section, Language language)
{
    Q_ASSERT_X(section >= 0 && section < AccessorySectionCount, "sectionHeading", "section out of range");
    if (section < 0 || section >= AccessorySectionCount)
        return {};
    const AccessorySection &entry = AccessorySections[std::size_t(section)];
    return qs(language == Language::Czech ? entry.headingCz : entry.headingEn);
}

QString variantItem(int tag, int item)
{
    if (!hasVariant(tag, item))
        return {};
    const std::u16string_view text = accessory(tag).list.items[std::size_t(item)];
    Q_ASSERT_X(!text.empty(), "variantItem", "an accessory without a variant list");
    return qs(text);
}

bool hasVariantList(int tag)
{
    return accessory(tag).variants == Variants::FromList;
}

int pictureOf(const Accessory &row, int variant)
{
    Q_ASSERT_X(variant >= 0 && variant <= 2, "pictureOf", "no such variant");
    if (row.variants != Variants::FromList || variant < 0 || variant > 2)
        return row.picture;
    return row.list.pictures[std::size_t(variant)];
}

qint32 modelBasePrice(Model model)
{
    switch (model) {
    case Model::TQ8: return 15990;
    case Model::TQ8R: return 18980;
    case Model::ZK222: return 23050;
    case Model::None: break;
    }
    return 0;
}

int modelPicture(Model model)
{
    switch (model) {
    case Model::TQ8: return 28;
    case Model::TQ8R: return 29;
    case Model::ZK222: return 27;
    case Model::None: break;
    }
    return 0;
}

QString modelOrderCode(Model model)
{
    switch (model) {
    case Model::TQ8: return QStringLiteral("TQ8");
    case Model::TQ8R: return QStringLiteral("TQ8R");
    case Model::ZK222: return QStringLiteral("ZK222");
    case Model::None: break;
    }
    return {};
}

QString priceText(qint32 price)
{
    return QString::number(price) + QStringLiteral(",-");
}

QString priceText(QStringView digits)
{
    return digits.toString() + QStringLiteral(",-");
}

} // namespace catalogue
