// The user's park airports: my_park_airports.txt read and written, the
// airports of my_thirdparty, the destination, the "Re-read" check.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "airports/airport_list.h"
#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/support/stand_file_fixture.h"
#include "core/data_paths.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/lifecycle/park_airport_check.h"
#include "ui/status/main_window.h"

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;

class ParkAirports : public test::StandFileTest {
protected:
    ParkAirports() {
        airportList = {{"EDDF", "FRA", 50.03, 8.57, 364.0},
                       {"EHAM", "AMS", 52.31, 4.76, -11.0},
                       {"LSZH", "ZRH", 47.46, 8.55, 1416.0}};
        airportsRead = true;
    }

    static void writeList(const std::string& text) { test::writeBytes(dataPaths.myParkAirportsFile, text); }
    static std::string listFile() { return test::readBytes(dataPaths.myParkAirportsFile); }
    static std::vector<std::pair<std::string, std::string>> entries() {
        std::vector<std::pair<std::string, std::string>> result;
        for (const ParkAirportEntry& entry : parkAirports) {
            result.emplace_back(entry.icao, entry.reservedStand);
        }
        return result;
    }
};

TEST_F(ParkAirports, ReadsCodesWithTheirReservedStandsAndSkipsBadLines) {
    writeList("EHAM,G 3 \r\n\nLSZH,\nEDDF,A,B\nEHAM,D7\nEDDF\n");

    EXPECT_TRUE(lf_readMyParkAirports());

    // The stand name keeps its blanks; a code with a comma alone reserves
    // nothing; two commas are wrong syntax; a second EHAM is a double.
    EXPECT_THAT(entries(), ElementsAre(std::pair{"EHAM", "G 3 "}, std::pair{"LSZH", ""}, std::pair{"EDDF", ""}));
    EXPECT_DOUBLE_EQ(parkAirports.front().latDeg, 52.31);
    EXPECT_THAT(log.lines(), Contains("===> my_park_airports.txt:EDDF,A,B wrong syntax, skipped"));
    EXPECT_THAT(log.lines(), Contains("===> my_park_airports.txt:EHAM double, skipped"));
    EXPECT_THAT(log.lines(), Contains("3 park airports read from 'my_park_airports.txt'"));
}

TEST_F(ParkAirports, AnUnknownAirportIsShownAndMakesTheReadFailWhileTheOthersStay) {
    writeList("XXXX\nEHAM\n");

    EXPECT_FALSE(lf_readMyParkAirports());

    EXPECT_THAT(entries(), ElementsAre(std::pair{"EHAM", ""}));
    EXPECT_EQ(MainWindow::messageText, "airport XXXX is unknown");
}

TEST_F(ParkAirports, AddsTheKnownAirportsOfMyThirdpartyOnceAndAMissingListIsNoFailure) {
    test::writeBytes(dataPaths.myThirdpartyFolder / "LSZH.xml", "");
    test::writeBytes(dataPaths.myThirdpartyFolder / "EDDF.txt", "");
    test::writeBytes(dataPaths.myThirdpartyFolder / "EDDF.xml", "");
    test::writeBytes(dataPaths.myThirdpartyFolder / "EHAM.old.xml", "");  // no airport code

    EXPECT_TRUE(lf_readMyParkAirports());

    auto codes = entries();
    std::sort(codes.begin(), codes.end());
    EXPECT_THAT(codes, ElementsAre(std::pair{"EDDF", ""}, std::pair{"LSZH", ""}));
    EXPECT_THAT(log.lines(), Contains("2 park airports added from my_thirdparty folder(-s)"));
    EXPECT_THAT(log.lines(), Contains(HasSubstr("my_park_airports.txt not found")));
}

TEST_F(ParkAirports, SavingTheFrontEntryReplacesItsLineAndKeepsTheFileSortedWithoutDoubles) {
    writeList("LSZH\nEHAM,B1\nEDDF\nEDDF\n");
    parkAirports = {{"EHAM", "C4", 52.31, 4.76, 0.0}};

    gf_saveParkAirportEntry();

    EXPECT_EQ(listFile(), "EDDF\nEHAM,C4\nLSZH\n");
    EXPECT_THAT(log.lines(), Contains("my_park_airports.txt:EHAM,C4 updated stand"));
    EXPECT_FALSE(std::filesystem::exists(dataPaths.myParkAirportsFile.string() + ".new"));
}

TEST_F(ParkAirports, SavingANewAirportAddsItsLineOrCreatesTheFile) {
    parkAirports = {{"LSZH", "", 47.46, 8.55, 0.0}};
    gf_saveParkAirportEntry();
    EXPECT_EQ(listFile(), "LSZH\n");
    EXPECT_THAT(log.lines(), Contains("my_park_airports.txt created with LSZH"));

    parkAirports.front() = {"EDDF", "V1", 50.03, 8.57, 0.0};
    gf_saveParkAirportEntry();
    EXPECT_EQ(listFile(), "EDDF,V1\nLSZH\n");
    EXPECT_THAT(log.lines(), Contains("my_park_airports.txt:EDDF,V1 new entry"));
}

TEST_F(ParkAirports, TheDestinationGoesToTheFrontAndANewOneIsWritten) {
    parkAirports = {{"EHAM", "", 52.31, 4.76, 0.0}, {"LSZH", "E5", 47.46, 8.55, 12.0}};

    gf_addParkAirport("LSZH", {47.46, 8.55});
    EXPECT_THAT(entries(), ElementsAre(std::pair{"LSZH", "E5"}, std::pair{"EHAM", ""}));
    EXPECT_FALSE(std::filesystem::exists(dataPaths.myParkAirportsFile));

    gf_addParkAirport("EDDF", {50.03, 8.57});
    EXPECT_THAT(entries(), ElementsAre(std::pair{"EDDF", ""}, std::pair{"LSZH", "E5"}, std::pair{"EHAM", ""}));
    EXPECT_EQ(listFile(), "EDDF\n");
}

TEST_F(ParkAirports, ReReadTakesOverAReservedStandChangedInTheFile) {
    writeList("EHAM,B2\n");
    setParkAirport("EHAM");
    parkPositions = {test::makeStand("B1", 52.3, 4.76, 20.0), test::makeStand("B2", 52.31, 4.76, 20.0)};
    parkPositions[0].reserved = true;
    reservedStandText = "B1";
    userOnGroundKnown = true;
    std::string text;

    EXPECT_TRUE(gf_checkParkAirports(true, text));

    EXPECT_EQ(text, "reserved stand changed from 'B1' to 'B2'");
    EXPECT_EQ(reservedStandText.load(), "B2");
    EXPECT_FALSE(parkPositions[0].reserved);
    EXPECT_TRUE(parkPositions[1].reserved);

    text.clear();
    EXPECT_TRUE(gf_checkParkAirports(true, text));
    EXPECT_EQ(text, "park airports and stands are okay");
}

}  // namespace
