// The traffic options that live aircraft teach their stands: real options at
// arrival and departure (extended over the stay, across midnight too),
// their keys, the stand file's own hours, soft options with their throttle,
// and the coupled callsigns found around the time of week.

#include <gtest/gtest.h>

#include <algorithm>

#include "airports/learned_airport_file.h"
#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "core/half_hours.h"
#include "core/settings.h"
#include "records/week_slot.h"
#include "traffic/stands/coupled_callsigns.h"
#include "traffic/stands/soft_stand_learning.h"
#include "traffic/stands/stand_fit.h"
#include "traffic/stands/stand_options.h"
#include "traffic/stands/stands_internal.h"
#include "traffic/stands/static_parking.h"
#include "traffic/stands/static_stand_search.h"
#include "traffic/support/stands.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

using test::loadStands;
using test::makeOption;
using test::TrafficTest;

class StandOptions : public TrafficTest {
protected:
    StandOptions() { loadStands({{.name = "A1"}}); }

    static std::vector<ParkOption>& options() { return parkPositions.front().options; }
    static std::string hours(const ParkOption& option) { return gf_bitset2hours(option.timeSlots); }
    static bool arrive(const LiveAc& aircraft, std::uint32_t weekday, std::uint32_t halfHour) {
        return lt_addStandOption(1, aircraft, gf_makeWeekSlot(weekday, halfHour), false);
    }
    static bool leave(const LiveAc& aircraft, std::uint32_t weekday, std::uint32_t halfHour) {
        return lt_addStandOption(1, aircraft, gf_makeWeekSlot(weekday, halfHour), true);
    }
};

TEST_F(StandOptions, AnAircraftLearnsUnderItsRegistrationElseItsCallsignElseNothing) {
    LiveAc& byCallsign = makeAircraft({.id = 0x4B1801, .callsign = "KLM1234_"});
    EXPECT_TRUE(arrive(byCallsign, 2, 20));
    LiveAc& byRegistration = makeAircraft({.id = 0x4B1802, .callsign = "KLC88", .registration = "PH-EXA"});
    EXPECT_TRUE(arrive(byRegistration, 2, 20));
    LiveAc nameless = byCallsign;
    nameless.identity.strings.callsign.clear();
    EXPECT_FALSE(arrive(nameless, 2, 20));
    EXPECT_FALSE(lt_addStandOption(9, byCallsign, gf_makeWeekSlot(2, 20), false));

    ASSERT_EQ(options().size(), 2U);
    EXPECT_EQ(options()[0].registration, "KLM1234");
    EXPECT_EQ(options()[0].callsign, "KLM1234");
    EXPECT_EQ(options()[0].airline, "KLM");
    // The database's record of the registration gives its operator and type.
    EXPECT_EQ(options()[1].registration, "PH-EXA");
    EXPECT_EQ(options()[1].airline, "KLC");
    EXPECT_EQ(options()[1].type, "A320");
    EXPECT_EQ(options()[1].sequence, 2U);
    EXPECT_FALSE(options()[1].fromArchive);
    EXPECT_TRUE(options()[1].real);
    EXPECT_EQ(learnedUpdateCount, 2U);
}

