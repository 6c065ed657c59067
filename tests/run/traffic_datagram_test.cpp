// Traffic datagrams into live-traffic reports: every check of a record in
// the order the reader makes them, against the report it queues or the one
// log line it writes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <numbers>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "core/settings.h"
#include "run/run_state.h"
#include "run/support/feed_fixture.h"
#include "run/traffic_reader.h"
#include "run/traffic_record.h"
#include "traffic/intake/adding_stack.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kDegToRad = std::numbers::pi / 180.0;

struct DatagramCase {
    const char* name;
    std::initializer_list<std::pair<std::size_t, std::string>> fields;
    // The park airport LSZH at this elevation (feet); none when empty.
    std::optional<double> parkElevationFt;
    // The one line logged; none when empty.
    std::string logLine;
    // Checks the one report queued; no report when empty.
    std::function<void(const LiveAcUpdate&)> check;
};

const auto kDropped = std::function<void(const LiveAcUpdate&)>{};
const auto kQueued = [](const LiveAcUpdate&) {};
const std::optional<double> kNoParkAirport;

auto lf_altitude(double expectedFt) {
    return [expectedFt](const LiveAcUpdate& report) {
        EXPECT_DOUBLE_EQ(report.block.altFt, expectedFt);
        EXPECT_EQ(report.block.airborne, expectedFt > 0.0);
    };
}

auto lf_trueAirspeed(double expectedKt) {
    return [expectedKt](const LiveAcUpdate& report) { EXPECT_DOUBLE_EQ(report.block.trueAirspeedKt, expectedKt); };
}

auto lf_trueHeading(std::optional<double> expectedRad) {
    return [expectedRad](const LiveAcUpdate& report) {
        EXPECT_EQ(report.block.headingKnown, expectedRad.has_value());
        ASSERT_EQ(report.block.trueHeadingRad.has_value(), expectedRad.has_value());
        if (expectedRad) {
            EXPECT_DOUBLE_EQ(*report.block.trueHeadingRad, *expectedRad);
        }
    };
}

auto lf_bank(std::optional<double> expectedRad) {
    return [expectedRad](const LiveAcUpdate& report) {
        ASSERT_EQ(report.block.bankRad.has_value(), expectedRad.has_value());
        if (expectedRad) {
            EXPECT_DOUBLE_EQ(*report.block.bankRad, *expectedRad);
        }
    };
}

std::string lf_exception(const std::string& text) { return "exception in processLineSub: " + text; }

class TrafficDatagram : public test::FeedTest {};

TEST_F(TrafficDatagram, AFullRecordBecomesAReportPlayedThirtySecondsLater) {
    trafficReader.processDatagram(test::trafficRecord());
    const auto reports = takeReports();
    ASSERT_EQ(reports.size(), 1U);
    const LiveAcUpdate& report = reports.front();
    EXPECT_EQ(report.strings.airline, "");
    EXPECT_EQ(report.strings.type, "A320");
    EXPECT_EQ(report.strings.origin, "LHR");
    EXPECT_EQ(report.strings.destination, "ZRH");
    EXPECT_EQ(report.strings.callsign, "SWR12");
    EXPECT_EQ(report.strings.registration, "HB-JLT");
    EXPECT_EQ(report.strings.firstCallsign, "");
    EXPECT_EQ(report.strings.firstCycleDone, 0U);
    EXPECT_DOUBLE_EQ(report.block.latDeg, 47.46);
    EXPECT_DOUBLE_EQ(report.block.lonDeg, 8.55);
    EXPECT_DOUBLE_EQ(report.block.altFt, 3025.0);
    EXPECT_DOUBLE_EQ(report.block.groundSpeedKt, 142.5);
    EXPECT_DOUBLE_EQ(report.block.trackDeg, 165.2);
    EXPECT_DOUBLE_EQ(report.block.verticalSpeedFpm, -768.0);
    EXPECT_DOUBLE_EQ(report.block.trueAirspeedKt, 150.0);
    EXPECT_EQ(report.block.playbackTick, test::kTestTick + 3000);
    EXPECT_TRUE(report.block.airborne);
    EXPECT_FALSE(report.block.unmoved);
    EXPECT_TRUE(report.block.headingKnown);
    EXPECT_DOUBLE_EQ(*report.block.trueHeadingRad, 163.9 * kDegToRad);
    EXPECT_DOUBLE_EQ(*report.block.bankRad, 1.4 * kDegToRad);
    EXPECT_DOUBLE_EQ(report.feedTimestampS, 1700000000.5);
    EXPECT_EQ(report.aircraftId, 7867035U);
    EXPECT_DOUBLE_EQ(TrafficReader::feedTimestamp, 1700000000.5);
    EXPECT_THAT(log().lines(), IsEmpty());
}

