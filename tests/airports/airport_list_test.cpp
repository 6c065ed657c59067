// The airport list and names: reading the two files (bad entries skipped,
// a broken list refused with code 88), the labels, the airport the user
// stands at, and the code lookups of the add-on airport scanner.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "airports/airport_list.h"
#include "airports/airports_state.h"
#include "core/exceptions.h"
#include "support/http_server.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;

// One nautical mile is one minute of latitude.
constexpr double kDegreesPerNm = 1.0 / 60.0;

class AirportList : public testing::Test {
protected:
    AirportList() {
        lf_resetList();
        std::filesystem::create_directory("input");
    }
    ~AirportList() override { lf_resetList(); }

    // The file as the program names it in its messages, with this system's separator.
    static std::string inputFile(const std::string& name) { return (std::filesystem::path("input") / name).string(); }
    static void writeInput(const std::string& name, const std::string& xml) {
        test::writeBytes(std::filesystem::path("input") / name, xml);
    }
    static void writeList(const std::string& airportElements) {
        writeInput("airports_msfs.xml", "<airports>" + airportElements + "</airports>");
    }
    static std::vector<std::string> codes() {
        std::vector<std::string> result;
        for (const AirportRecord& airport : airportList) {
            result.push_back(airport.code);
        }
        return result;
    }
    // Airports due north of (0, 0) at the given distances, in file order.
    static void writeAirportsNorth(const std::vector<std::pair<std::string, double>>& codeAndNm) {
        std::string elements;
        for (const auto& [code, nm] : codeAndNm) {
            elements += "<airport code=\"" + code + "\" lat=\"" + std::to_string(nm * kDegreesPerNm) +
                        "\" lon=\"0\" alt=\"0\"/>";
        }
        writeList(elements);
        gf_readAirports("airports_msfs.xml");
    }

    test::LogCapture log;
    // No stand file can be downloaded: a neighbour's stands are unknown.
    test::ScopedEnvironment downloadBase_{"VANTREL_DOWNLOAD_BASE", test::HttpServer::unreachableBaseUrl()};

private:
    static void lf_resetList() {
        airportList.clear();
        airportList.shrink_to_fit();
        airportsRead = false;
        airportNames.clear();
    }
};

TEST_F(AirportList, ReadsEveryAirportSortedByCodeOnce) {
    writeList(R"(<airport code="EHAM" iata="AMS" lat="52.308601" lon="4.763890" alt="-11"/>
                 <runway code="XXXX" lat="1" lon="1" alt="1"/>
                 <airport code="EDDFX" lat="1" lon="2" alt="3"/>
                 <airport code="EDDF" iata="FRA" lat="50.036521" lon="8.561268" alt="364"/>)");

    EXPECT_TRUE(gf_readAirports("airports_msfs.xml"));

    EXPECT_THAT(codes(), ElementsAre("EDDF", "EDDFX", "EHAM"));
    const AirportRecord& schiphol = airportList[2];
    EXPECT_EQ(schiphol.iata, "AMS");
    EXPECT_DOUBLE_EQ(schiphol.lat, 52.308601);
    EXPECT_DOUBLE_EQ(schiphol.lon, 4.763890);
    EXPECT_DOUBLE_EQ(schiphol.alt, -11.0);
    EXPECT_EQ(airportList[1].iata, "");
    EXPECT_EQ(airportList.capacity(), 3u);
    EXPECT_THAT(log.lines(), Contains("3 airports read from '" + inputFile("airports_msfs.xml") + "'"));

    writeList("");
    EXPECT_TRUE(gf_readAirports("airports_msfs.xml"));  // read once per program
    EXPECT_EQ(airportList.size(), 3u);
}

