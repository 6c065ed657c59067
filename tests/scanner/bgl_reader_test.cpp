// Reading BGL scenery files: the format (words, idents, coordinates, name
// prefixes, altitudes, the cheap section test) and the stands of an airport
// record, on synthetic files that show each case.

#include "airports/airports_state.h"
#include "scanner/bgl_airport.h"
#include "scanner/bgl_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "airports/airport_list.h"
#include "scanner/support/bgl_builder.h"
#include "scanner/support/scanner_fixture.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr double kTwoPi = 6.283185307179586;
constexpr double kMetresPerNm = 1852.0;

BglWords lf_words(const std::string& bytes) {
    std::istringstream stream(bytes);
    return readFileWords(stream);
}

TEST(BglFormatTest, WordsAreLittleEndianAndALastPartialWordEndsInZeros) {
    EXPECT_EQ(lf_words(std::string("\x01\x02\x03\x04\x05\x06", 6)), (BglWords{0x04030201U, 0x0605U}));
    EXPECT_TRUE(lf_words("").empty());
    EXPECT_THROW(bglWord(lf_words("abcd"), 1), std::out_of_range);
}

TEST(BglFormatTest, IdentsDecodeFromBase38) {
    struct Case {
        std::uint32_t value;
        std::string ident;
        bool usable;
    };
    const std::vector<Case> cases = {
        {0x01B78E81U, "EDDS", true},  // as Stuttgart's scenery stores it, with a flag in the low bits
        {test::encodeIdent("K2J3"), "K2J3", true},
        {test::encodeIdent("E DS"), "E DS", false},
        {test::encodeIdent("EDD"), "EDD", false},
        {test::encodeIdent("EDDSX"), "EDDSX", false},
        {0, " ", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ident);
        bool usable = !c.usable;
        EXPECT_EQ(lf_decodeIdentifierOrRegionCode(c.value, usable), c.ident);
        EXPECT_EQ(usable, c.usable);
    }
}

TEST(BglFormatTest, CoordinatesAndTheirValidity) {
    EXPECT_DOUBLE_EQ(bglLatitude(0x10000000U), 0.0);
    EXPECT_DOUBLE_EQ(bglLatitude(0), 90.0);
    EXPECT_DOUBLE_EQ(bglLongitude(0x18000000U), 0.0);
    EXPECT_DOUBLE_EQ(bglLongitude(0), -180.0);
    EXPECT_TRUE(isValidBglPosition(52.0, 4.5));
    EXPECT_TRUE(isValidBglPosition(0.0002, 0.0));
    EXPECT_FALSE(isValidBglPosition(0.0001, -0.0001)) << "a position never set";
    EXPECT_FALSE(isValidBglPosition(bglLatitude(0xFFFFFFFFU), 4.5)) << "south of the pole";
    EXPECT_FALSE(isValidBglPosition(52.0, bglLongitude(0xFFFFFFFFU)));
}

TEST(BglFormatTest, ParkingNamePrefixes) {
    const std::vector<std::pair<std::uint32_t, std::string>> cases = {
        {0, ""},    {1, "r"},  {2, "p"},  {3, "np"}, {4, "ep"}, {5, "sep"}, {6, "sp"},
        {7, "swp"}, {8, "wp"}, {9, "nwp"}, {10, "g"}, {11, ""},  {12, "A"},  {37, "Z"},
    };
    for (const auto& [code, prefix] : cases) {
        EXPECT_EQ(parkingNamePrefix(code), prefix) << code;
    }
}

TEST(BglFormatTest, AltitudeInFeetIsTheRealElevationHighOrLow) {
    const std::vector<std::pair<std::int32_t, std::int32_t>> cases = {
        {-3000, -10},     {-7000, -23},   {-386000, -1266}, {388923, 1276}, {3047847, 9999},
        {3048000, 10000}, {3048153, 10001}, {4411000, 14472}, {152, 0},       {1524, 5},
    };
    for (const auto& [millimetres, feet] : cases) {
        EXPECT_EQ(bglAltitudeFt(millimetres), feet) << millimetres;
    }
}

class BglFileTest : public test::ScannerTest {
protected:
    fs::path file(const std::string& name, const std::string& bytes) const { return writeFile(name, bytes); }
};

TEST_F(BglFileTest, AirportSectionTestReadsOnlyTheHeaderAndTheSectionTable) {
    const std::string good = test::BglBuilder().airport({}).bytes();
    EXPECT_TRUE(bglHasAirportSection(file("good.bgl", good)));
    // Without the records the section table is still whole.
    EXPECT_TRUE(bglHasAirportSection(file("cut.bgl", good.substr(0, 97))));
    EXPECT_FALSE(bglHasAirportSection(file("table cut.bgl", good.substr(0, 96))));
    EXPECT_FALSE(bglHasAirportSection(file("tiny.bgl", good.substr(0, 14))));
    std::string noSections = good;
    noSections[20] = '\0';
    EXPECT_FALSE(bglHasAirportSection(file("none.bgl", noSections)));
    std::string otherType = good;
    otherType[76] = '\x04';  // the second section's type
    EXPECT_FALSE(bglHasAirportSection(file("other.bgl", otherType)));
    std::string hugeCount = good;
    hugeCount.replace(20, 4, "\xff\xff\xff\xff");
    EXPECT_FALSE(bglHasAirportSection(file("huge.bgl", hugeCount)));
    EXPECT_FALSE(bglHasAirportSection(folder() / "missing.bgl"));
}

