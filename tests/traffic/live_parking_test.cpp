// Live aircraft on their stands: the arrival when the reports have stopped,
// the parked-time limit, the limit on parked aircraft (live and static
// together) and the removal of the longest parked.

#include <gtest/gtest.h>

#include "airports/airports_state.h"
#include "airports/park_stands.h"
#include "core/settings.h"
#include "records/clock.h"
#include "records/week_slot.h"
#include "traffic/stands/live_parking.h"
#include "traffic/stands/parked_time.h"
#include "traffic/support/stands.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"

namespace {

using test::latMetresNorth;
using test::loadStands;
using test::TrafficTest;

constexpr std::uint64_t kTicksPerMinute = 600'000'000;

class LiveParking : public TrafficTest {
protected:
    LiveParking() { loadStands({{.name = "A1"}}); }
    ~LiveParking() override {
        MainWindow::maxParkCount = 0;
        INITIAL_LOAD_ONLY.value = false;
    }

    // An active live aircraft parked on stand 1 for that long.
    static LiveAc& parkedFor(std::uint32_t id, std::uint64_t minutes, const std::string& type = "B738") {
        LiveAc& aircraft = makeAircraft({.id = id, .callsign = "C" + std::to_string(id), .type = type});
        aircraft.simState = SimState::Active;
        aircraft.objectId = id;
        aircraft.groundPhase = GroundPhase::Parked;
        aircraft.standId = 1;
        aircraft.parkedSince = gf_systemTicksNow() - minutes * kTicksPerMinute;
        return aircraft;
    }
    static ParkedAc& staticArrivedAt(std::uint32_t id, std::uint32_t weekday, std::uint32_t halfHour) {
        AcIdentity identity = buildAcIdentity(test::makeStrings("KLM", "B738", "S" + std::to_string(id) + "*"));
        identity.aircraftId = id;
        ParkedAc& record = parkedAircraft.emplace_back(identity, GeoPosition{47.0, 8.0}, 0.0, 1, false);
        record.simState = SimState::Active;
        record.objectId = id;
        record.arrivalSlot = gf_makeWeekSlot(weekday, halfHour);
        return record;
    }
    static std::size_t removedLive() {
        return static_cast<std::size_t>(std::count_if(liveAircraft.begin(), liveAircraft.end(), [](const LiveAc& a) {
            return a.simState == SimState::RemovingFromSim;
        }));
    }
};

TEST_F(LiveParking, AnAircraftWithoutReportsParksWithin2mOfItsStandElseTaxisAgain) {
    for (const double offM : {1.9, 2.5}) {
        SCOPED_TRACE(offM);
        liveAircraft.clear();
        coupledCheckQueue.clear();
        loadStands({{.name = "A1"}});
        LiveAc& aircraft = makeActiveAircraft({.registration = "PH-BXA", .altFt = 0.0},
                                              {{.latDeg = latMetresNorth(offM), .altFt = 0.0}});
        aircraft.groundPhase = GroundPhase::Parking;
        aircraft.standId = 1;
        aircraft.standLatDeg = 47.0;
        aircraft.standLonDeg = 8.0;
        currentWeekSlot = gf_makeWeekSlot(3, 20);
        lf_arriveAtStand(aircraft);
        const bool parks = offM < 2.0;
        EXPECT_EQ(aircraft.groundPhase, parks ? GroundPhase::Parked : GroundPhase::Taxi);
        EXPECT_EQ(aircraft.previousGroundPhase, GroundPhase::Parking);
        EXPECT_EQ(aircraft.arrivalSlot, parks ? gf_makeWeekSlot(3, 20) : 0U);
        EXPECT_EQ(coupledCheckQueue.size(), parks ? 1U : 0U);
        EXPECT_EQ(aircraft.reports.back().unmoved, parks);
        // Its arrival teaches the stand an option.
        EXPECT_EQ(parkPositions.front().options.size(), parks ? 1U : 0U);
    }
}

TEST_F(LiveParking, AnUnconfirmedAircraftParkedTooLongIsRemovedWhenTheListIsCollected) {
    LiveAc& heavy = parkedFor(0x100001, 179, "B77W");
    LiveAc& large = parkedFor(0x100002, 91);
    LiveAc& confirmed = parkedFor(0x100003, 500);
    confirmed.standConfirmed = true;
    LiveAc& recent = parkedFor(0x100004, 10);

    // A clock set back makes no aircraft parked for ages.
    LiveAc& ahead = parkedFor(0x100005, 0);
    ahead.parkedSince += 60 * kTicksPerMinute;

    INITIAL_LOAD_ONLY.value = true;
    gf_collectLiveParked();
    EXPECT_EQ(liveParkedList.size(), 5U);
    EXPECT_EQ(removedLive(), 0U);

    INITIAL_LOAD_ONLY.value = false;
    gf_collectLiveParked();
    EXPECT_EQ(large.simState, SimState::RemovingFromSim);
    EXPECT_EQ(heavy.simState, SimState::Active);
    std::vector<std::pair<std::string, std::int32_t>> listed;
    for (const LiveParkedEntry& entry : liveParkedList) {
        listed.emplace_back(entry.callsign, entry.minutesParked);
    }
    const std::vector<std::pair<std::string, std::int32_t>> expected = {
        {confirmed.identity.strings.callsign, 0},
        {ahead.identity.strings.callsign, 0},
        {recent.identity.strings.callsign, 10},
        {heavy.identity.strings.callsign, 179}};
    EXPECT_EQ(listed, expected);
}

TEST_F(LiveParking, TheParkedLimitRemovesTheLongestParkedLiveAndTheEarliestStaticAircraft) {
    struct Case {
        int wanted;
        int live;
        bool liveRemoved;
        bool staticRemoved;
    };
    for (const Case& c : {Case{10, 8, false, true}, Case{10, 11, true, true}, Case{10, 7, false, false},
                          Case{0, 11, false, false}}) {
        SCOPED_TRACE(::testing::Message() << c.wanted << " wanted, " << c.live << " live");
        liveAircraft.clear();
        parkedAircraft.clear();
        MainWindow::maxParkCount = c.wanted;
        for (int index = 0; index < c.live; ++index) {
            parkedFor(0x100000 + static_cast<std::uint32_t>(index), 20 + static_cast<std::uint64_t>(index));
        }
        staticArrivedAt(1, 3, 5);
        staticArrivedAt(2, 2, 40);  // earliest in the week
        staticArrivedAt(3, 3, 6);
        checkMaxPark(0);
        const ParkedAc& later = parkedAircraft[0];
        const ParkedAc& earliest = parkedAircraft[1];
        const ParkedAc& latest = parkedAircraft[2];
        EXPECT_EQ(removedLive(), c.liveRemoved ? 1U : 0U);
        if (c.liveRemoved) {
            EXPECT_EQ(liveAircraft.back().simState, SimState::RemovingFromSim);
        }
        EXPECT_EQ(earliest.simState, c.staticRemoved ? SimState::RemovingFromSim : SimState::Active);
        EXPECT_EQ(later.simState, SimState::Active);
        EXPECT_EQ(latest.simState, SimState::Active);
    }
}

TEST_F(LiveParking, RemovingMoreLiveParkedAircraftThanThereAreRemovesAllLongestFirst) {
    parkedFor(0x100001, 5);
    parkedFor(0x100002, 50);
    parkedFor(0x100003, 30);
    gf_removeLiveParked(2);
    EXPECT_EQ(liveAircraft[0].simState, SimState::Active);
    EXPECT_EQ(liveAircraft[1].simState, SimState::RemovingFromSim);
    EXPECT_EQ(liveAircraft[2].simState, SimState::RemovingFromSim);
    gf_removeLiveParked(5);
    EXPECT_EQ(removedLive(), 3U);
}

}  // namespace