TEST_F(AirportList, SkipsAirportsWithoutAUsablePosition) {
    writeList(R"(<airport code="NOAL" lat="1" lon="2"/>
                 <airport code="ABCL" lat="abc" lon="2" alt="3"/>
                 <airport code="HUGE" lat="1" lon="2" alt="1e999"/>
                 <airport code="NORT" lat=" 52.3N" lon="4.7E" alt="10ft"/>
                 <airport lat="1" lon="2" alt="3"/>)");

    EXPECT_TRUE(gf_readAirports("airports_msfs.xml"));

    EXPECT_THAT(codes(), ElementsAre("", "NORT"));
    EXPECT_DOUBLE_EQ(airportList[1].lat, 52.3);
    EXPECT_DOUBLE_EQ(airportList[1].lon, 4.7);
    EXPECT_DOUBLE_EQ(airportList[1].alt, 10.0);
    EXPECT_THAT(log.lines(), Contains("Missing lat/lon/alt for airport 'NOAL'"));
    EXPECT_THAT(log.lines(), Contains("Error parsing coordinates for airport 'ABCL': invalid stod argument"));
    EXPECT_THAT(log.lines(), Contains("Error parsing coordinates for airport 'HUGE': stod argument out of range"));
}

TEST_F(AirportList, RefusesAListItCannotReadWithCode88) {
    const auto readError = [] {
        try {
            gf_readAirports("airports_msfs.xml");
        } catch (const qrx::UserErrorException& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_THAT(readError(), HasSubstr("88: " + inputFile("airports_msfs.xml") + " not loaded: "));

    writeInput("airports_msfs.xml", "<airportlist><airport code=\"EHAM\" lat=\"1\" lon=\"1\" alt=\"1\"/></airportlist>");
    EXPECT_EQ(readError(), "88: Missing <airports> root in: " + inputFile("airports_msfs.xml"));
    EXPECT_FALSE(airportsRead);

    writeList("");
    EXPECT_FALSE(gf_readAirports("airports_msfs.xml"));  // readable, but empty
    EXPECT_TRUE(airportsRead);
}

TEST_F(AirportList, ReadsTheFirstNameOfEachAirport) {
    writeInput("airports_msfs_names.xml", R"(<AirportNames>
        <airport ICAO="EHAM" name="Amsterdam Airport Schiphol"/>
        <airport ICAO="EHAM" name="Schiphol"/>
        <airport ICAO="EDDF"/>
        <airport ICAO="" name="Nameless code"/>
        <other ICAO="LFPG" name="Paris"/>
    </AirportNames>)");

    gf_readAirportNames();

    EXPECT_EQ(airportNames.size(), 2u);
    EXPECT_EQ(airportNames["EHAM"], "Amsterdam Airport Schiphol");
    EXPECT_EQ(airportNames[""], "Nameless code");
    EXPECT_THAT(log.lines(), Contains("Skipped airport entry with missing ICAO or name"));
    EXPECT_THAT(log.lines(), Contains("2 airport names read from '" + inputFile("airports_msfs_names.xml") + "'"));
}

TEST_F(AirportList, LogsANamesFileItCannotRead) {
    airportNames["OLD"] = "stale";
    gf_readAirportNames();
    EXPECT_TRUE(airportNames.empty());
    EXPECT_THAT(log.lines(),
                Contains("===> Failed to load airport names from '" + inputFile("airports_msfs_names.xml") + "'"));

    writeInput("airports_msfs_names.xml", "<Names/>");
    gf_readAirportNames();
    EXPECT_THAT(log.lines(), Contains("===> No AirportNames node found."));
    EXPECT_THAT(log.lines(), Contains("0 airport names read from '" + inputFile("airports_msfs_names.xml") + "'"));
}

TEST(AirportLabel, IsTheCodeWithTheIataCodeInParentheses) {
    EXPECT_EQ(gf_iataSuffix({"EHAM", "AMS"}), "EHAM (AMS)");
    EXPECT_EQ(gf_iataSuffix({"EDXW", ""}), "EDXW");
    EXPECT_EQ(gf_iataSuffix({"", "AMS"}), "? (AMS)");
}

TEST_F(AirportList, FindsTheAirportTheUserIsAt) {
    writeAirportsNorth({{"NEAR", 4.99}, {"FAR", 5.01}});
    const AirportRecord* found = findClosestAirport({0.0, 0.0});
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->code, "NEAR");
    EXPECT_EQ(findClosestAirport({-0.1, 0.0}), nullptr);  // 6 nm south of the nearest
}

TEST_F(AirportList, TakesTheNextNearestAirportAsNeighbourWhereverItIsListed) {
    // With no stand file to compare, the closest stays (closest_stand_test.cpp
    // compares stands); the log names the neighbour that was weighed.
    struct Case {
        std::vector<std::pair<std::string, double>> airports;  // in the list's order, nm north
        std::string closest;
        std::string neighbour;  // empty: none weighed
    };
    const std::vector<Case> cases{
        {{{"AAAA", 3.0}, {"BBBB", 1.0}, {"CCCC", 2.0}}, "BBBB", "CCCC"},
        {{{"DDDD", 2.0}, {"EEEE", 1.0}, {"FFFF", 3.0}}, "EEEE", "DDDD"},
        {{{"GGGG", 1.0}, {"HHHH", 3.0}}, "GGGG", "HHHH"},
        {{{"IIII", 1.0}, {"JJJJ", 2.0}, {"KKKK", 2.0}}, "IIII", "JJJJ"},
        {{{"LLLL", 1.0}, {"MMMM", 5.5}}, "LLLL", ""},
    };
    for (const Case& c : cases) {
        airportList.clear();
        for (const auto& [code, nm] : c.airports) {
            airportList.push_back({code, "", nm * kDegreesPerNm, 0.0, 0.0});
        }
        const AirportRecord* found = findClosestAirport({0.0, 0.0});
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->code, c.closest);
        const std::string weighed = "Airport " + c.closest + " is closest, neighbour is ";
        if (c.neighbour.empty()) {
            EXPECT_THAT(log.lines(), Not(Contains(StartsWith(weighed)))) << c.closest;
        } else {
            EXPECT_THAT(log.lines(), Contains(weighed + c.neighbour));
        }
    }
}

