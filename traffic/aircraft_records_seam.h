#pragma once
// Seam: the least of the traffic manager's aircraft records that livery
// matching and the flight-plan files need, until the traffic manager is
// built; its own records replace this file whole. Field names and order as
// the records will have them; the fields neither touches are left out.

#include <cstdint>
#include <string_view>

#include "liveries/aircraft_category.h"
#include "traffic/live_ac_strings.h"

struct AcIdentity {
    LiveAcStrings strings;
    std::uint32_t aircraftId = 0;
    AircraftCategory category = AircraftCategory::Large;
    // The chosen livery: a view into the livery catalogue, valid while the
    // catalogue lives; empty until a livery is matched.
    std::string_view liveryTitle;
    std::uint8_t cargo = 0;  // wants a cargo livery
    // Set by livery matching: the livery is one of the FSLTL package
    // ("FSLTL_" in its title).
    std::uint8_t reverseThrust = 0;
};

// One live aircraft of the traffic feed.
struct LiveAc {
    AcIdentity identity;
};

// One static parked aircraft.
struct ParkedAc {
    AcIdentity identity;
    std::uint32_t standId = 0;   // the stand it stands on; 0 = none
    std::uint8_t cargoStand = 0;  // that stand is a cargo stand
};
