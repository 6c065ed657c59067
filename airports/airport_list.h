#pragma once
// The airports of the simulator's world, from the list file that ships with
// the program (input/airports_msfs.xml), and their names
// (input/airports_msfs_names.xml): which airport the user stands at, how an
// airport is labelled in messages, and which known code a file name or an
// add-on's path carries.
//
// The worker thread fills both containers before the add-on airport scan
// starts its threads; from then on they are only read, by any thread,
// without a lock.

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

#include "core/great_circle.h"

struct AirportRecord {
    std::string code;  // ICAO code; empty for no airport
    std::string iata;  // IATA code; empty when it has none
    double lat = 0.0;  // degrees, north positive
    double lon = 0.0;  // degrees, east positive
    double alt = 0.0;  // elevation, feet
};

// Reads input/<fileName> into airportList (once per program) and logs
// "{} airports read from '{}'". A bad airport element is logged and skipped.
// Throws qrx::UserErrorException 88 when the file cannot be read or has no
// "airports" element. True when the list holds an airport.
bool gf_readAirports(const std::filesystem::path& fileName);

// Appends the airport of one "airport" element whose code was taken already;
// logs and skips one without "lat", "lon" or "alt" or with a coordinate
// that holds no number.
void readAirportElement(const pugi::xml_node& airportElement, const std::string& code);

// Fills airportNames from input/airports_msfs_names.xml; a missing or
// unreadable file leaves it empty, with a log line.
void gf_readAirportNames();

// The airport with that ICAO code; null when there is none or while the
// list is not read completely. Any thread.
const AirportRecord* gf_findAirportByCode(std::string_view code);

// "EHAM (AMS)", "EDXW" without an IATA code, "? (AMS)" without an ICAO code.
std::string gf_iataSuffix(const AirportRecord& record);

// The airport the position (degrees) lies at: the nearest one within 5.0 nm,
// or, when the next nearest airport (wherever it stands in the list) is also
// within 5.0 nm and one of its stands is nearer than every stand of the
// nearest airport, that neighbour. Null when no airport is within 5.0 nm.
const AirportRecord* findClosestAirport(const GeoPosition& position);

// The shortest known code that begins the text's first four characters,
// upper-cased ("ehamxyz" gives EHAM); empty when none does. An airport
// without a code matches no text.
std::string gf_matchAirportCode(std::string_view text);

// The record's code stands between two dashes in the text: "-EHAM-", or its
// lower-case form "-eham-". Never for an airport without a code.
bool gf_containsDashedCode(std::string_view text, const AirportRecord& record);
