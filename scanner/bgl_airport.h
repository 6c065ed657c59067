#pragma once
// The stands of one airport record (id 0x56) of a BGL file
// (scanner/bgl_file.h): its parking places and helipads, read into a
// ScannedAirport. Word offsets from the start of each record:
//
// Airport record: w5 altitude in millimetres (i32), w10 the ICAO ident
// (lf_decodeIdentifierOrRegionCode), subrecords from w17 to the record's end.
//
// Helipad subrecord (0x26): w3 longitude, w4 latitude (encoded), w7 size in
// metres (f32); the stand's radius is half the size.
//
// Parking list subrecord (0xE7): u16 at byte +6 the number of entries, the
// first entry at w2; each entry is 14 words followed by its airline codes:
//   w0 bits 0-5 name code (parkingNamePrefix), bits 8-11 parking type,
//      bits 12-23 number (0 to 4095), bits 24-31 number of airline codes
//   w1 radius in metres (f32), w2 heading in degrees (f32),
//   w7 longitude, w8 latitude (encoded)
// Parking types: 1 to 4 and 14 general-aviation ramps, 5 cargo ramp, 6 and
// 7 military ramps, 8 to 10 and 15 gates, 11 dock; 0 (none), 12 (fuel) and
// 13 (vehicles) are no stands.
//
// Bad entries (radius, position, too many duplicates, bad or double
// helipads) are written to the scan log and skipped; the rest is read.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "core/great_circle.h"
#include "scanner/bgl_file.h"
#include "scanner/scanned_airport.h"

// Word of the airport record that holds its ICAO ident.
inline constexpr std::size_t kAirportIdentWord = 10;

// What the reader of one airport record keeps while it reads its stands;
// each airport record starts with a fresh one.
struct AirportReading {
    std::set<std::string> usedIds;  // the parking ids given so far
    bool duplicateFound = false;    // some parking id had to be changed
    int helipadCounter = 1;         // the number of the next helipad
    std::vector<GeoPosition> helipadPositions;  // of the helipads taken
};

// The altitude of the record's signed millimetres in feet, rounded (halves
// away from zero): -3000 mm give -10 ft, 4411000 mm (a plateau airport)
// 14472 ft.
std::int32_t bglAltitudeFt(std::int32_t millimetres);

// Fills the airport from the record at the word index (recordWords long):
// its altitude, its name from the airport names, its helipads and the first
// parking list. Throws std::out_of_range when a subrecord lies beyond the file.
void readAirportStands(std::size_t record, const BglWords& words, std::size_t recordWords, ScannedAirport& airport);

// One helipad subrecord: appends the stand "helipad<n>" unless its position
// is invalid or taken by an earlier helipad of the airport.
void readBglHelipad(std::size_t subrecord, const BglWords& words, ScannedAirport& airport, AirportReading& reading);

// One parking list: appends a stand per usable entry, in file order.
void readBglParkings(std::size_t subrecord, const BglWords& words, ScannedAirport& airport, AirportReading& reading,
                     const std::string& bglPath);

// Within each group of stands whose ids had to be changed (p12, p12a,
// p12b, ...), the largest stand by radius gets the plain id and the smaller
// ones the letters a to f in order of decreasing radius; equal radii keep
// file order. Clears every changed-id mark.
void renameDuplicateGroups(ScannedAirport& airport);
