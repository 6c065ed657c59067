#include "scanner/bgl_airport.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include <gsl/narrow>

#include "airports/airport_list.h"
#include "airports/airports_state.h"
#include "core/format.h"
#include "core/units.h"
#include "scanner/scan_log.h"

namespace {

// Offsets in words from the start of the airport record, a helipad and a
// parking entry.
constexpr std::size_t kAirportAltitudeWord = 5;
constexpr std::size_t kAirportFirstSubrecordWord = 17;
constexpr std::size_t kHelipadLongitudeWord = 3;
constexpr std::size_t kHelipadLatitudeWord = 4;
constexpr std::size_t kHelipadSizeWord = 7;
constexpr std::size_t kParkingCountWord = 1;  // its upper half, byte +6
constexpr std::size_t kParkingFirstEntryWord = 2;
constexpr std::size_t kEntryRadiusWord = 1;
constexpr std::size_t kEntryHeadingWord = 2;
constexpr std::size_t kEntryLongitudeWord = 7;
constexpr std::size_t kEntryLatitudeWord = 8;
constexpr std::size_t kEntryFixedWords = 14;  // before the airline codes

constexpr double kFeetPerMillimetre = 3.2808399 / 1000.0;
// A heading of exactly 0 is stored as a full turn: stand files keep 0 for
// "no heading".
constexpr double kFullTurnRad = 6.283185307179586;
// Radii of parking places outside (1 m, 200 m) are no real stands.
constexpr double kSmallestRadiusM = 1.0;
constexpr double kLargestRadiusM = 200.0;
// Two helipads closer than this (degrees) in both coordinates are one.
constexpr double kSameHelipadDeg = 1e-8;
// The letters of the second and later stands of one id.
constexpr std::string_view kDuplicateLetters = "abcdef";

enum ParkingType : std::uint32_t {
    none = 0,
    rampCargo = 5,
    gateSmall = 8,
    gateMedium = 9,
    gateHeavy = 10,
    dock = 11,
    fuel = 12,
    vehicles = 13,
    rampGaExtra = 14,
    gateExtra = 15,
};

struct ParkingEntry {
    std::uint32_t nameCode = 0;
    std::uint32_t type = 0;
    std::uint32_t number = 0;
    std::uint32_t airlineCodeCount = 0;
};

ParkingEntry lf_parkingEntry(std::uint32_t first) {
    return {first & 0x3FU, first >> 8 & 0xFU, first >> 12 & 0xFFFU, first >> 24};
}

bool lf_isStandType(std::uint32_t type) { return type != none && type != fuel && type != vehicles; }

bool lf_isRampType(std::uint32_t type) {
    return type != gateSmall && type != gateMedium && type != gateHeavy && type != dock && type != gateExtra;
}

std::string lf_formatPosition(const GeoPosition& position) {
    return fmtlib::format("{:.6f},{:.6f}", position.latDeg, position.lonDeg);
}

// The id, or the first of id + "a" ... id + "f" not given yet; taken into
// the used ids. Empty when all seven are given.
std::string lf_takeUniqueId(const std::string& id, AirportReading& reading) {
    if (reading.usedIds.insert(id).second) {
        return id;
    }
    reading.duplicateFound = true;
    for (const char letter : kDuplicateLetters) {
        std::string candidate = id + letter;
        if (reading.usedIds.insert(candidate).second) {
            return candidate;
        }
    }
    return {};
}

// One parking entry at the word index.
void lf_readParkingEntry(std::size_t entry, const BglWords& words, const ParkingEntry& fields,
                         ScannedAirport& airport, AirportReading& reading, const std::string& bglPath) {
    const double radiusM = bglFloatWord(words, entry + kEntryRadiusWord);
    if (!(radiusM > kSmallestRadiusM && radiusM < kLargestRadiusM)) {
        addScanLogLine(fmtlib::format("Skipped position with radius {:.1F} m in {}", radiusM, bglPath));
        return;
    }
    const std::string id = parkingNamePrefix(fields.nameCode) + std::to_string(fields.number);
    if (!lf_isStandType(fields.type)) {
        return;
    }
    const GeoPosition position{bglLatitude(bglWord(words, entry + kEntryLatitudeWord)),
                               bglLongitude(bglWord(words, entry + kEntryLongitudeWord))};
    if (!isValidBglPosition(position.latDeg, position.lonDeg)) {
        addScanLogLine(fmtlib::format("LatLon {} invalid (skipped)", lf_formatPosition(position)));
        return;
    }
    // A heading that is no number would reach the stand file as "nan".
    const double headingDeg = bglFloatWord(words, entry + kEntryHeadingWord);
    if (!std::isfinite(headingDeg)) {
        addScanLogLine(fmtlib::format("Skipped position with heading {:.1F} in {}", headingDeg, bglPath));
        return;
    }
    std::string uniqueId = lf_takeUniqueId(id, reading);
    if (uniqueId.empty()) {
        addScanLogLine(fmtlib::format("{}Warning: more than 6 duplicate IDs {} in {}", "===> ", id, bglPath));
        return;
    }
    const double headingRad = headingDeg != 0.0 ? headingDeg * kRadiansPerDegree : kFullTurnRad;
    ParkPosition& stand =
        airport.stands.emplace_back(std::move(uniqueId), std::vector<ParkOption>(), position.latDeg, position.lonDeg,
                                    headingRad, radiusM, fields.type == rampCargo, lf_isRampType(fields.type), false);
    stand.idChanged = stand.name != id;
}

// The stand ids of a group of duplicates: the base alone or followed by one
// of the duplicate letters.
bool lf_isInGroup(std::string_view name, std::string_view base) {
    return name.starts_with(base) && (name.size() == base.size() || (name.size() == base.size() + 1 &&
                                                                     kDuplicateLetters.find(name.back()) !=
                                                                         std::string_view::npos));
}

}  // namespace

