// The searches by position within one pass over the live aircraft: the
// stand near a point found from the stands' cells is the one the walk over
// every stand finds, and the cells of the aircraft follow an aircraft that
// moves or grows within the pass.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "airports/airports_state.h"
#include "airports/park_stands.h"
#include "core/units.h"
#include "traffic/aircraft_by_position.h"
#include "traffic/movement/movement_internal.h"
#include "traffic/stands/stand_search.h"
#include "traffic/stands/stands_by_position.h"
#include "traffic/support/stands.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

using test::latMetresNorth;
using test::loadStands;
using test::makeOption;
using test::TrafficTest;

class CellsByPosition : public TrafficTest {};

TEST_F(CellsByPosition, TheStandNearAPointIsTheOneEveryStandWouldGive) {
    struct Case {
        const char* what;
        GeoPosition point;
        std::vector<test::StandSpec> stands;
        double radiusM;
        bool fallback;
        const char* expected;  // nullptr: none
    };
    // 0.0009 degree of longitude is about 68 m at 47 degrees north.
    const Case cases[] = {
        {"the nearest of several", {47.0, 8.0},
         {{.name = "far", .latDeg = latMetresNorth(40.0)}, {.name = "near", .latDeg = latMetresNorth(10.0)}}, 55.0,
         false, "near"},
        {"of two alike the first", {47.0, 8.0},
         {{.name = "east", .lonDeg = 8.0003}, {.name = "west", .lonDeg = 7.9997}}, 55.0, false, "east"},
        {"across a cell's edge", {47.0, 8.0},
         {{.name = "north", .latDeg = 47.0004}, {.name = "south", .latDeg = 46.9997}}, 55.0, false, "south"},
        {"the fallback's option beyond the radius", {47.0, 8.0},
         {{.name = "own", .latDeg = latMetresNorth(80.0), .options = {makeOption({.callsign = "KLM7"})}}}, 20.0,
         true, "own"},
        {"nothing within reach", {47.0, 8.0}, {{.name = "away", .lonDeg = 8.0009}}, 55.0, true, nullptr},
        {"by the date line", {47.0, 179.99999}, {{.name = "edge", .lonDeg = 179.99995}}, 55.0, false, "edge"},
    };
    LiveAc& aircraft = makeAircraft({.callsign = "KLM7"});
    for (const Case& c : cases) {
        for (const bool inPass : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (inPass ? ", within a pass" : ", outside"));
            loadStands(c.stands);
            std::optional<StandsByPositionKeeper> keeper;
            if (inPass) {
                keeper.emplace();
            }
            const auto stand = gf_findStandNearPoint(c.point, aircraft, c.radiusM / kMetresPerNm, c.fallback);
            EXPECT_EQ(stand == parkPositions.end() ? std::string{"none"} : stand->name,
                      c.expected == nullptr ? std::string{"none"} : std::string{c.expected});
        }
    }
}

TEST_F(CellsByPosition, ATaxiingAircraftSeesAnotherThatMovedOrGrewWithinThePass) {
    // Two B738 (half span 17.9 m) touch closer than 43 m.
    struct Case {
        const char* what;
        double otherNorthM;
        double otherHalfSpanM;  // 0: unchanged
        bool givesWay;
    };
    const Case cases[] = {
        {"stays away", 500.0, 0.0, false},
        {"comes close", 30.0, 0.0, true},
        {"comes near, too small to touch", 50.0, 0.0, false},
        {"comes near and is larger", 50.0, 40.0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        liveAircraft.clear();
        const auto taxiing = [](std::uint32_t id, double metresNorth) -> LiveAc& {
            LiveAc& aircraft =
                makeActiveAircraft({.id = id, .callsign = "KLM" + std::to_string(id), .altFt = 0.0},
                                   {{.latDeg = latMetresNorth(metresNorth), .altFt = 0.0, .groundSpeedKt = 10.0}});
            aircraft.objectId = id;
            return aircraft;
        };
        taxiing(0x400001, 0.0);
        taxiing(0x400002, 1000.0);
        const AircraftByPositionKeeper keeper;
        LiveAc& asking = liveAircraft[0];
        LiveAc& other = liveAircraft[1];
        EXPECT_TRUE(lf_extendStream(asking));  // nothing close: it holds
        other.position.latitudeDeg = latMetresNorth(c.otherNorthM);
        if (c.otherHalfSpanM != 0.0) {
            other.identity.halfSpanNm = c.otherHalfSpanM / kMetresPerNm;
        }
        gf_refreshAircraftByPosition(other);
        asking.holding = false;
        EXPECT_EQ(!lf_extendStream(asking), c.givesWay);
    }
}

}  // namespace
