#pragma once
// The line readers of aircraft.cfg files: each looks at one line and gives
// what it holds for one key. They are the building blocks of the section
// reader (liveries/aircraft_cfg.h) and have its "lf_" names; they are shared
// with its IVAO variant and tested on their own.
//
// A key line has the shape "key = value": the key, without regard to case,
// after any white space; '='; a value of at least one visible character,
// which loses the white space around it. This is what the pattern
//     \s*(key)\s*=\s*(.*\S)\s*
// (ECMAScript, case-insensitive, matched against the whole line) accepts,
// its second group being the raw value. It is matched by hand, in one pass
// over the line: a regular expression backtracks over a long run of blanks
// and recurses once per character, so a hostile line could hang a scan
// thread or overflow its stack. White space is blank, tab, line feed,
// vertical tab, form feed and carriage return; a line end inside the value
// (a lone CR) makes the line no key line, as '.' matches no line end.
// Most readers then take the value through gf_unquote: the text between its
// first two double quotes, so a trailing "; comment" goes.

#include <optional>
#include <string>
#include <string_view>

// The raw value of the key's line; nothing when the line is no such line.
std::optional<std::string_view> gf_cfgKeyValue(std::string_view line, std::string_view key);

// The unquoted value of a title, texture or atc_parking_types line, when it
// is not empty.
std::optional<std::string> lf_readTitle(std::string_view line);
std::optional<std::string> lf_readTexture(std::string_view line);
std::optional<std::string> lf_readParkingTypes(std::string_view line);
// The unquoted value of an atc_id line when it has 5 characters or more.
std::optional<std::string> lf_readAtcId(std::string_view line);
// For an icao_airline line: "ZZZ" (no airline) when the unquoted value is
// empty or "ZZZZ", else the value upper-cased. Nothing for another line.
std::optional<std::string> lf_readIcaoAirline(std::string_view line);
// The first 4 characters, upper-cased, of an icao_type_designator line's
// unquoted value; "" for another line.
std::string lf_readTypeDesignator(std::string_view line);
// The ICAO type of a stock aircraft named by a base_container line, whose
// value is a folder next to the package's ("..\Asobo_A320_NEO"): the value
// without its first 3 characters, looked up in stockAircraftTypes; the type
// upper-cased, or "" (also for a value of fewer than 4 characters).
std::string lf_stockTypeFromBaseContainer(std::string_view line);
// The number of a section header "[fltsim.N]" (any case, white space
// around): its digits. "10000" for another line that holds "[fltsim." or
// "[FLTSIM." (a header with a comment, "[fltsim.x]"); "" for a line that
// begins with "//" and for every other line.
std::string lf_readFltSimNumber(std::string_view line);
// Whether the line holds the key anywhere, exactly so (also in a comment).
bool lf_hasAtcIdKey(std::string_view line);          // "atc_id="
bool lf_hasParkingTypesKey(std::string_view line);   // "atc_parking_types"