// Reads the stands of the file's first airport record.
class AirportStandsTest : public test::ScannerTest {
protected:
    ScannedAirport read(const test::BglAirport& record) {
        words = lf_words(test::BglBuilder().airport(record).bytes());
        ScannedAirport airport;
        airport.icao = record.icao;
        airport.bglPath = "scenery/AP.bgl";
        readAirportStands(kFirstRecord, words, bglRecordHeader(words, kFirstRecord).sizeWords(), airport);
        return airport;
    }
    static std::vector<std::string> names(const ScannedAirport& airport) {
        std::vector<std::string> found;
        for (const ParkPosition& stand : airport.stands) {
            found.push_back(stand.name);
        }
        return found;
    }

    static constexpr std::size_t kFirstRecord = 28;  // after the header, two sections and a subsection
    BglWords words;
};

TEST_F(AirportStandsTest, StandsOfAnAirport) {
    airportNames = {{"EHAM", "Amsterdam Schiphol"}};
    test::BglAirport record;
    record.altitudeMm = -3000;
    record.helipads = {{52.31, 4.76, 30.0F}};
    record.parkings = {
        {.nameCode = 10, .type = 10, .number = 4, .radiusM = 40.0F, .headingDeg = 271.3F, .latDeg = 52.3, .lonDeg = 4.7},
        {.nameCode = 2, .type = 5, .number = 12, .radiusM = 25.0F, .headingDeg = 0.0F, .latDeg = -33.9, .lonDeg = -70.8},
        {.nameCode = 14, .type = 14, .number = 7, .radiusM = 8.0F, .airlineCodes = 3},
        {.nameCode = 0, .type = 7, .number = 4095},
    };
    const ScannedAirport airport = read(record);
    EXPECT_EQ(airport.altitudeFt, -10);
    EXPECT_EQ(airport.airportName, "Amsterdam Schiphol");
    EXPECT_EQ(names(airport), (std::vector<std::string>{"helipad1", "g4", "p12", "C7", "4095"}));
    const ParkPosition& helipad = airport.stands[0];
    EXPECT_TRUE(helipad.heli);
    EXPECT_FALSE(helipad.cargo || helipad.ramp);
    EXPECT_NEAR(helipad.latDeg, 52.31, 1e-6);
    EXPECT_NEAR(helipad.lonDeg, 4.76, 1e-6);
    EXPECT_DOUBLE_EQ(helipad.headingRad, 0.0);
    EXPECT_NEAR(helipad.radiusNm * kMetresPerNm, 15.0, 1e-9);
    const ParkPosition& gate = airport.stands[1];
    EXPECT_NEAR(gate.headingRad * 57.29577951308232, 271.3, 1e-4);
    EXPECT_NEAR(gate.radiusNm * kMetresPerNm, 40.0, 1e-9);
    EXPECT_FALSE(gate.ramp || gate.cargo || gate.heli);
    const ParkPosition& cargo = airport.stands[2];
    EXPECT_TRUE(cargo.cargo && cargo.ramp);
    EXPECT_DOUBLE_EQ(cargo.headingRad, kTwoPi) << "a heading of 0 is a full turn";
    EXPECT_NEAR(cargo.latDeg, -33.9, 1e-6);
    EXPECT_NEAR(cargo.lonDeg, -70.8, 1e-6);
    EXPECT_TRUE(airport.stands[3].ramp) << "type 14, after an entry with airline codes";
    EXPECT_TRUE(scanLogLines().empty());
}

TEST_F(AirportStandsTest, EntriesThatAreNoStandsAreSkipped) {
    test::BglAirport record;
    record.parkings = {
        {.type = 12, .number = 3},  // fuel takes no id: the later p3 is no duplicate
        {.number = 1, .radiusM = 1.0F},    {.number = 2, .radiusM = 200.0F}, {.number = 3, .radiusM = 1.01F},
        {.number = 4, .radiusM = 199.9F},  {.type = 12, .number = 5},        {.type = 13, .number = 6},
        {.type = 0, .number = 7},          {.number = 8, .latDeg = 0.0, .lonDeg = 0.0},
        {.number = 9, .radiusM = std::numeric_limits<float>::quiet_NaN()},
        {.number = 10, .headingDeg = std::numeric_limits<float>::infinity()},
    };
    const ScannedAirport airport = read(record);
    EXPECT_EQ(names(airport), (std::vector<std::string>{"p3", "p4"}));
    EXPECT_EQ(scanLogLines(), (std::vector<std::string>{
                                  "Skipped position with radius 1.0 m in scenery/AP.bgl",
                                  "Skipped position with radius 200.0 m in scenery/AP.bgl",
                                  "LatLon 0.000000,0.000000 invalid (skipped)",
                                  "Skipped position with radius NAN m in scenery/AP.bgl",
                                  "Skipped position with heading INF in scenery/AP.bgl",
                              }));
}

