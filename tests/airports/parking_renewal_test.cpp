// The renewal of the static parked aircraft: who stays, who goes, which new
// candidates come, and the live parked aircraft that count towards the
// wanted number.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

#include "airports/airports_state.h"
#include "airports/park_stands.h"
#include "airports/support/stand_file_fixture.h"
#include "core/format.h"
#include "core/settings.h"
#include "records/clock.h"
#include "traffic/aircraft_records.h"
#include "traffic/stands/live_parking.h"
#include "traffic/stands/parking_renewal.h"
#include "traffic/stands/static_parking.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::IsEmpty;

constexpr std::uint64_t kTuesday = 2;
constexpr std::uint64_t kHalfHourNow = 20;

std::uint64_t lf_timeOfWeek(std::uint64_t weekday, std::uint64_t halfHour) { return weekday | (halfHour << 32U); }

AcIdentity lf_identity(const std::string& airline, const std::string& callsign, const std::string& registration) {
    AcIdentity identity;
    identity.strings.airline = airline;
    identity.strings.type = "B738";
    identity.strings.callsign = callsign;
    identity.strings.registration = registration;
    return identity;
}

class ParkingRenewal : public test::StandFileTest {
protected:
    ParkingRenewal() {
        RANDOM.value = false;
        currentWeekSlot = lf_timeOfWeek(kTuesday, kHalfHourNow);
        for (std::uint32_t id = 1; id <= 10; ++id) {
            parkPositions.push_back(
                test::makeStand(fmtlib::format("S{}", id), 52.3 + 0.01 * static_cast<double>(id), 4.76, 30.0));
            parkPositions.back().standId = id;
        }
        parking_percentage.value = 20;  // 2 of the 10 stands
    }
    ~ParkingRenewal() override { RANDOM.value = RANDOM.defaultValue; }

    // An option of KLM<n> on the stand, seen halfHoursBack before now.
    static void addOption(std::uint32_t standId, int number, std::uint64_t halfHoursBack) {
        ParkOption option = test::makeOption(fmtlib::format("PH-{}", number), "KLM", "B738", kTuesday,
                                             {kHalfHourNow - halfHoursBack});
        option.callsign = fmtlib::format("KLM{}", number);
        parkPositions.at(standId - 1).options.push_back(option);
    }
    // A static aircraft KLM<n>* standing on the stand since the half hour.
    static ParkedAc& addStatic(std::uint32_t standId, int number, std::uint64_t arrivalHalfHour) {
        const ParkPosition& stand = parkPositions.at(standId - 1);
        parkedAircraft.emplace_back(
            lf_identity("KLM", fmtlib::format("KLM{}*", number), fmtlib::format("PH-{}", number)),
            GeoPosition{stand.latDeg, stand.lonDeg}, 0.0, standId, false);
        ParkedAc& aircraft = parkedAircraft.back();
        aircraft.simState = SimState::Active;
        aircraft.objectId = 100 + standId;
        aircraft.arrivalSlot = lf_timeOfWeek(kTuesday, arrivalHalfHour);
        return aircraft;
    }
    // A live aircraft parked on the stand for the minutes.
    static void addLiveParked(std::uint32_t standId, const std::string& callsign, int minutes) {
        liveAircraft.emplace_back(ReportBlock{}, lf_identity("DLH", callsign, ""), 0.0);
        LiveAc& aircraft = liveAircraft.back();
        aircraft.identity.aircraftId = 0x400000 + standId;
        aircraft.simState = SimState::Active;
        aircraft.objectId = 200 + standId;
        aircraft.groundPhase = GroundPhase::Parked;
        aircraft.standId = standId;
        const auto since = std::chrono::system_clock::now().time_since_epoch() - std::chrono::minutes(minutes);
        aircraft.parkedSince = static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>>(since).count());
    }
    static std::vector<std::uint32_t> candidateStands() {
        std::vector<std::uint32_t> stands;
        for (const ParkCandidate& candidate : parkCandidates) {
            stands.push_back(candidate.standId);
        }
        return stands;
    }
    static std::vector<std::uint32_t> keptStands() {
        std::vector<std::uint32_t> stands;
        for (const KeptParkedAc& kept : keptParked) {
            stands.push_back(kept.standId);
        }
        return stands;
    }
};

TEST_F(ParkingRenewal, TheProposedAircraftStaysWithoutANewCandidate) {
    addOption(1, 1, 0);
    addOption(2, 2, 0);
    addStatic(1, 1, kHalfHourNow - 4);

    gf_applyParkingAdjustments();

    EXPECT_THAT(keptStands(), ElementsAre(1U));
    EXPECT_THAT(candidateStands(), ElementsAre(2U));
    EXPECT_EQ(parkedAircraft.front().simState, SimState::Active);
    EXPECT_THAT(log.lines(), Contains("Parking adjustments: 0 to be removed, 1 to be added"));
}