std::int32_t bglAltitudeFt(std::int32_t millimetres) {
    // Every signed word of millimetres is a height in feet that fits: high
    // and low airports keep their real elevation, which decides who stands
    // on the ground there.
    return gsl::narrow<std::int32_t>(std::round(millimetres * kFeetPerMillimetre));
}

void readAirportStands(std::size_t record, const BglWords& words, std::size_t recordWords, ScannedAirport& airport) {
    airport.altitudeFt = bglAltitudeFt(bglSignedWord(words, record + kAirportAltitudeWord));
    const auto name = airportNames.find(airport.icao);
    airport.airportName = name != airportNames.end() ? name->second : std::string();
    AirportReading reading;
    const std::size_t end = record + recordWords;
    for (std::size_t subrecord = record + kAirportFirstSubrecordWord; subrecord < end;) {
        const BglRecordHeader header = bglRecordHeader(words, subrecord);
        if (header.is(BglRecordId::helipad)) {
            readBglHelipad(subrecord, words, airport, reading);
        } else if (header.is(BglRecordId::parkingList)) {
            readBglParkings(subrecord, words, airport, reading, airport.bglPath);
            if (reading.duplicateFound) {
                renameDuplicateGroups(airport);
            }
            return;  // a second parking list of the record is never read
        }
        // Every other subrecord (names, runways, starts, frequencies,
        // taxiways, aprons, lights, ...) is passed over by its size.
        if (header.sizeWords() == 0) {
            return;  // a size below 4 bytes: no subrecord, and no way on
        }
        subrecord += header.sizeWords();
    }
}

void readBglHelipad(std::size_t subrecord, const BglWords& words, ScannedAirport& airport, AirportReading& reading) {
    const double sizeM = bglFloatWord(words, subrecord + kHelipadSizeWord);
    if (!std::isfinite(sizeM)) {  // it would reach the stand file as "nan"
        addScanLogLine(fmtlib::format("Skipped helipad with size {:.1F} m in {}", sizeM, airport.bglPath));
        return;
    }
    const GeoPosition position{bglLatitude(bglWord(words, subrecord + kHelipadLatitudeWord)),
                               bglLongitude(bglWord(words, subrecord + kHelipadLongitudeWord))};
    if (!isValidBglPosition(position.latDeg, position.lonDeg)) {
        addScanLogLine("lat/lon helipad incorrect (skipped): " + lf_formatPosition(position));
        return;
    }
    const bool taken = std::ranges::any_of(reading.helipadPositions, [&position](const GeoPosition& other) {
        return std::abs(other.latDeg - position.latDeg) < kSameHelipadDeg &&
               std::abs(other.lonDeg - position.lonDeg) < kSameHelipadDeg;
    });
    if (taken) {
        addScanLogLine("double helipad " + airport.airportName + " (skipped) " + lf_formatPosition(position));
        return;
    }
    reading.helipadPositions.push_back(position);
    airport.stands.emplace_back(fmtlib::format("helipad{}", reading.helipadCounter), std::vector<ParkOption>(),
                                position.latDeg, position.lonDeg, 0.0, sizeM * 0.5, false, false, true);
    ++reading.helipadCounter;
}

void readBglParkings(std::size_t subrecord, const BglWords& words, ScannedAirport& airport, AirportReading& reading,
                     const std::string& bglPath) {
    const std::uint32_t count = bglWord(words, subrecord + kParkingCountWord) >> 16;
    std::size_t entry = subrecord + kParkingFirstEntryWord;
    for (std::uint32_t index = 0; index < count; ++index) {
        const ParkingEntry fields = lf_parkingEntry(bglWord(words, entry));
        lf_readParkingEntry(entry, words, fields, airport, reading, bglPath);
        entry += kEntryFixedWords + fields.airlineCodeCount;
    }
}

void renameDuplicateGroups(ScannedAirport& airport) {
    std::vector<ParkPosition>& stands = airport.stands;
    for (auto marked = std::ranges::find_if(stands, &ParkPosition::idChanged); marked != stands.end();
         marked = std::ranges::find_if(stands, &ParkPosition::idChanged)) {
        marked->idChanged = false;
        const std::string base = marked->name.substr(0, marked->name.size() - 1);
        std::vector<ParkPosition*> group;
        for (ParkPosition& stand : stands) {
            if (lf_isInGroup(stand.name, base)) {
                stand.idChanged = false;
                group.push_back(&stand);
            }
        }
        // Largest first; a stable sort keeps the file order of equal radii.
        // The radii are compared in metres, as the stands were given.
        std::ranges::stable_sort(group, std::ranges::greater(),
                                 [](const ParkPosition* stand) { return stand->radiusNm * kMetresPerNm; });
        for (std::size_t place = 0; place < group.size(); ++place) {
            group[place]->name = place == 0 ? base : base + kDuplicateLetters[place - 1];
        }
    }
}