TEST_F(StandOptions, TheStayFromArrivalToDepartureIsOneOptionWhileWithinTheAircraftsWindow) {
    struct Case {
        const char* name;
        bool cargo;
        std::uint32_t leaveHalfHour;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"passenger 5 half hours", false, 25, {"20,21,22,23,24,25"}},
        {"passenger 6 half hours", false, 26, {"20", "26"}},
        {"cargo 11 half hours", true, 31, {"20,21,22,23,24,25,26,27,28,29,30,31"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        liveAircraft.clear();
        loadStands({{.name = "A1"}});
        LiveAc& aircraft = makeAircraft({.registration = "PH-BXA"});
        aircraft.identity.cargo = c.cargo;
        ASSERT_TRUE(arrive(aircraft, 3, 20));
        ASSERT_TRUE(leave(aircraft, 3, c.leaveHalfHour));
        std::vector<std::string> learned;
        for (const ParkOption& option : options()) {
            learned.push_back(hours(option));
        }
        EXPECT_EQ(learned, c.expected);
        EXPECT_TRUE(parkPositions.front().realArrivals.empty());
    }
}

TEST_F(StandOptions, AStayOverMidnightFromSundayToMondayIsSplitBetweenTheDays) {
    LiveAc& aircraft = makeAircraft({.registration = "PH-BXA"});
    ASSERT_TRUE(arrive(aircraft, 7, 46));
    ASSERT_TRUE(leave(aircraft, 1, 1));
    ASSERT_EQ(options().size(), 2U);
    EXPECT_EQ(options()[0].day, 7);
    EXPECT_EQ(hours(options()[0]), "46,47");
    EXPECT_EQ(options()[1].day, 1);
    EXPECT_EQ(hours(options()[1]), "0,1");
}

// While the aircraft stands, a static-parking search passes over the option
// of its arrival, as the aircraft is chosen for another stand already: the
// departure still extends that option over the whole stay.
TEST_F(StandOptions, TheStayIsExtendedAlsoWhenTheStaticSearchPassedItsOptionOver) {
    LiveAc& aircraft = makeAircraft({.registration = "PH-BXA"});
    ASSERT_TRUE(arrive(aircraft, 2, 20));
    ParkCandidate elsewhere;
    elsewhere.standId = 2;
    elsewhere.registration = "PH-BXA";
    parkCandidates.push_back(elsewhere);
    std::vector<ParkCandidate> found;
    lf_searchStands(gf_makeWeekSlot(2, 20), 1, 0, found);
    ASSERT_TRUE(found.empty());

    ASSERT_TRUE(leave(aircraft, 2, 24));

    ASSERT_EQ(options().size(), 1U);
    EXPECT_EQ(hours(options()[0]), "20,21,22,23,24");
    EXPECT_NE(options()[0].sequence, 0U);
}

TEST_F(StandOptions, ALearnedOptionNeverRepeatsTheNumberOfOneThatStoppedCounting) {
    options().push_back(makeOption({.registration = "D-AAAA", .day = 2, .halfHours = {5}, .sequence = 1}));
    options().push_back(makeOption({.registration = "D-AAAB", .day = 2, .halfHours = {5}, .sequence = 0}));
    LiveAc& aircraft = makeAircraft({.registration = "PH-BXA"});
    ASSERT_TRUE(arrive(aircraft, 2, 20));
    ASSERT_EQ(options().size(), 3U);
    EXPECT_EQ(options().back().sequence, 3U);
}

TEST_F(StandOptions, ASecondArrivalInTheSameHalfHourAddsNothingButCounts) {
    LiveAc& aircraft = makeAircraft({.registration = "PH-BXA"});
    ASSERT_TRUE(arrive(aircraft, 2, 20));
    EXPECT_TRUE(arrive(aircraft, 2, 20));
    EXPECT_EQ(options().size(), 1U);
    EXPECT_EQ(learnedUpdateCount, 2U);
}

TEST_F(StandOptions, TheStandFilesOwnHoursForTheAircraftTodayKeepItFromLearning) {
    LiveAc& aircraft = makeAircraft({.registration = "PH-BXA"});
    options().push_back(makeOption({.registration = "PH-BXA", .day = 2, .halfHours = {30, 31}}));
    EXPECT_FALSE(arrive(aircraft, 2, 20));
    EXPECT_TRUE(arrive(aircraft, 3, 20));
    EXPECT_EQ(options().size(), 2U);
    EXPECT_EQ(learnedUpdateCount, 1U);
}

TEST_F(StandOptions, AHalfHourOutsideTheDayIsLoggedAndLearnsNothing) {
    LiveAc& aircraft = makeAircraft({.registration = "PH-BXA"});
    ASSERT_TRUE(arrive(aircraft, 2, 20));
    EXPECT_FALSE(arrive(aircraft, 2, 48));
    EXPECT_EQ(options().size(), 1U);
    EXPECT_EQ(learnedUpdateCount, 1U);
    const std::vector<std::string> lines = logLines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.starts_with("===> lt_addStandOption: hh_now: 48, ");
    }));
}

