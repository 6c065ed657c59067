// The "Re-read" check of the park airports: a reserved stand changed in
// my_park_airports.txt is taken over at the loaded park airport.

#include <gtest/gtest.h>

#include <string>

#include "airports/airport_list.h"
#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "airports/support/stand_file_fixture.h"
#include "core/data_paths.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "support/temp_folder.h"
#include "traffic/stands/park_airport_check.h"

namespace {

class ParkAirportCheck : public test::StandFileTest {
protected:
    ParkAirportCheck() {
        airportList = {{"EDDF", "FRA", 50.03, 8.57, 364.0},
                       {"EHAM", "AMS", 52.31, 4.76, -11.0},
                       {"LSZH", "ZRH", 47.46, 8.55, 1416.0}};
        airportsRead = true;
    }

    static void writeList(const std::string& text) { test::writeBytes(dataPaths.myParkAirportsFile, text); }
};

TEST_F(ParkAirportCheck, ReReadTakesOverAReservedStandChangedInTheFile) {
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
