// Demo traffic: one soft option for the current half hour on every stand
// that some demo aircraft fits.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "airports/airports_state.h"
#include "airports/fake_traffic.h"
#include "airports/support/stand_file_fixture.h"
#include "core/settings.h"
#include "records/clock.h"

namespace {

class FakeTraffic : public test::StandFileTest {
protected:
    FakeTraffic() { RANDOM.value = false; }
    ~FakeTraffic() override { RANDOM.value = RANDOM.defaultValue; }
};

TEST_F(FakeTraffic, EachStandGetsADemoAircraftOfItsKindThatFitsIt) {
    currentWeekSlot = 3U | (30ULL << 32U);
    struct Case {
        const char* icao;
        double radiusMetres;  // the empty aircraft database knows no span: small stands fit every type
        bool heli;
        bool cargo;
        bool ramp;
        const char* airline;  // "" for no option
        const char* type;
    };
    const Case cases[] = {
        {"EHAM", 5.0, true, false, false, "PVT", "EC35"}, {"EHAM", 5.0, false, true, false, "FDX", "C208"},
        {"EHAM", 5.0, false, false, true, "PVT", "C172"}, {"EHAM", 5.0, false, false, false, "KLM", "B77W"},
        {"LFPG", 5.0, false, false, false, "ZZZ", "B738"}, {"EHAM", 40.0, false, false, false, "", ""},
    };
    for (const Case& c : cases) {
        parkPositions = {ParkPosition("A1", {}, 52.3, 4.76, 0.0, c.radiusMetres, c.cargo, c.ramp, c.heli)};
        parkPositions.front().options.push_back(test::makeOption("PH-X", "KLM", "B738", 1, {0}));

        fillFakeTraffic(c.icao, c.icao);

        const std::vector<ParkOption>& options = parkPositions.front().options;
        if (*c.airline == '\0') {
            EXPECT_EQ(options.size(), 1U) << c.radiusMetres;
            continue;
        }
        ASSERT_EQ(options.size(), 2U) << c.icao << " " << c.type;
        const ParkOption& fake = options.back();
        EXPECT_EQ(fake.airline, c.airline);
        EXPECT_EQ(fake.type, c.type);
        EXPECT_EQ(fake.registration, "REGFAKE1");
        EXPECT_EQ(fake.callsign, "FAKE1");
        EXPECT_EQ(fake.sequence, 2U);
        EXPECT_EQ(fake.day, 3);
        EXPECT_TRUE(fake.timeSlots.test(30));
        EXPECT_EQ(fake.timeSlots.count(), 1U);
        EXPECT_FALSE(fake.real);
        EXPECT_TRUE(fake.fromArchive);
    }
}

}  // namespace