TEST_F(TrafficDatagram, EachCheckInItsOrder) {
    const DatagramCase cases[] = {
        {"vehicle", {{callsignField, "TUG VEH"}}, kNoParkAirport, "", kDropped},
        {"vehicle mark ending the datagram", {{categoryField, "A3 VEH"}}, kNoParkAirport, "", kDropped},
        {"vehicle mark cut off at the end", {{categoryField, "A3 VE"}}, kNoParkAirport, "", kQueued},
        {"blank without the vehicle mark", {{callsignField, "SWR 12"}}, kNoParkAirport, "", kQueued},
        // Numbers follow the feed's grammar; nan, inf, a plus sign or a blank
        // in front make a field incorrect.
        {"timestamp unreadable", {{timestampField, "abc"}}, kNoParkAirport, lf_exception("timestamp:abc"), kDropped},
        {"timestamp nan", {{timestampField, "nan"}}, kNoParkAirport, lf_exception("timestamp:nan"), kDropped},
        {"timestamp inf", {{timestampField, "inf"}}, kNoParkAirport, lf_exception("timestamp:inf"), kDropped},
        {"timestamp negative", {{timestampField, "-5"}}, kNoParkAirport, lf_exception("timestamp:-5"), kDropped},
        {"timestamp past 9999", {{timestampField, "1e300"}}, kNoParkAirport, lf_exception("timestamp:1e300"),
         kDropped},
        {"timestamp beyond a double", {{timestampField, "1e400"}}, kNoParkAirport, lf_exception("timestamp:1e400"),
         kDropped},
        {"lat nan", {{latField, "nan"}}, kNoParkAirport, lf_exception("lat:nan"), kDropped},
        {"lat with a blank", {{latField, " 47.46"}}, kNoParkAirport, lf_exception("lat: 47.46"), kDropped},
        {"lon with a plus", {{lonField, "+8.55"}}, kNoParkAirport, lf_exception("lon:+8.55"), kDropped},
        {"lon infinity", {{lonField, "-infinity"}}, kNoParkAirport, lf_exception("lon:-infinity"), kDropped},
        {"text after a number", {{latField, "47.46deg"}}, kNoParkAirport, "", kQueued},
        {"null island", {{latField, "0.00005"}, {lonField, "-0.00005"}}, kNoParkAirport,
         lf_exception("invalid lalo: 0.000050,-0.000050"), kDropped},
        {"latitude beyond 90", {{latField, "90.5"}}, kNoParkAirport, lf_exception("invalid lalo: 90.500000,8.550000"),
         kDropped},
        {"longitude beyond 180", {{lonField, "-180.5"}}, kNoParkAirport,
         lf_exception("invalid lalo: 47.460000,-180.500000"), kDropped},
        {"outside the radius", {{latField, "48.5"}}, kNoParkAirport, "", kDropped},
        // Registration and callsign.
        {"registration of 12", {{registrationField, "ABCDEFGHIJKL"}}, kNoParkAirport, "", kQueued},
        {"registration of 13", {{registrationField, "ABCDEFGHIJKLM"}}, kNoParkAirport, "", kDropped},
        {"registration null", {{registrationField, "null"}}, kNoParkAirport, "",
         [](const LiveAcUpdate& report) { EXPECT_EQ(report.strings.registration, ""); }},
        {"callsign and registration null", {{callsignField, "null"}, {registrationField, "null"}}, kNoParkAirport, "",
         kDropped},
        {"callsign null", {{callsignField, "null"}}, kNoParkAirport, "",
         [](const LiveAcUpdate& report) { EXPECT_EQ(report.strings.callsign, ""); }},
        {"callsign with an at sign", {{callsignField, "SW@12"}}, kNoParkAirport, "",
         [](const LiveAcUpdate& report) { EXPECT_EQ(report.strings.callsign, ""); }},
        {"test callsign AIRPORT1", {{callsignField, "AIRPORT1"}}, kNoParkAirport, "", kDropped},
        {"test callsign ERARMTR0", {{callsignField, "ERARMTR0"}}, kNoParkAirport, "", kDropped},
        // Type and emitter category.
        {"type null", {{typeField, "null"}}, kNoParkAirport, "", kDropped},
        {"type 0", {{typeField, "0"}}, kNoParkAirport, "", kDropped},
        {"type ZZZZ", {{typeField, "ZZZZ"}}, kNoParkAirport, "", kDropped},
        {"glider", {{typeField, "GLID"}}, kNoParkAirport, "", kDropped},
        {"ground vehicle type", {{typeField, "GND"}}, kNoParkAirport, "", kDropped},
        {"lower-case type", {{typeField, "glid"}}, kNoParkAirport, "", kQueued},
        {"type longer than four", {{typeField, "BALLOON"}}, kNoParkAirport, "", kQueued},
        {"category null skips the type test", {{typeField, "SHIP"}, {categoryField, "null"}}, kNoParkAirport, "",
         kQueued},
        {"category empty skips the type test", {{typeField, "VENT"}, {categoryField, ""}}, kNoParkAirport, "",
         kQueued},
        {"category B1", {{categoryField, "B1"}}, kNoParkAirport, "", kDropped},
        {"category B2", {{categoryField, "B2"}}, kNoParkAirport, "", kDropped},
        {"category B4", {{categoryField, "B4"}}, kNoParkAirport, "", kDropped},
        {"category C1", {{categoryField, "C1"}}, kNoParkAirport, "", kDropped},
        {"category C2", {{categoryField, "C2"}}, kNoParkAirport, "", kDropped},
        {"category B3", {{categoryField, "B3"}}, kNoParkAirport, "", kQueued},
        // True heading, only from adsb_icao.
        {"heading 0", {{trueHeadingField, "0"}}, kNoParkAirport, "", lf_trueHeading(kTwoPi)},
        {"heading 360", {{trueHeadingField, "360"}}, kNoParkAirport, "", lf_trueHeading(kTwoPi)},
        {"heading 360.5", {{trueHeadingField, "360.5"}}, kNoParkAirport, lf_exception("trueheading: 360.50"),
         kDropped},
        {"heading negative", {{trueHeadingField, "-5"}}, kNoParkAirport, "", lf_trueHeading(std::nullopt)},
        {"heading unreadable", {{trueHeadingField, "x"}}, kNoParkAirport, lf_exception("trueheading:x"), kDropped},
        {"heading of another source", {{sourceField, "adsb_other"}, {trueHeadingField, "x"}, {trackField, "0"}},
         kNoParkAirport, "",
         [](const LiveAcUpdate& report) {
             lf_trueHeading(std::nullopt)(report);
             EXPECT_DOUBLE_EQ(report.block.trackDeg, 0.0);
         }},
        {"track 0 takes the heading", {{trackField, "0"}, {trueHeadingField, "90"}}, kNoParkAirport, "",
         [](const LiveAcUpdate& report) { EXPECT_DOUBLE_EQ(report.block.trackDeg, 90.0); }},
        {"track empty", {{trackField, ""}, {sourceField, "mlat"}}, kNoParkAirport, "",
         [](const LiveAcUpdate& report) { EXPECT_DOUBLE_EQ(report.block.trackDeg, 0.0); }},
        {"track unreadable", {{trackField, "x"}}, kNoParkAirport, lf_exception("track incorrect x"), kDropped},
        // The hex id, read as a decimal number.
        {"hexid 10000", {{hexidField, "10000"}}, kNoParkAirport, "", kDropped},
        {"hexid 10001", {{hexidField, "10001"}}, kNoParkAirport, "",
         [](const LiveAcUpdate& report) { EXPECT_EQ(report.aircraftId, 10001U); }},
        {"hexid 12ab", {{hexidField, "12ab"}}, kNoParkAirport, "", kDropped},
        {"hexid x1", {{hexidField, "x1"}}, kNoParkAirport, lf_exception("hexid incorrectx1"), kDropped},
        {"hexid negative", {{hexidField, "-20000"}}, kNoParkAirport, lf_exception("hexid incorrect-20000"), kDropped},
        {"hexid beyond 32 bits", {{hexidField, "4294967296"}}, kNoParkAirport,
         lf_exception("hexid incorrect4294967296"), kDropped},
        {"ground speed nan", {{groundSpeedField, "nan"}}, kNoParkAirport, lf_exception("gs:nan"), kDropped},
        {"vertical speed unreadable", {{verticalSpeedField, "x"}}, kNoParkAirport, lf_exception("vs:x"), kDropped},
        // The ground decision.
        {"30 ft at 100 kt without a park airport", {{altitudeField, "30"}, {groundSpeedField, "100"}},
         kNoParkAirport, "", lf_altitude(30.0)},
        {"30 ft at 100 kt at a park airport at 0 ft", {{altitudeField, "30"}, {groundSpeedField, "100"}}, 0.0, "",
         lf_altitude(0.0)},
        {"below the park airport", {{altitudeField, "1400"}, {groundSpeedField, "300"}}, 1416.0, "",
         lf_altitude(0.0)},
        {"45 ft above at 120 kt", {{altitudeField, "1461"}, {groundSpeedField, "120"}}, 1416.0, "", lf_altitude(0.0)},
        {"46 ft above at 120 kt", {{altitudeField, "1462"}, {groundSpeedField, "120"}}, 1416.0, "",
         lf_altitude(1462.0)},
        {"90 ft above at 80 kt", {{altitudeField, "1506"}, {groundSpeedField, "80"}}, 1416.0, "", lf_altitude(0.0)},
        {"90 ft above at 81 kt", {{altitudeField, "1506"}, {groundSpeedField, "81"}}, 1416.0, "",
         lf_altitude(1506.0)},
        {"120 ft above at 43 kt", {{altitudeField, "1536"}, {groundSpeedField, "43"}}, 1416.0, "", lf_altitude(0.0)},
        {"121 ft above at 43 kt", {{altitudeField, "1537"}, {groundSpeedField, "43"}}, 1416.0, "",
         lf_altitude(1537.0)},
        {"35 kt at any height", {{altitudeField, "36000"}, {groundSpeedField, "35"}}, 0.0, "", lf_altitude(0.0)},
        {"14000 ft at 40 kt near the elevation", {{altitudeField, "14000"}, {groundSpeedField, "40"}}, 13990.0, "",
         lf_altitude(14000.0)},
        {"negative altitude", {{altitudeField, "-50"}}, 0.0, "", lf_altitude(0.0)},
        {"altitude unreadable", {{altitudeField, "FL300"}}, kNoParkAirport,
         lf_exception("altitude FL300 incorrect, from: " + test::trafficRecord({{altitudeField, "FL300"}})),
         kDropped},
        {"on the ground without a park airport", {{groundSpeedField, "20"}}, kNoParkAirport, "", kDropped},
        {"on the ground 6 nm from the park airport", {{latField, "47.5647"}, {groundSpeedField, "20"}}, 0.0, "",
         kDropped},
        // Bank, only in the air.
        {"roll -1", {{rollField, "-1"}}, kNoParkAirport, "", lf_bank(std::nullopt)},
        {"roll 0", {{rollField, "0"}}, kNoParkAirport, "", lf_bank(std::nullopt)},
        {"roll 10", {{rollField, "10"}}, kNoParkAirport, "", lf_bank(-0.17453292519943295)},
        {"roll unreadable", {{rollField, "x"}}, kNoParkAirport, lf_exception("roll:x"), kDropped},
        {"roll on the ground", {{rollField, "x"}, {groundSpeedField, "20"}}, 0.0, "", lf_bank(std::nullopt)},
        // A true airspeed of -1 comes from the altitude.
        {"TAS at 2000 ft", {{trueAirspeedField, "-1"}, {altitudeField, "2000"}}, kNoParkAirport, "",
         lf_trueAirspeed(180.0)},
        {"TAS at 2000.5 ft", {{trueAirspeedField, "-1"}, {altitudeField, "2000.5"}}, kNoParkAirport, "",
         lf_trueAirspeed(220.0)},
        {"TAS at 10000 ft", {{trueAirspeedField, "-1"}, {altitudeField, "10000"}}, kNoParkAirport, "",
         lf_trueAirspeed(250.0)},
        {"TAS at 20000 ft", {{trueAirspeedField, "-1"}, {altitudeField, "20000"}}, kNoParkAirport, "",
         lf_trueAirspeed(350.0)},
        {"TAS at 30000 ft", {{trueAirspeedField, "-1"}, {altitudeField, "30000"}}, kNoParkAirport, "",
         lf_trueAirspeed(430.0)},
        {"TAS on the ground", {{trueAirspeedField, "-1"}, {groundSpeedField, "20"}}, 0.0, "", lf_trueAirspeed(180.0)},
        {"TAS unreadable", {{trueAirspeedField, "fast"}}, kNoParkAirport, lf_exception("TAS incorrectfast"),
         kDropped},
        {"origin and destination null", {{originField, "null"}, {destinationField, "null"}}, kNoParkAirport, "",
         [](const LiveAcUpdate& report) {
             EXPECT_EQ(report.strings.origin, "");
             EXPECT_EQ(report.strings.destination, "");
         }},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const test::LogCapture caseLog;
        if (testCase.parkElevationFt) {
            setParkAirport(*testCase.parkElevationFt);
        } else {
            parkAirport = AirportRecord{};
            TrafficReader::parkAirportElevation = std::nullopt;
        }
        trafficReader.processDatagram(test::trafficRecord(testCase.fields));
        const auto reports = takeReports();
        if (testCase.check) {
            ASSERT_EQ(reports.size(), 1U);
            testCase.check(reports.front());
        } else {
            EXPECT_EQ(reports.size(), 0U);
        }
        test::expectLoggedOnly(caseLog, testCase.logLine);
    }
}

