#pragma once
// The airport stand file: one XML file per airport (<ICAO>.xml) with three
// top-level elements, in this order and without a common root:
//
//   <meta>            who wrote the file (core/meta_block.h)
//   <parameters>      <parameter name="..." value="..."/> per airport parameter
//   <parkpositions>   <parkpos id="..." .../> per stand, each with <opt .../>
//                     children: the traffic seen parked there
//
// One format serves four kinds of file: the archived stock files of the
// download server, the files the add-on airport scan generates, the learned
// files that keep what was learned at an airport (airports/learned_airport_file.h),
// and handmade files. Numbers: positions "{:.6f}" degrees, headings "{:.1f}"
// degrees, radii "{:.1f}" metres; booleans are read by their first
// character (1, t, T, y, Y is true; anything else or nothing is false).
//
// <parkpos> attributes, as the writer orders them: id (the stand's name),
// radius_change + radius and cargo_change + cargo (learned changes), latitude,
// longitude, heading, radius, heli="true" or cargo, ramp, manual="true".
// <opt> attributes: reg, airl and type (only when the registration is not in
// the aircraft database), soft="true", day (1..7), hh (comma list of half
// hours 0..47), cs (callsign, or callsign:suffix).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "airports/park_stands.h"

// Publishers with a meaning of their own: the archived stock files, the
// simulator maker's airports, and add-ons whose maker is not known (their
// files name the scenery file and the package's manufacturer and creator).
inline constexpr std::string_view kStockPublisher = "stock";
inline constexpr std::string_view kSimaddonPublisher = "simaddon";
inline constexpr std::string_view kUnknownPublisher = "unknown";

// The writer's two kinds of file. A generated file (the add-on airport scan)
// has full stands and no traffic; a learned file has the per-airport
// settings, and only the stands and options that were learned or changed
// (every stand in full when the park airport's learned file is handmade).
enum class AirportFileMode { learned = 0, generated = 1 };

// What a stand file says of its airport beside the stands; the writer's
// record and the reader's result.
struct AirportFileInfo {
    std::string icao;
    std::string airportName;   // "airport_name"
    std::string bglPath;       // "BGLpath": the scenery file it was generated from
    std::string publisher;     // "publisher": "simaddon", "unknown" or a publisher's name
    std::string manufacturer;  // "manufacturer" and "creator": from the add-on's manifest
    std::string creator;
    std::int32_t qfReal = 0;  // quality factors in percent, -1 unknown ("Qf_real", "Qf_soft")
    std::int32_t qfSoft = 0;
    std::int32_t altitudeFt = 0;  // "altitude"
};

// Writes the airport and its stands to path: the meta block, the
// parameters, the stands. The file is written whole or not at all (a new
// file replaces the old one only once it is complete). False when the meta
// block or the parameters cannot be added or the file cannot be written;
// never throws. In learned mode the setting copies are those of the current
// settings, and learnedFileHandmade (airports/park_stands.h) makes
// the file handmade.
bool gf_writeAirportFile(const AirportFileInfo& airport, const std::vector<ParkPosition>& stands,
                         const std::filesystem::path& path, AirportFileMode mode);

// Appends <parameters> for the airport with standCount stands to the
// document; false when the document has no room for it.
bool writeAirportParameters(pugi::xml_node document, const AirportFileInfo& airport, std::size_t standCount,
                            AirportFileMode mode);

// Reads one <parkpos> as the stand named id, with its options numbered 1, 2,
// 3 ... and marked fromArchive as asked, and appends it to stands. A stand at
// latitude 0 and longitude 0, or one whose position, heading or radius is no
// finite number or lies outside the world, is logged "skipped" and not
// appended (false). Missing numbers read as 0, missing booleans as false.
bool readParkpos(const pugi::xml_node& parkpos, const std::string& id, bool fromArchive,
                 std::vector<ParkPosition>& stands);

// Reads every <parkpos> of the <parkpositions> element with readParkpos,
// its id as the stand's name. An id met twice throws
// qrx::UserErrorException 94 "Parking position {} appears more than once?";
// the stands read before stay.
void readParkpositions(const pugi::xml_node& parkpositions, bool fromArchive, std::vector<ParkPosition>& stands);

// One <opt>: its registration, time slots, day and soft flag, its callsign
// and suffix (cs split at the first ":"), and the airline and type; when the
// registration is in the aircraft database, airline and type are the
// database's (its operator, when it has one, as the airline). The sequence
// and fromArchive are the caller's to set.
ParkOption parseParkOption(const pugi::xml_node& opt);

// The value of the named <parameter> of a stand-file document; empty when
// the file has no such parameter. A parameter without "value" reads as
// false, 0 or "". Booleans by their first character, integers as decimal
// text.
std::optional<bool> readBoolParameter(const pugi::xml_node& document, const std::string& name);
std::optional<std::int32_t> readIntParameter(const pugi::xml_node& document, const std::string& name);
std::optional<std::string> readStringParameter(const pugi::xml_node& document, const std::string& name);
