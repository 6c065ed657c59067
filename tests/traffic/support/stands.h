#pragma once
// Stands of a park airport for the traffic tests: each stand is made from a
// short description and numbered by its place, as the stand-file reader
// numbers them.

#include <cstdint>
#include <string>
#include <vector>

#include "airports/park_stands.h"
#include "traffic/aircraft_records.h"

namespace test {

struct StandSpec {
    std::string name;
    double latDeg = 47.0;
    double lonDeg = 8.0;
    double radiusM = 20.0;
    bool cargo = false;
    bool ramp = false;
    bool heli = false;
    std::vector<ParkOption> options = {};
};

// parkPositions := the stands, ids 1, 2, ... in their order.
void loadStands(const std::vector<StandSpec>& stands);

struct OptionSpec {
    std::string airline = "KLM";
    std::string type = "B738";
    std::string registration = "";
    std::string callsign = "";
    std::string callsignSuffix = "";
    std::int32_t day = 2;
    std::vector<std::size_t> halfHours = {};
    std::uint32_t sequence = 1;
    bool real = true;
    bool fromArchive = true;
};
ParkOption makeOption(const OptionSpec& spec);

// The latitude that far north of 47 degrees (one nm per minute of arc).
constexpr double latMetresNorth(double metres) { return 47.0 + metres / 1852.0 / 60.0; }

}  // namespace test