TEST_F(TrafficDatagram, FieldsSplitAtEveryCommaAndShortRecordsAreNeverReadPastTheirEnd) {
    trafficReader.processDatagram("a,,b,");
    EXPECT_THAT(trafficReader.fields, ElementsAre("a", "", "b", ""));
    trafficReader.processDatagram("no comma");
    EXPECT_THAT(trafficReader.fields, ElementsAre("no comma"));
    const std::string record = test::trafficRecord();
    trafficReader.processDatagram(record.substr(0, record.rfind(',')));
    EXPECT_EQ(trafficReader.fields.size(), kTrafficFieldCount - 1);
    EXPECT_THAT(takeReports(), IsEmpty());
    EXPECT_THAT(log().lines(), IsEmpty());
}

TEST_F(TrafficDatagram, ATargetExactlyAtTheRadiusPassesAndOneBeyondIsDropped) {
    const GeoPosition target{47.9, 8.56};
    trafficRadiusNm = gf_greatCircleDistanceNm(test::kUserPosition, target);
    trafficReader.processDatagram(test::trafficRecord({{latField, "47.9"}, {lonField, "8.56"}}));
    EXPECT_EQ(takeReports().size(), 1U);
    trafficReader.processDatagram(test::trafficRecord({{latField, "47.9001"}, {lonField, "8.56"}}));
    EXPECT_THAT(takeReports(), IsEmpty());
}

