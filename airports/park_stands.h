#pragma once
// The stands of the park airport, as airport stand files describe them, and
// the traffic seen on each: a stand (ParkPosition) carries its position,
// size, kind and a list of traffic options (ParkOption), each one aircraft
// seen parked there on a weekday in some half hours.
//
// Units in memory: degrees for positions, radians for headings, nautical
// miles for radii; the files hold degrees, degrees and metres.
//
// parkPositions is filled by the stand-file reader (airports/park_airport_file.h),
// changed by the traffic manager while the airport is loaded, and emptied
// when the park airport is given up; worker thread only, no lock.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/half_hours.h"

// One aircraft seen parked on a stand: who, on which weekday, in which half
// hours. Options read from a stand file and options learned while the
// program runs (fromArchive false) live side by side.
struct ParkOption {
    std::string airline;         // airline code (the operator when the registration is known)
    std::string type;            // ICAO type code
    std::string registration;
    std::string callsign;        // first callsign
    std::string callsignSuffix;  // second callsign, the flight that pairs with the first; may be empty
    HalfHourSet timeSlots;       // the half hours of the day it stood there
    // 1, 2, 3 ... in the stand's order; 0: the option does not count (and is
    // never written to a file).
    std::uint32_t sequence = 0;
    std::int32_t day = 0;      // weekday 1 (Monday) to 7 (Sunday); 0 when the file gave none
    bool fromArchive = false;  // read from the park airport's stand file, not learned
    bool real = true;          // seen in real traffic; false for a soft (guessed) option
    // The static stand search found the option's aircraft there already
    // (parked, live or chosen for another stand): the option does not count
    // until the next static-parking calculation clears the mark. It is a
    // state of the calculation only: the option keeps its number and is
    // saved as any other.
    bool aircraftPresent = false;
    bool demo = false;         // demo traffic (PARK_FAKE) of this visit only: never saved
};

// The option counts for the stand searches: it has a number and its
// aircraft was not found present by the static stand search.
inline bool gf_optionCounts(const ParkOption& option) { return option.sequence != 0 && !option.aircraftPresent; }

// When a live aircraft last arrived on (or was recorded at) a stand: the
// time of week (weekday in the low 32 bits, half hour in the high 32 bits)
// and the number (sequence) of the option recorded for it.
struct StandArrival {
    std::uint64_t timeOfWeek = 0;
    std::uint32_t optionSequence = 0;
};

// One stand of an airport.
struct ParkPosition {
    ParkPosition() = default;
    // The radius in metres, as stand files and scenery give it.
    ParkPosition(std::string standName, std::vector<ParkOption> standOptions, double latitudeDeg,
                 double longitudeDeg, double headingRadians, double radiusMetres, bool isCargo, bool isRamp,
                 bool isHeli);

    std::vector<ParkOption> options;
    // Live aircraft id to its last real and soft recording on this stand;
    // the traffic manager's stand-option learning keeps them.
    std::unordered_map<std::uint32_t, StandArrival> realArrivals;
    std::unordered_map<std::uint32_t, StandArrival> softArrivals;
    std::string name;  // the stand's id in the file, unique within it
    // The stands whose circles overlap this one (close enough for two
    // aircraft to touch), by standId.
    std::vector<std::uint32_t> neighbourIds;
    double latDeg = 0.0;
    double lonDeg = 0.0;
    double headingRad = 0.0;
    double radiusNm = 0.0;
    std::uint32_t standId = 0;  // 1-based place in parkPositions; 0 means none
    bool manual = false;        // added by the user
    bool radiusChanged = false;  // the radius was changed (learned or by the user)
    bool cargoChanged = false;   // the cargo flag was changed
    // The add-on airport scan gave the stand another id, as its own was
    // taken already; never written to a file.
    bool idChanged = false;
    // State of the static-parking calculation, cleared before each one: the
    // stand is given to an aircraft, kept for the user, or next to a taken
    // stand.
    bool taken = false;
    bool reserved = false;
    bool neighbourTaken = false;
    bool liveOccupied = false;  // a live aircraft stands here; cleared when it leaves
    bool cargo = false;
    bool ramp = false;  // a ramp stand, not a gate
    bool heli = false;  // a helipad
};

// The name of the stand with that standId in parkPositions; "sid==0?" for
// id 0, "unknown" when no stand has the id. For log lines.
std::string gf_standName(std::uint32_t standId);