TEST_F(AirportStandsTest, DuplicateIdsTakeLettersByRadius) {
    struct Case {
        std::vector<float> radiiM;
        std::vector<std::string> names;
    };
    const std::vector<Case> cases = {
        {{20.0F, 30.0F}, {"p12a", "p12"}},
        {{30.0F, 20.0F}, {"p12", "p12a"}},
        {{25.0F, 25.0F}, {"p12", "p12a"}},
        {{10.0F, 30.0F, 20.0F, 20.0F}, {"p12c", "p12", "p12a", "p12b"}},
    };
    for (const Case& c : cases) {
        test::BglAirport record;
        for (const float radius : c.radiiM) {
            record.parkings.push_back({.number = 12, .radiusM = radius});
        }
        record.parkings.push_back({.number = 13});
        std::vector<std::string> expected = c.names;
        expected.emplace_back("p13");
        const ScannedAirport airport = read(record);
        EXPECT_EQ(names(airport), expected);
        EXPECT_TRUE(std::none_of(airport.stands.begin(), airport.stands.end(), [](const ParkPosition& stand) { return stand.idChanged; })) << "every mark cleared";
    }
}

TEST_F(AirportStandsTest, AnIdTakesAtMostSixLetters) {
    test::BglAirport record;
    for (int copy = 0; copy < 8; ++copy) {
        record.parkings.push_back({.nameCode = 8, .number = 3, .radiusM = 20.0F - static_cast<float>(copy)});
    }
    const ScannedAirport airport = read(record);
    EXPECT_EQ(names(airport), (std::vector<std::string>{"wp3", "wp3a", "wp3b", "wp3c", "wp3d", "wp3e", "wp3f"}));
    EXPECT_EQ(scanLogLines(),
              std::vector<std::string>{"===> Warning: more than 6 duplicate IDs wp3 in scenery/AP.bgl"});
}

TEST_F(AirportStandsTest, HelipadsAtOnePlaceOrNowhereAreSkipped) {
    airportNames = {{"EHAM", "Schiphol"}};
    test::BglAirport record;
    record.helipads = {{52.1, 4.1, 12.0F},
                       {52.1, 4.1, 16.0F},
                       {0.0, 0.0, 12.0F},
                       {52.2, 4.2, std::numeric_limits<float>::quiet_NaN()},
                       {52.3, 4.3, 10.0F}};
    const ScannedAirport airport = read(record);
    EXPECT_EQ(names(airport), (std::vector<std::string>{"helipad1", "helipad2"}));
    EXPECT_NEAR(airport.stands[1].latDeg, 52.3, 1e-6);
    EXPECT_EQ(scanLogLines(), (std::vector<std::string>{
                                  "double helipad Schiphol (skipped) 52.100000,4.100000",
                                  "lat/lon helipad incorrect (skipped): 0.000000,0.000000",
                                  "Skipped helipad with size NAN m in scenery/AP.bgl",
                              }));
}

TEST_F(AirportStandsTest, OnlyTheFirstParkingListIsRead) {
    // A second airport record right after the first: its parking list lies
    // beyond the first record's end.
    test::BglAirport first;
    first.parkings = {{.number = 1}};
    test::BglAirport second;
    second.parkings = {{.number = 2}};
    words = lf_words(test::BglBuilder().airport(first).airport(second).bytes());
    ScannedAirport airport;
    readAirportStands(kFirstRecord, words, bglRecordHeader(words, kFirstRecord).sizeWords(), airport);
    EXPECT_EQ(names(airport), std::vector<std::string>{"p1"});
}

TEST_F(AirportStandsTest, ASubrecordOfSizeZeroEndsTheWalk) {
    test::BglAirport record;
    record.otherSubrecords = {{0x33, 0}};
    record.parkings = {{.number = 1}};
    EXPECT_TRUE(read(record).stands.empty());
    record.otherSubrecords = {{0x33, 12}};
    EXPECT_EQ(names(read(record)), std::vector<std::string>{"p1"});
}

TEST_F(AirportStandsTest, TruncatedParkingListFailsWithoutReadingPastTheFile) {
    test::BglAirport record;
    record.parkings = {{.number = 1}, {.number = 2}, {.number = 3}};
    const std::string bytes = test::BglBuilder().airport(record).bytes();
    for (const std::size_t cut : {bytes.size() - 30, bytes.size() - 56, bytes.size() - 100}) {
        words = lf_words(bytes.substr(0, cut));
        ScannedAirport airport;
        EXPECT_THROW(
            readAirportStands(kFirstRecord, words, bglRecordHeader(words, kFirstRecord).sizeWords(), airport),
            std::out_of_range)
            << cut;
    }
}

}  // namespace