TEST_F(TrafficDatagram, WhileTheRunTakesNoTrafficOnlyTheFeedTimeAndTheCallsignsAdvance) {
    gf_setAcceptingFeed(false);
    TrafficReader::collectCallsigns = true;
    trafficReader.processDatagram(test::trafficRecord({{timestampField, "1700000123"}}));
    EXPECT_THAT(takeReports(), IsEmpty());
    EXPECT_DOUBLE_EQ(TrafficReader::feedTimestamp, 1700000123.0);
    EXPECT_THAT(TrafficReader::callsignSet.takeAll(), testing::UnorderedElementsAre("SWR12"));
}

TEST_F(TrafficDatagram, AnUnreadableTimestampLeavesTheFeedTimeAlone) {
    trafficReader.processDatagram(test::trafficRecord({{timestampField, "1700000200"}}));
    trafficReader.processDatagram(test::trafficRecord({{timestampField, "-1700000300"}}));
    trafficReader.processDatagram(test::trafficRecord({{timestampField, "nan"}}));
    EXPECT_DOUBLE_EQ(TrafficReader::feedTimestamp, 1700000200.0);
}

TEST_F(TrafficDatagram, CallsignsAreCollectedOnlyWhileAskedForEvenFromDroppedReports) {
    trafficReader.processDatagram(test::trafficRecord({{callsignField, "EARLY1"}}));
    TrafficReader::collectCallsigns = true;
    for (const char* callsign : {"DLH4", "null", "", "SW@1", "EZY5"}) {
        trafficReader.processDatagram(test::trafficRecord({{callsignField, callsign}}));
    }
    trafficReader.processDatagram(test::trafficRecord({{callsignField, "GLIDER7"}, {typeField, "GLID"}}));
    trafficReader.processDatagram(test::trafficRecord({{callsignField, "FAR8"}, {latField, "50"}}));
    EXPECT_THAT(TrafficReader::callsignSet.takeAll(), testing::UnorderedElementsAre("DLH4", "EZY5", "GLIDER7"));
    EXPECT_THAT(TrafficReader::callsignSet.takeAll(), IsEmpty());
}

}  // namespace
