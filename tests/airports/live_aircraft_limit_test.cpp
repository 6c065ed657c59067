// The live-aircraft limit: the farthest aircraft from the user make way.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "airports/support/stand_file_fixture.h"
#include "core/settings.h"
#include "traffic/aircraft_records.h"
#include "traffic/farthest_active.h"
#include "traffic/lifecycle/live_aircraft_limit.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/traffic_state.h"

namespace {

// One nautical mile is one minute of latitude.
constexpr double kDegreesPerNm = 1.0 / 60.0;

class LiveAircraftLimit : public test::StandFileTest {
protected:
    LiveAircraftLimit() {
        runUserAcData.latitudeDeg = 50.0;
        runUserAcData.longitudeDeg = 8.0;
        for (const double nm : {1.0, 9.0, 5.0}) {
            liveAircraft.emplace_back(ReportBlock{}, AcIdentity{}, 0.0);
            LiveAc& aircraft = liveAircraft.back();
            aircraft.identity.aircraftId = 0x400000 + static_cast<std::uint32_t>(liveAircraft.size());
            aircraft.objectId = 10 + static_cast<std::uint32_t>(liveAircraft.size());
            aircraft.simState = SimState::Active;
            aircraft.position.latitudeDeg = 50.0 + nm * kDegreesPerNm;
            aircraft.position.longitudeDeg = 8.0;
        }
    }
    static std::vector<SimState> states() {
        std::vector<SimState> result;
        for (const LiveAc& aircraft : liveAircraft) {
            result.push_back(aircraft.simState);
        }
        return result;
    }
};

TEST_F(LiveAircraftLimit, OnlyAnAircraftMoreThanATenthOfAMileFartherMakesWay) {
    EXPECT_TRUE(gf_removeFarthestAircraft(8.95));
    EXPECT_THAT(states(), testing::Each(SimState::Active));

    EXPECT_FALSE(gf_removeFarthestAircraft(4.0));
    EXPECT_THAT(states(), testing::ElementsAre(SimState::Active, SimState::RemovingFromSim, SimState::Active));
}

// The walk takes an aircraft only when it lies more than a tenth of a mile
// beyond the one taken before, so between aircraft closer than that the
// order of the list decides. The distances kept through a pass of the tick
// answer as the walk does.
TEST_F(LiveAircraftLimit, BetweenAircraftCloserThanATenthOfAMileTheOrderOfTheListDecides) {
    struct Case {
        const char* what;
        std::vector<double> nm;
        double beyondNm;
        int removed;  // -1: none
    };
    const Case cases[] = {
        {"each farther by more than the margin", {9.0, 9.2, 9.4}, 4.0, 2},
        {"the farthest within the margin of an earlier one", {9.08, 9.0, 9.16}, 4.0, 0},
        {"the farthest beyond the margin of an earlier one", {9.0, 9.08, 9.16}, 4.0, 2},
        {"none beyond the distance and its margin", {1.0, 2.0}, 1.95, -1},
        {"the first in any case, then only beyond its margin", {0.0, 0.05}, -1.0, 0},
    };
    for (const Case& c : cases) {
        for (const bool keptThroughAPass : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.what << (keptThroughAPass ? ", kept through a pass" : ""));
            liveAircraft.clear();
            for (const double nm : c.nm) {
                LiveAc& aircraft = liveAircraft.emplace_back(ReportBlock{}, AcIdentity{}, 0.0);
                aircraft.objectId = 10 + static_cast<std::uint32_t>(liveAircraft.size());
                aircraft.simState = SimState::Active;
                aircraft.position.latitudeDeg = 50.0 + nm * kDegreesPerNm;
                aircraft.position.longitudeDeg = 8.0;
            }
            std::optional<FarthestActiveKeeper> keeper;
            if (keptThroughAPass) {
                keeper.emplace();
            }
            EXPECT_EQ(gf_removeFarthestAircraft(c.beyondNm), c.removed < 0);
            std::vector<SimState> expected(c.nm.size(), SimState::Active);
            if (c.removed >= 0) {
                expected[static_cast<std::size_t>(c.removed)] = SimState::RemovingFromSim;
            }
            EXPECT_EQ(states(), expected);
        }
    }
}

TEST_F(LiveAircraftLimit, TrimmingRemovesTheFarthestUntilTheLimitHolds) {
    MAX_LIVE_SEL.value = 1;
    gf_trimToMaxLiveAircraft();
    EXPECT_THAT(states(), testing::ElementsAre(SimState::Active, SimState::RemovingFromSim, SimState::RemovingFromSim));
}

}  // namespace
