#pragma once
// The aircraft database: which ICAO type designators exist and their size
// categories and wing spans, groups of similar types, corrections of wrong
// type codes, the ICAO airline codes, the scenery publishers with their
// archived airports, and what is known of each registration. Filled once at
// start-up by gf_readDbase (liveries/dbase_file.h) on the worker thread and
// read-only afterwards, without locks, from the worker, the scan threads and
// the simulator link. Sets and ordered maps compare bytes (case-sensitive).

#include <array>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "liveries/aircraft_category.h"
#include "liveries/code_maps.h"

// What the database knows of one registration.
struct RegcodeRecord {
    std::string airline;       // "airl": the ICAO airline code it flies under
    std::string type;          // "type": ICAO type designator
    std::string operatorCode;  // "opr": the operating carrier; may be empty
    bool cargo = false;        // "cargo": a freighter
};

// The archived add-on airports of one scenery publisher: each entry is an
// ICAO ident of four characters followed by a number ("EHAM212").
struct ThirdpartyEntry {
    std::string publisher;
    std::vector<std::string> airports;
};

// Ordered by bytes; looked up by std::string_view without a copy.
using CodeSet = std::set<std::string, std::less<>>;

struct DbaseTables {
    CodeSet knownAircraftTypes;
    // The size categories; a type in none of them is Light.
    CodeSet highPerformanceTypes;
    CodeSet heavyTypes;
    CodeSet largeTypes;
    CodeSet buzjetTypes;
    CodeSet rotorcraftTypes;
    CodeSet cargoTypes;  // required in the file, read by nothing
    std::vector<std::vector<std::string>> similarTypeGroups;  // each group ascending
    CodeSet icaoAirlines;
    CodeSet cargoOperators;  // required in the file, read by nothing
    std::vector<std::vector<std::string>> publisherGroups;  // the first name is the publisher's
    std::map<std::string, double, std::less<>> halfSpanByType;  // nautical miles
    // Average half span of the types of each category, nautical miles; 0.0
    // for a category without any span (meaning none).
    std::array<double, kAircraftCategoryCount> categoryHalfSpanNm{};
    double maxHalfSpanNm = 0.0;
    CodeMap<std::string> typeFixes;  // wrong type code -> correct one
    CodeSet simaddonAirports20;
    std::vector<ThirdpartyEntry> thirdpartyAirports20;
    std::vector<ThirdpartyEntry> thirdpartyAirports24;
    CodeMap<RegcodeRecord> regcodeTable;
    // The keys of regcodeTable shorter than 6 characters, in the table's
    // iteration order: what gf_findShortRegcodeInText searches.
    std::vector<std::string> shortRegcodes;
};

// The first of Large, Heavy, Buzjets, Rotorcraft, HighPerf whose set holds
// the type; Light for any other type and for "".
AircraftCategory gf_getAircraftCategory(std::string_view type);

bool gf_isKnownAircraftType(std::string_view type);  // false for ""
bool gf_isKnownAirline(std::string_view code);       // false for ""

// The type's half span in nautical miles, else the average of its category
// (0.0 when the category has none).
double gf_getHalfWingspanNm(std::string_view type);

// The forms under which a registration may stand in the database, in the
// order tried: PHBXA gives PH-BXA, P-HBXA, PHBXA; a registration shorter
// than 5 characters, beginning with 'N' or holding a '-' gives itself only.
std::vector<std::string> gf_buildRegcodeCandidates(std::string_view registration);

// The record of the first candidate form that the database holds; none for
// "" and for an unknown registration.
std::optional<RegcodeRecord> gf_lookupRegcode(std::string_view registration);
std::string gf_getRegcodeAirline(std::string_view registration);   // "" when unknown
std::string gf_getRegcodeOperator(std::string_view registration);  // "" when unknown

// The first registration of fewer than 6 characters (in the table's order)
// that occurs in the text, case-sensitive.
std::optional<std::string> gf_findShortRegcodeInText(std::string_view text);

// The publisher whose group has a name occurring in the path, letters
// compared without case; "unknown" when none does.
std::string gf_findPublisher(std::string_view path);

// One airport entry of a publisher: false when it does not begin with the
// ICAO ident (prefix). Otherwise true, and the decimal number after the four
// characters of the ident goes into number; when there is none, or it does
// not fit, number keeps its value and "{context} {prefix} {entry} invalid
// number" is logged.
bool gf_parsePrefixedNumber(std::string_view context, std::string_view prefix, int& number,
                            std::string_view entry);