class SoftStandLearning : public StandOptions {
protected:
    SoftStandLearning() {
        LEARN_SOFT.value = true;
        learnSoftAllowed = true;
        AirportRecord airport;
        airport.code = "EHAM";
        airport.lat = 47.0;
        airport.lon = 8.0;
        parkAirport.store(airport);
        loadStands({{.name = "G1"}, {.name = "G2", .latDeg = 47.001}});
    }
    ~SoftStandLearning() override { learnSoftAllowed = false; }

    // An aircraft at the park airport.
    static LiveAc& arriving(const std::string& registration) {
        LiveAc& aircraft = makeAircraft({.registration = registration});
        aircraft.position.latitudeDeg = 47.0;
        aircraft.position.longitudeDeg = 8.0;
        return aircraft;
    }

    static std::size_t softOptionCount() {
        std::size_t count = 0;
        for (const ParkPosition& stand : parkPositions) {
            count += static_cast<std::size_t>(std::count_if(stand.options.begin(), stand.options.end(),
                                                            [](const ParkOption& option) { return !option.real; }));
        }
        return count;
    }
};

TEST_F(SoftStandLearning, AnAircraftWithoutAStandGetsASoftOptionAtMostOncePer3HalfHours) {
    LiveAc& aircraft = arriving("PH-BXA");
    lf_learnSoftStand(aircraft, true);
    EXPECT_EQ(softOptionCount(), 1U);
    lf_learnSoftStand(aircraft, true);
    EXPECT_EQ(softOptionCount(), 1U);
    // Three half hours later it may learn again (the other stand, as the
    // first one now holds its own soft traffic).
    gf_setStandOptionSlot(aircraft.identity.aircraftId, (gf_halfHourOf(gf_timeOfWeekNow()) + 45) % 48);
    lf_learnSoftStand(aircraft, true);
    EXPECT_EQ(softOptionCount(), 2U);
}

TEST_F(SoftStandLearning, NothingIsLearnedForAnAircraftWithARealOptionWithinAHalfHourOrOffTheAirport) {
    const std::uint64_t now = gf_timeOfWeekNow();
    LiveAc& aircraft = arriving("PH-BXA");
    parkPositions[1].options.push_back(
        makeOption({.registration = "PH-BXA",
                    .day = static_cast<std::int32_t>(gf_weekdayOf(now)),
                    .halfHours = {(gf_halfHourOf(now) + 1) % 48}}));
    lf_learnSoftStand(aircraft, true);
    EXPECT_EQ(softOptionCount(), 0U);

    LiveAc other = aircraft;
    other.identity.strings.registration = "PH-EXA";
    other.identity.aircraftId = 0x4B1802;
    other.position.latitudeDeg = 47.2;
    lf_learnSoftStand(other, true);
    EXPECT_EQ(softOptionCount(), 0U);
    other.position.latitudeDeg = 47.0;
    LEARN_SOFT.value = false;
    lf_learnSoftStand(other, true);
    EXPECT_EQ(softOptionCount(), 0U);
    LEARN_SOFT.value = true;
    lf_learnSoftStand(other, true);
    EXPECT_EQ(softOptionCount(), 1U);
}

TEST_F(StandOptions, CoupledCallsignsComeFromAnOptionOfTheAirlineAroundTheTimeOfWeek) {
    struct Case {
        const char* callsign;
        std::uint32_t halfHour;
        const char* coupled;
    };
    for (const Case& c : {Case{"KLM2_", 20, "KLM2"}, Case{"KLM2", 21, ""}, Case{"KLM3", 20, "KLM4"},
                          Case{"KLM9", 10, ""}}) {
        SCOPED_TRACE(c.callsign);
        liveAircraft.clear();
        loadStands({{.name = "A1",
                     .options = {makeOption({.callsign = "KLM1", .callsignSuffix = "KLM2", .day = 2, .halfHours = {10}}),
                                 makeOption({.callsign = "KLM3",
                                             .callsignSuffix = "KLM4",
                                             .day = 2,
                                             .halfHours = {30},
                                             .sequence = 2})}}});
        LiveAc& aircraft = makeAircraft({.callsign = c.callsign});
        lf_searchForCoupledCsAroundThisTime(gf_makeWeekSlot(2, c.halfHour), aircraft);
        EXPECT_EQ(aircraft.identity.strings.coupledCallsign, c.coupled);
    }
}

}  // namespace
