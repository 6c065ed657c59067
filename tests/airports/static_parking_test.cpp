// The static parking calculation: how many stands are wanted, and which
// stands and options fit the time of week, widening the fit half an hour
// at a time up to MAX_FIT, real options before soft ones.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/support/stand_file_fixture.h"
#include "core/format.h"
#include "core/settings.h"
#include "records/clock.h"
#include "simlink/parking_controls.h"
#include "simlink/simlink_state.h"
#include "traffic/stands/static_parking.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

constexpr std::int32_t kTuesday = 2;
constexpr std::size_t kHalfHourNow = 20;

class StaticParking : public test::StandFileTest {
protected:
    StaticParking() {
        RANDOM.value = false;
        currentWeekSlot = static_cast<std::uint64_t>(kTuesday) | (static_cast<std::uint64_t>(kHalfHourNow) << 32U);
    }
    ~StaticParking() override { RANDOM.value = RANDOM.defaultValue; }

    // count stands far apart (no neighbours), ids from 1.
    static void makeStands(std::size_t count) {
        parkPositions.clear();
        for (std::size_t index = 0; index < count; ++index) {
            parkPositions.push_back(
                test::makeStand(fmtlib::format("S{}", index + 1), 52.3 + 0.01 * static_cast<double>(index), 4.76, 30.0));
            parkPositions.back().standId = static_cast<std::uint32_t>(index + 1);
        }
    }
    // An option on the stand seen halfHoursBack before now, real or soft.
    static void addOption(std::size_t standIndex, std::size_t halfHoursBack, bool real = true,
                          std::int32_t day = kTuesday) {
        ParkOption option = test::makeOption(fmtlib::format("PH-{}", standIndex), "KLM", "B738", day,
                                             {kHalfHourNow - halfHoursBack});
        option.callsign = fmtlib::format("KLM{}", standIndex);
        option.real = real;
        parkPositions.at(standIndex).options.push_back(option);
    }
    static std::vector<std::pair<std::uint32_t, std::int32_t>> candidates() {
        std::vector<std::pair<std::uint32_t, std::int32_t>> result;
        for (const ParkCandidate& candidate : parkCandidates) {
            result.emplace_back(candidate.standId, candidate.fit);
        }
        return result;
    }
};

TEST_F(StaticParking, TheWantedCountIsAShareOfTheStandsWithinMaxParkSel) {
    struct Case {
        std::int32_t percentage;
        std::int32_t customPercentage;
        std::size_t stands;
        std::int32_t maxParkSel;
        std::int64_t wanted;
        std::int32_t shownPercent;
    };
    const Case cases[] = {
        {30, -1, 100, 500, 30, 30}, {30, -1, 3, 500, 1, 33},    {50, -1, 3, 500, 2, 67},
        {30, -1, 2000, 500, 500, 25}, {30, -1, 1, 500, 1, 100}, {30, -1, 0, 500, 1, 0},
        {30, 60, 10, 500, 6, 60},    {30, -1, 10, 0, 0, 30},    {30, -1, 100, 10, 10, 10},
    };
    for (const Case& c : cases) {
        parking_percentage.value = c.percentage;
        CUSTOM_PARKING_PERCENTAGE.value = c.customPercentage;
        MAX_PARK_SEL.value = c.maxParkSel;
        makeStands(c.stands);
        EXPECT_EQ(updateWantedParkedCount(), c.wanted) << c.percentage << "% of " << c.stands;
        EXPECT_EQ(MainWindow::maxParkCount, c.wanted);
        EXPECT_EQ(MainWindow::maxParkPercent, c.shownPercent) << c.percentage << "% of " << c.stands;
    }
}

TEST_F(StaticParking, TheFitWidensUntilTheWantedStandsAreFoundAndTheBestFitsComeLast) {
    makeStands(10);  // 30 % wanted: 3
    addOption(0, 0);
    addOption(1, 2);
    addOption(2, 0);
    addOption(3, 5);
    addOption(4, 0, true, kTuesday + 1);  // another day

    calculateStaticParking();

    EXPECT_THAT(candidates(), ElementsAre(std::pair{2U, 2}, std::pair{1U, 0}, std::pair{3U, 0}));
    EXPECT_EQ(realFit, 2);
    EXPECT_EQ(softFit, -1);
    EXPECT_TRUE(staticParkingBusy);
    EXPECT_THAT(log.lines(), Contains(HasSubstr("It is day 2 (Tue), 10.5 hours")));
    EXPECT_THAT(log.lines(),
                Contains("3 real positions found, Max fit=24 hours, day 2, hh:20 or 10.5 hrs, fit: 1.5 hour"));
    EXPECT_THAT(log.lines(), Contains("3 positions (30% vs wanted 30%, with Max fit=24 hours)"));
}

TEST_F(StaticParking, EnoughStandsAtTheCurrentHalfHourAreCutToTheWantedCount) {
    makeStands(10);
    for (std::size_t index = 0; index < 5; ++index) {
        addOption(index, 0);
    }
    addOption(5, 1);

    calculateStaticParking();

    // Without RANDOM the search's stand order decides.
    EXPECT_THAT(candidates(), ElementsAre(std::pair{1U, 0}, std::pair{2U, 0}, std::pair{3U, 0}));
    EXPECT_EQ(realFit, 0);
}

TEST_F(StaticParking, SoftOptionsFillUpWhenTheRealOnesFallShortWithinMaxFit) {
    makeStands(10);
    MAX_FIT.value = 0;  // the current half hour only
    addOption(0, 0);
    addOption(1, 1);         // too early for MAX_FIT 0
    addOption(2, 0, false);  // soft
    addOption(3, 0, false);

    calculateStaticParking();

    EXPECT_THAT(candidates(), ElementsAre(std::pair{1U, 0}, std::pair{3U, 0}, std::pair{4U, 0}));
    EXPECT_EQ(realFit, 1);  // MAX_FIT + 1: the real search fell short
    EXPECT_EQ(softFit, 0);
    EXPECT_TRUE(MainWindow::softStandsUsed);

    PARK_SOFT.value = false;
    calculateStaticParking();
    EXPECT_THAT(candidates(), ElementsAre(std::pair{1U, 0}));
    EXPECT_FALSE(MainWindow::softStandsUsed);
}

TEST_F(StaticParking, TheReservedStandAndNoWantedStandsGetNothing) {
    makeStands(10);
    addOption(0, 0);
    addOption(1, 0);
    reservedStandText = "S1";

    calculateStaticParking();
    EXPECT_THAT(candidates(), ElementsAre(std::pair{2U, 0}));
    EXPECT_TRUE(parkPositions[0].reserved);

    MAX_PARK_SEL.value = 0;
    calculateStaticParking();
    EXPECT_THAT(candidates(), IsEmpty());
    EXPECT_FALSE(staticParkingBusy);
    EXPECT_THAT(log.lines(), Contains("no parking positions found"));
}

}  // namespace
