// Report intake: the filters that drop reports adding nothing or impossible
// ones, the admission of new aircraft, and identity changes of known ones.

#include <gtest/gtest.h>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "core/settings.h"
#include "traffic/aircraft_records.h"
#include "traffic/intake/report_intake.h"
#include "traffic/lifecycle/livery_bookkeeping.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

using test::ReportSpec;
using test::TrafficTest;

using ReportIntake = TrafficTest;

// Whether the second report was taken after the first made the aircraft:
// a buffered aircraft takes the callsign of every report taken.
bool lf_taken(const ReportSpec& first, ReportSpec second, std::int32_t extensionCount = 0) {
    LiveAc& aircraft = TrafficTest::makeAircraft(first);
    aircraft.extensionCount = extensionCount;
    second.callsign = "TAKEN1";
    TrafficTest::accept(second);
    const bool taken = aircraft.identity.strings.callsign == "TAKEN1";
    liveAircraft.clear();
    return taken;
}

TEST_F(ReportIntake, RepeatedAndImpossibleReportsAreDropped) {
    struct Case {
        const char* what;
        ReportSpec first, second;
        bool taken;
        std::int32_t extensionCount = 0;
    };
    const ReportSpec air{.groundSpeedKt = 240.0, .trackDeg = 90.0, .feedTimeS = 1000.0};
    const auto later = [](ReportSpec spec, double seconds) {
        spec.feedTimeS += seconds;
        return spec;
    };
    const auto with = [](ReportSpec spec, double speedKt, double trackDeg, double altFt) {
        spec.groundSpeedKt = speedKt;
        spec.trackDeg = trackDeg;
        spec.altFt = altFt;
        return spec;
    };
    const ReportSpec taxi = with(air, 10.0, 90.0, 0.0);
    const ReportSpec standing = with(air, 0.0, 90.0, 0.0);
    const std::vector<Case> cases{
        {"the same feed time", air, air, false},
        {"1.0 s later", air, later(with(air, 240.0, 95.0, 20000.0), 1.0), false},
        {"1.01 s later", air, later(with(air, 240.0, 95.0, 20000.0), 1.01), true},
        {"6 kt after 60 kt", with(air, 60.0, 90, 0), later(with(air, 6.0, 180, 0), 30), false},
        {"60 kt after 6 kt", with(air, 6.0, 90, 0), later(with(air, 60.0, 180, 0), 30), false},
        {"4 kt after 79 kt", with(air, 79.0, 90, 0), later(with(air, 4.0, 180, 0), 30), true},
        {"4 kt after 80 kt", with(air, 80.0, 90, 0), later(with(air, 4.0, 180, 0), 30), false},
        {"80 kt after 4 kt", with(air, 4.0, 90, 0), later(with(air, 80.0, 180, 0), 30), false},
        // 450 m at 240 kt take 3.645 s.
        {"steady at 240 kt after 2 s", air, later(air, 2.0), false},
        {"steady at 240 kt after 3.6 s", air, later(air, 3.6), false},
        {"steady at 240 kt after 3.7 s", air, later(air, 3.7), true},
        {"a turn of 1.5 degrees", air, later(with(air, 240.0, 91.5, 20000.0), 2.0), true},
        {"a turn of 0.8 degrees across north", with(air, 240.0, 359.5, 20000.0),
         later(with(air, 240.0, 0.3, 20000.0), 2.0), false},
        {"slow in the air", with(air, 110.0, 90, 20000), later(with(air, 110.0, 90, 20000), 2.0), true},
        {"steady in the air while extending", air, later(air, 2.0), true, 1},
        // 20 m at 10 kt take 3.89 s; standing still, 15 s.
        {"taxiing steadily after 3.8 s", taxi, later(taxi, 3.8), false},
        {"taxiing steadily after 3.9 s", taxi, later(taxi, 3.9), true},
        {"standing after 15 s", standing, later(standing, 15.0), false},
        {"standing after 15.1 s", standing, later(standing, 15.1), true},
        {"taxiing at 31 kt", with(air, 31.0, 90, 0), later(with(air, 31.0, 90, 0), 2.0), true},
        {"taxiing on a turn of 3 degrees", taxi, later(with(air, 10.0, 93.0, 0.0), 2.0), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(lf_taken(c.first, c.second, c.extensionCount), c.taken);
    }
}

// A report whose speed jumps from the newest block's is refused; the reports
// after it are judged against it too, so that reports agreeing with the
// refused one are taken: the aircraft follows a take-off roll that starts
// after a gap in its reports, and still drops a single wrong speed.
TEST_F(ReportIntake, ReportsThatAgreeWithARefusedSpeedJumpAreTaken) {
    struct Heard {
        double feedTimeS;
        double speedKt;
        bool taken;
    };
    struct Case {
        const char* what;
        double altFt;
        std::vector<Heard> reports;  // the first one makes the aircraft
    };
    const Case cases[] = {
        {"a stop, a gap, a take-off roll", 0.0,
         {{1000.0, 0.0, true}, {1020.0, 0.0, true}, {1300.0, 100.0, false}, {1302.0, 110.0, true},
          {1304.0, 125.0, true}, {1306.0, 140.0, true}}},
        {"a single wrong speed in flight", 3000.0,
         {{1000.0, 200.0, true}, {1004.0, 15.0, false}, {1008.0, 205.0, true}, {1012.0, 210.0, true}}},
        {"two wrong speeds apart in flight", 3000.0,
         {{1000.0, 200.0, true}, {1004.0, 15.0, false}, {1008.0, 205.0, true}, {1012.0, 12.0, false},
          {1016.0, 210.0, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (std::size_t index = 0; index < c.reports.size(); ++index) {
            const Heard& heard = c.reports[index];
            SCOPED_TRACE(heard.feedTimeS);
            const std::string callsign = "KLM" + std::to_string(index + 1);
            accept({.callsign = callsign, .lonDeg = 8.0 + 0.001 * static_cast<double>(index), .altFt = c.altFt,
                    .groundSpeedKt = heard.speedKt, .trackDeg = 90.0 + 5.0 * static_cast<double>(index),
                    .feedTimeS = heard.feedTimeS});
            const LiveAc* aircraft = gf_findLiveAircraft(0x4B1801);
            ASSERT_NE(aircraft, nullptr);
            // A buffered aircraft takes the callsign of every report taken.
            EXPECT_EQ(aircraft->identity.strings.callsign == callsign, heard.taken);
        }
        liveAircraft.clear();
    }
}

TEST_F(ReportIntake, NoNewAircraftStandingAtTheParkAirport) {
    struct Case {
        bool parkAirportSet;
        double altFt;
        bool made;
    };
    const Case cases[] = {
        {true, 450.0, false}, {true, 520.0, false}, {true, 280.0, false}, {true, 530.0, true},
        {true, 0.0, true},    {true, 10000.0, true}, {false, 50.0, true}, {false, 9999.0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.parkAirportSet << " " << c.altFt);
        parkAirport = c.parkAirportSet ? AirportRecord{"EHAM", "AMS", 52.3, 4.76, 400.0} : AirportRecord{};
        accept({.altFt = c.altFt});
        EXPECT_EQ(gf_findLiveAircraft(0x4B1801) != nullptr, c.made);
        liveAircraft.clear();
    }

    // A known aircraft still in the buffer loses such reports too.
    parkAirport = AirportRecord{"EHAM", "AMS", 52.3, 4.76, 400.0};
    LiveAc& aircraft = makeAircraft({.altFt = 3000.0});
    accept({.altFt = 450.0, .feedTimeS = 1030.0});
    EXPECT_EQ(aircraft.reports.size(), 1U);
    accept({.lonDeg = 8.01, .altFt = 2500.0, .feedTimeS = 1040.0});
    EXPECT_EQ(aircraft.reports.size(), 2U);
}

TEST_F(ReportIntake, NewAircraftNeedAKnownTypeASwitchedOnCategoryAndNoTwin) {
    struct Case {
        const char* what;
        ReportSpec report;
        BoolControlParameter* switchedOff;
        const char* madeAs;  // null: not made
    };
    const std::vector<Case> cases{
        {"known type", {.type = "A320"}, nullptr, "A320"},
        {"type from the registration", {.type = "", .registration = "PH-BXA"}, nullptr, "B738"},
        {"unknown type, the registration's", {.type = "XYZ1", .registration = "N101FE"}, nullptr, "B763"},
        {"unknown type, unknown registration", {.type = "XYZ1", .registration = "D-XXXX"}, nullptr, nullptr},
        {"no type, no registration", {.type = ""}, nullptr, nullptr},
        {"Light switched off", {.type = "C172"}, &LIGHT_AIRCRAFT, nullptr},
        {"HighPerf switched off", {.type = "F16"}, &HIGH_PERF_AIRCRAFT, nullptr},
        {"Rotorcraft switched off", {.type = "EC35"}, &HELICOPTERS, nullptr},
        {"Light switched on", {.type = "C172"}, &HELICOPTERS, "C172"},
        {"Buzjets always", {.type = "C25C"}, &LIGHT_AIRCRAFT, "C25C"},
        {"Heavy always", {.type = "B77W"}, &HIGH_PERF_AIRCRAFT, "B77W"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.switchedOff != nullptr) {
            c.switchedOff->value = false;
        }
        accept(c.report);
        const LiveAc* made = gf_findLiveAircraft(c.report.id);
        ASSERT_EQ(made != nullptr, c.madeAs != nullptr);
        if (made != nullptr) {
            EXPECT_EQ(made->identity.strings.type, c.madeAs);
        }
        liveAircraft.clear();
        test::resetSettingsToDefaults();
    }

    // A new id with the callsign and type of a known aircraft is a twin.
    accept({.id = 20001, .callsign = "KLM1", .type = "B738"});
    accept({.id = 20002, .callsign = "KLM1", .type = "B738"});
    accept({.id = 20003, .callsign = "KLM1", .type = "A320"});
    EXPECT_EQ(gf_findLiveAircraft(20002), nullptr);
    EXPECT_NE(gf_findLiveAircraft(20003), nullptr);
}

TEST_F(ReportIntake, ANewAircraftIsBornInTheBuffer) {
    accept({.id = 20001, .callsign = "KLM1", .type = "C25C", .feedTimeS = 1500.0, .playbackTick = 3100});
    const LiveAc* made = gf_findLiveAircraft(20001);
    ASSERT_NE(made, nullptr);
    const AcIdentity& identity = made->identity;
    EXPECT_EQ(made->simState, SimState::Buffer);
    EXPECT_EQ(made->groundPhase, GroundPhase::Birth);
    ASSERT_EQ(made->reports.size(), 1U);
    EXPECT_EQ(made->reports.front().playbackTick, 3100);
    EXPECT_EQ(made->lastReportTimeS, 1500.0);
    EXPECT_EQ(identity.aircraftId, 20001U);
    EXPECT_EQ(identity.strings.firstCallsign, "KLM1");
    EXPECT_TRUE(identity.strings.coupledCallsign.empty());
    EXPECT_EQ(identity.category, AircraftCategory::Buzjets);
    EXPECT_EQ(identity.turnRateRad, identity.taxiTurnRateRad);
    EXPECT_EQ(identity.maxAltStepFt, 0.75);
    EXPECT_EQ(identity.standTaxiSpeedKt, 4.5);
}

class IdentityChanges : public TrafficTest {
protected:
    // An active aircraft KLM1234 (B738, PH-BXA, AMS to LHR), in the air.
    LiveAc& activeAircraft() {
        LiveAc& aircraft = makeAircraft(base());
        aircraft.simState = SimState::Active;
        aircraft.identity.liveryTitle = "KLM 737";
        return aircraft;
    }
    static ReportSpec base() {
        return {.registration = "PH-BXA", .feedTimeS = 1000.0, .origin = "AMS", .destination = "LHR"};
    }
    // The next report, 30 s later, on another track (no filter drops it).
    static ReportSpec next(ReportSpec spec) {
        spec.feedTimeS += 30.0;
        spec.trackDeg = 120.0;
        return spec;
    }
};

TEST_F(IdentityChanges, ABufferedAircraftTakesTheNewIdentityOver) {
    makeAircraft(base());
    ReportSpec renamed = next(base());
    renamed.callsign = "KLM99";
    renamed.registration = "PH-BXB";
    renamed.destination = "";
    accept(renamed);
    const LiveAcStrings& strings = gf_findLiveAircraft(base().id)->identity.strings;
    EXPECT_EQ(strings.callsign, "KLM99");
    EXPECT_EQ(strings.registration, "PH-BXB");
    EXPECT_EQ(strings.destination, "LHR");
}

TEST_F(IdentityChanges, AnUnchangedIdentityKeepsTheAircraftAsItIs) {
    LiveAc& aircraft = activeAircraft();
    accept(next(base()));
    EXPECT_EQ(aircraft.lastReportTimeS, next(base()).feedTimeS);
    EXPECT_EQ(aircraft.identity.liveryTitle, "KLM 737");
    EXPECT_FALSE(logged("          KLM1234  PH-BXA   AMS->LHR respawns"));
}

TEST_F(IdentityChanges, AChangedCallsignRespawnsOnlyWithGuidChanges) {
    for (const bool guidChanges : {false, true}) {
        SCOPED_TRACE(guidChanges);
        GUID_CHANGES.value = guidChanges;
        LiveAc& aircraft = activeAircraft();
        ReportSpec renamed = next(base());
        renamed.callsign = "KLM77";
        accept(renamed);
        EXPECT_EQ(aircraft.identity.strings.callsign, "KLM77");
        EXPECT_EQ(aircraft.identity.strings.firstCallsign, "KLM77");
        EXPECT_EQ(aircraft.lastReportTimeS == renamed.feedTimeS, !guidChanges);
        EXPECT_EQ(logged("          KLM77    PH-BXA   AMS->LHR respawns"), guidChanges);
        liveAircraft.clear();
    }
}

TEST_F(IdentityChanges, ACallsignThatWouldMakeItTheGhostOfALiveAircraftIsRefused) {
    makeAircraft({.id = 20001, .callsign = "KLM1234", .type = "A320"});
    LiveAc& aircraft = activeAircraft();
    aircraft.identity.strings.callsign = "KLM5";
    ReportSpec ghost = next(base());
    ghost.callsign = "KLM1234_";
    accept(ghost);
    EXPECT_EQ(aircraft.identity.strings.callsign, "KLM5");
    EXPECT_NE(aircraft.lastReportTimeS, ghost.feedTimeS);

    // Once the other aircraft is being removed, the callsign is taken.
    gf_findLiveAircraft(20001)->simState = SimState::RemovingFromSim;
    GUID_CHANGES.value = false;
    accept(ghost);
    EXPECT_EQ(aircraft.identity.strings.callsign, "KLM1234_");
}

TEST_F(IdentityChanges, ARegistrationOfAnotherTypeChangesTypeAirlineAndLivery) {
    GUID_CHANGES.value = false;
    LiveAc& aircraft = activeAircraft();
    aircraft.identity.strings.registration.clear();
    aircraft.onGround = false;
    ReportSpec heavy = next(base());
    heavy.registration = "PH-BVA";  // the database's KLM B77W
    accept(heavy);
    EXPECT_EQ(aircraft.identity.strings.type, "B77W");
    EXPECT_EQ(aircraft.identity.strings.registration, "PH-BVA");
    EXPECT_TRUE(aircraft.identity.liveryTitle.empty());
    EXPECT_EQ(aircraft.groundPhase, GroundPhase::Birth);
}

TEST_F(IdentityChanges, ARegistrationFlownForItsOperatorTakesTheOperator) {
    GUID_CHANGES.value = false;
    LiveAc& aircraft = activeAircraft();
    ReportSpec cityHopper = next(base());
    cityHopper.registration = "PH-EXA";  // KLM's A320, operated by KLC
    cityHopper.callsign = "KLC123";
    accept(cityHopper);
    EXPECT_EQ(aircraft.identity.strings.airline, "KLC");
    EXPECT_EQ(aircraft.identity.strings.type, "A320");
    EXPECT_TRUE(aircraft.identity.liveryTitle.empty());
}

TEST_F(IdentityChanges, ANewRouteOnTheGroundSendsTheAircraftToTaxi) {
    GUID_CHANGES.value = false;
    LiveAc& aircraft = activeAircraft();
    aircraft.onGround = true;
    aircraft.groundPhase = GroundPhase::PushedBack;
    aircraft.position.headingRad = 1.25;
    ReportSpec turnaround = next(base());
    turnaround.origin = "LHR";
    turnaround.destination = "AMS";
    accept(turnaround);
    EXPECT_EQ(aircraft.identity.strings.origin, "LHR");
    EXPECT_EQ(aircraft.groundPhase, GroundPhase::Taxi);
    EXPECT_EQ(aircraft.previousGroundPhase, GroundPhase::PushedBack);
    EXPECT_EQ(aircraft.targetHeadingRad, 1.25);
}

TEST_F(IdentityChanges, NoChecksWhileLandingDepartingPushingBackOrExtending) {
    struct Case {
        const char* what;
        void (*prepare)(LiveAc&);
    };
    const Case cases[] = {
        {"landing", [](LiveAc& aircraft) { aircraft.landing = true; }},
        {"departing", [](LiveAc& aircraft) { aircraft.departing = true; }},
        {"pushing back", [](LiveAc& aircraft) { aircraft.groundPhase = GroundPhase::PushingBack; }},
        {"extending", [](LiveAc& aircraft) { aircraft.extensionCount = 1; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = activeAircraft();
        c.prepare(aircraft);
        ReportSpec renamed = next(base());
        renamed.callsign = "KLM77";
        accept(renamed);
        EXPECT_EQ(aircraft.identity.strings.callsign, "KLM1234");
        EXPECT_EQ(aircraft.lastReportTimeS, renamed.feedTimeS);
        liveAircraft.clear();
    }
}

TEST_F(ReportIntake, ReportsOfAnAircraftLeavingTheSimulatorAreDropped) {
    for (const SimState state : {SimState::LiveryRespawn, SimState::RemovingFromSim}) {
        LiveAc& aircraft = makeAircraft({});
        aircraft.simState = state;
        accept({.trackDeg = 180.0, .feedTimeS = 1030.0});
        EXPECT_EQ(aircraft.reports.size(), 1U);
        liveAircraft.clear();
    }
}

}  // namespace