TEST_F(AirportList, MatchesTheShortestKnownCodeAtTheStartOfAText) {
    writeList(R"(<airport code="EHAM" lat="1" lon="1" alt="1"/>
                 <airport code="EH" lat="1" lon="1" alt="1"/>
                 <airport code="KJFK" lat="1" lon="1" alt="1"/>
                 <airport code="KJFKX" lat="1" lon="1" alt="1"/>
                 <airport code="E" lat="1" lon="1" alt="1"/>)");
    gf_readAirports("airports_msfs.xml");

    const std::vector<std::pair<std::string, std::string>> cases = {
        {"kjfk-terminal", "KJFK"}, {"ehamxyz", "E"}, {"eh", "E"}, {"LFPG", ""}, {"", ""}, {"kjf", ""},
    };
    for (const auto& [text, code] : cases) {
        EXPECT_EQ(gf_matchAirportCode(text), code) << text;
    }
}

TEST_F(AirportList, AnAirportWithoutCodeMatchesNothing) {
    writeList(R"(<airport lat="1" lon="1" alt="1"/><airport code="EHAM" lat="1" lon="1" alt="1"/>)");
    gf_readAirports("airports_msfs.xml");
    EXPECT_EQ(gf_matchAirportCode("EHAM"), "EHAM");
    EXPECT_FALSE(gf_containsDashedCode("scenery--pack", airportList.front()));
}

TEST(DashedCode, StandsBetweenTwoDashesInUpperOrLowerCase) {
    const AirportRecord schiphol{"EHAM", ""};
    const std::vector<std::pair<std::string, bool>> cases = {
        {"scenery-EHAM-pack", true}, {"scenery-eham-pack", true}, {"scenery-Eham-pack", false},
        {"EHAM-pack", false},        {"x-EHAMX-y", false},
    };
    for (const auto& [text, contained] : cases) {
        EXPECT_EQ(gf_containsDashedCode(text, schiphol), contained) << text;
    }
}

TEST_F(AirportList, OurSampleFilesAreReadWhole) {
    for (const char* name : {"airports_msfs.xml", "airports_msfs_names.xml"}) {
        std::filesystem::copy_file(std::filesystem::path(VANTREL_SOURCE_DIR) / "data" / name,
                                   std::filesystem::path("input") / name);
    }
    EXPECT_TRUE(gf_readAirports("airports_msfs.xml"));
    gf_readAirportNames();

    EXPECT_THAT(log.lines(), Not(Contains(HasSubstr("airport '"))));  // nothing skipped
    for (const char* code : {"EHAM", "EDDF", "LSZH", "KJFK"}) {
        EXPECT_THAT(codes(), Contains(code));
        EXPECT_TRUE(airportNames.contains(code)) << code;
    }
    EXPECT_EQ(airportNames.size(), airportList.size());
}

}  // namespace
