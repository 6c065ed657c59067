// The live-aircraft limit: the farthest aircraft from the user make way.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "airports/live_aircraft_limit.h"
#include "airports/support/stand_file_fixture.h"
#include "core/settings.h"
#include "traffic/aircraft_records.h"
#include "traffic/tick_driver.h"

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

TEST_F(LiveAircraftLimit, TrimmingRemovesTheFarthestUntilTheLimitHolds) {
    MAX_LIVE_SEL.value = 1;
    gf_trimToMaxLiveAircraft();
    EXPECT_THAT(states(), testing::ElementsAre(SimState::Active, SimState::RemovingFromSim, SimState::RemovingFromSim));
}

}  // namespace
