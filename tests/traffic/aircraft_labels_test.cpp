// Aircraft labels and the small identity tests: usable callsigns, the
// airline of a callsign, stand sizes and the stand-option throttle.

#include <gtest/gtest.h>

#include <cmath>
#include <gsl/gsl>
#include <limits>

#include "traffic/aircraft_labels.h"
#include "traffic/identity_checks.h"
#include "traffic/stands/stand_fit.h"
#include "traffic/traffic_state.h"

namespace {

LiveAcStrings lf_strings(std::string airline, std::string type, std::string callsign, std::string registration,
                         std::string origin = "", std::string destination = "") {
    LiveAcStrings strings;
    strings.airline = std::move(airline);
    strings.type = std::move(type);
    strings.callsign = std::move(callsign);
    strings.registration = std::move(registration);
    strings.origin = std::move(origin);
    strings.destination = std::move(destination);
    return strings;
}

TEST(AircraftLabels, PadEachTextToItsWidth) {
    const LiveAcStrings full = lf_strings("DLH", "A20N", "DLH4AB", "D-AINA", "FRA", "MUC");
    const LiveAcStrings bare = lf_strings("", "C172", "N12345", "");
    const LiveAcStrings outbound = lf_strings("KLM", "B738", "KLM1234", "PH-BXA", "FRA");

    EXPECT_EQ(gf_describeAcIdentity(full), "DLH A20N");
    EXPECT_EQ(gf_describeAcIdentity(bare), "    C172");
    EXPECT_EQ(gf_describeCallsign(full), "DLH4AB  ");
    EXPECT_EQ(gf_describeRoute(bare), "        ");
    EXPECT_EQ(gf_describeRoute(outbound), "FRA->   ");
    EXPECT_EQ(gf_describeRoute(full), "FRA->MUC");
    EXPECT_EQ(gf_describeAcRoute(full), "DLH4AB   D-AINA   FRA->MUC");
    EXPECT_EQ(gf_describeAc(full), "DLH A20N DLH4AB   D-AINA   FRA->MUC");
    EXPECT_EQ(gf_describeAc(bare), "    C172 N12345                    ");
    EXPECT_EQ(gf_describeAcWithId(full), "DLH A20N DLH4AB   D-AINA");
    EXPECT_EQ(gf_describeAcWithRegistration(outbound), "KLM B738 PH-BXA");
    // A text longer than its width is not cut.
    EXPECT_EQ(gf_describeAcIdentity("EASY", "A320NEO"), "EASY A320NEO");
}

TEST(IdentityChecks, UsableCallsignsAndTheAirlineTheyName) {
    struct Case {
        const char* callsign;
        bool usable;
        const char* airline;  // null: none
    };
    const Case cases[] = {
        {"KLM1234", true, "KLM"},  {"klm1", true, "KLM"},     {"BA12", true, nullptr},
        {"KLMA", true, nullptr},   {"KLM", true, nullptr},    {"12345678", true, nullptr},
        {"ABCDEFGH", true, nullptr}, {"ABC123456", false, "ABC"}, {"", false, nullptr},
        {"@@@@@@@@", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.callsign);
        LiveAcStrings strings = lf_strings("XXX", "B738", c.callsign, "");
        EXPECT_EQ(gf_isUsableCallsign(strings), c.usable);
        EXPECT_EQ(gf_airlineFromCallsign(strings), c.airline != nullptr);
        EXPECT_EQ(strings.airline, c.airline != nullptr ? c.airline : "XXX");
    }
}

TEST(StandFit, AStandFitsAnAircraftAtMostHalfAStepSmaller) {
    constexpr double kNmPerMetre = 1.0 / 1852.0;
    ParkPosition stand;
    stand.radiusNm = 20.0 * kNmPerMetre;
    struct Case {
        double halfSpanM;
        bool fits;
    };
    const Case cases[] = {
        {19.0, true},   // 1 m smaller
        {21.5, true},   // 1.5 m larger: within 1.8 m
        {22.0, false},  // more than 1.8 m larger
        {12.0, false},  // 8 m smaller: more than half of the 14-m step
        {14.0, true},   // 6 m smaller: less than half the step
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.halfSpanM);
        EXPECT_EQ(gf_standFitsSpan(stand, c.halfSpanM * kNmPerMetre), c.fits);
    }
    EXPECT_THROW(gf_standFitsSpan(stand, std::numeric_limits<double>::quiet_NaN() * -1.0), gsl::narrowing_error);
}

TEST(StandFit, ALiveAircraftRecordsAnOptionOncePerThreeHalfHours) {
    lastOptionSlots.clear();
    const auto at = [](std::uint32_t halfHour) { return (std::uint64_t{halfHour} << 32) | 3U; };
    struct Case {
        std::uint32_t recorded, asked;
        bool taken;
    };
    const Case cases[] = {
        {10, 10, false}, {10, 11, false}, {10, 12, false}, {10, 13, true},
        {46, 47, false}, {46, 0, false},  {46, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.recorded << " then " << c.asked);
        lastOptionSlots.clear();
        EXPECT_TRUE(gf_takeStandOptionSlot(at(c.recorded), 20001, false));
        EXPECT_EQ(gf_takeStandOptionSlot(at(c.asked), 20001, false), c.taken);
        ASSERT_EQ(lastOptionSlots.size(), 1U);
        EXPECT_EQ(lastOptionSlots.front().halfHour, c.taken ? c.asked : c.recorded);
    }
    // Forced, the slot is taken at once; another aircraft has its own entry.
    EXPECT_TRUE(gf_takeStandOptionSlot(at(47), 20001, true));
    EXPECT_TRUE(gf_takeStandOptionSlot(at(47), 20002, false));
    EXPECT_EQ(lastOptionSlots.size(), 2U);
    lastOptionSlots.clear();
}

}  // namespace