TEST_F(ParkingRenewal, AnotherAircraftsCandidateWinsOnlyWhenItWasSeenAfterTheStaticOneArrived) {
    struct Case {
        std::uint64_t seenHalfHoursBack;  // the candidate's fit
        std::uint64_t arrival;
        bool staticStays;
    };
    const Case cases[] = {{3, kHalfHourNow - 1, true}, {0, kHalfHourNow - 1, false}, {2, kHalfHourNow - 2, true}};
    for (const Case& c : cases) {
        parkedAircraft.clear();
        for (ParkPosition& stand : parkPositions) {
            stand.options.clear();
        }
        addOption(1, 7, c.seenHalfHoursBack);
        addStatic(1, 1, c.arrival);

        gf_applyParkingAdjustments();

        EXPECT_EQ(parkedAircraft.front().simState, c.staticStays ? SimState::Active : SimState::RemovingFromSim)
            << "seen " << c.seenHalfHoursBack << " back";
        EXPECT_EQ(candidateStands(), c.staticStays ? std::vector<std::uint32_t>{} : std::vector<std::uint32_t>{1U});
    }
}

TEST_F(ParkingRenewal, ArrivalAndSightingAreComparedAcrossTheWeeksEnd) {
    // Now is Monday 00:30; Sunday's half hours lie before Monday's.
    constexpr std::uint64_t kMonday = 1;
    constexpr std::uint64_t kSunday = 7;
    currentWeekSlot = lf_timeOfWeek(kMonday, 1);
    struct Case {
        std::uint64_t seen;     // the other aircraft's option
        std::uint64_t arrival;  // the static aircraft's
        bool staticStays;
    };
    const Case cases[] = {
        {lf_timeOfWeek(kMonday, 0), lf_timeOfWeek(kSunday, 46), false},
        {lf_timeOfWeek(kSunday, 47), lf_timeOfWeek(kMonday, 0), true},
        {lf_timeOfWeek(kSunday, 47), lf_timeOfWeek(kSunday, 46), false},
        {lf_timeOfWeek(kSunday, 45), lf_timeOfWeek(kSunday, 46), true},
        {lf_timeOfWeek(kMonday, 0), lf_timeOfWeek(kMonday, 1), true},
    };
    for (const Case& c : cases) {
        parkedAircraft.clear();
        for (ParkPosition& stand : parkPositions) {
            stand.options.clear();
        }
        ParkOption other = test::makeOption("PH-7", "KLM", "B738", static_cast<std::int32_t>(c.seen & 0xFFU),
                                            {static_cast<std::size_t>(c.seen >> 32U)});
        other.callsign = "KLM7";
        parkPositions.front().options.push_back(other);
        addStatic(1, 1, 0).arrivalSlot = c.arrival;

        gf_applyParkingAdjustments();

        EXPECT_EQ(parkedAircraft.front().simState, c.staticStays ? SimState::Active : SimState::RemovingFromSim)
            << "seen [" << (c.seen & 0xFFU) << "," << (c.seen >> 32U) << "], arrived [" << (c.arrival & 0xFFU) << ","
            << (c.arrival >> 32U) << "]";
    }
}

TEST_F(ParkingRenewal, AStaticAircraftStaysWhileItsOptionFitsAndGoesWhenNoneDoes) {
    addOption(1, 1, 3);  // its own option, seen 3 half hours back
    addStatic(1, 1, kHalfHourNow - 3);
    addStatic(2, 2, kHalfHourNow - 6);  // no option of its own on its stand

    gf_applyParkingAdjustments();

    // The search took KLM1's option as candidate for stand 1, which the
    // aircraft itself is.
    EXPECT_THAT(keptStands(), ElementsAre(1U));
    EXPECT_EQ(parkedAircraft.at(0).simState, SimState::Active);
    EXPECT_EQ(parkedAircraft.at(1).simState, SimState::RemovingFromSim);
    EXPECT_THAT(staticRemovals, IsEmpty());  // applied
}

TEST_F(ParkingRenewal, LiveParkedAircraftBeyondTheWantedCountGoLongestParkedFirst) {
    addLiveParked(1, "DLH1", 10);
    addLiveParked(2, "DLH2", 80);
    addLiveParked(3, "DLH3", 40);
    addOption(4, 4, 0);

    gf_applyParkingAdjustments();

    EXPECT_EQ(liveAircraft.at(0).simState, SimState::Active);
    EXPECT_EQ(liveAircraft.at(1).simState, SimState::RemovingFromSim);
    EXPECT_EQ(liveAircraft.at(2).simState, SimState::Active);
    EXPECT_THAT(candidateStands(), IsEmpty());
    EXPECT_THAT(log.lines(), Contains("Parking adjustments: 1 more live ac than wanted"));
}

TEST_F(ParkingRenewal, TrimmingTakesCandidatesFirstThenKeptStaticThenLiveParked) {
    parkCandidates.assign(2, ParkCandidate{});
    keptParked.assign(2, KeptParkedAc{});
    keptParked[0].standId = 5;
    keptParked[1].standId = 6;
    addLiveParked(3, "DLH3", 10);
    liveParkedList = {LiveParkedEntry{"DLH3", 3, 10}};

    trimParkingSelection(2);
    EXPECT_THAT(parkCandidates, IsEmpty());
    EXPECT_THAT(keptStands(), ElementsAre(5U));
    ASSERT_EQ(staticRemovals.size(), 1U);
    EXPECT_EQ(staticRemovals.front().standId, 6U);

    trimParkingSelection(0);
    EXPECT_THAT(keptParked, IsEmpty());
    EXPECT_EQ(staticRemovals.back().standId, 5U);
    EXPECT_THAT(liveParkedList, IsEmpty());
    EXPECT_EQ(liveAircraft.front().simState, SimState::RemovingFromSim);
}

}  // namespace
