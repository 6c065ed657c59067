// The nearest stand of an airport's stand file, and how it settles which of
// two neighbouring airports the user aircraft stands at.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "airports/airport_list.h"
#include "airports/airports_state.h"
#include "airports/closest_stand.h"
#include "airports/support/stand_file_fixture.h"
#include "core/data_paths.h"
#include "core/format.h"

namespace {

using testing::Contains;

// One nautical mile is one minute of latitude.
constexpr double kDegreesPerNm = 1.0 / 60.0;

class ClosestStand : public test::StandFileTest {
protected:
    ~ClosestStand() override { airportList.clear(); }

    // A stand file in my_thirdparty with stands due north of (0, 0) at the distances.
    static void writeStands(const std::string& icao, const std::vector<std::pair<std::string, double>>& idAndNm) {
        std::string stands;
        for (const auto& [id, nm] : idAndNm) {
            stands += test::parkposXml(id, nm * kDegreesPerNm, 0.0, 20.0);
        }
        writeStandFile(dataPaths.myThirdpartyFolder / (icao + ".xml"), "", stands);
    }
};

TEST_F(ClosestStand, IsTheNearestStandOfTheAirportsFile) {
    writeStands("EHAM", {{"A1", 0.5}, {"A2", 0.2}, {"A3", 0.3}});
    server.serve("/MSFS/archive/stock/EDDF.xml", test::kStandFileMeta + "<parkpositions>" +
                                                     test::parkposXml("F1", 0.1 * kDegreesPerNm, 0.0, 20.0) +
                                                     "</parkpositions>");
    test::writeBytes(dataPaths.myThirdpartyFolder / "LSZH.xml", "<broken");
    test::writeBytes(dataPaths.myThirdpartyFolder / "KJFK.xml", test::kStandFileMeta);
    struct Case {
        std::string icao;
        double nm;
        std::string standId;
    };
    const Case cases[] = {
        {"EHAM", 0.2, "A2"},
        {"EDDF", 0.1, "F1"},  // from the server
        {"LSZH", 100.0, "unchanged"},
        {"KJFK", 100.0, "unchanged"},  // no stands
        {"LFPG", 100.0, "unchanged"},  // no stand file anywhere
    };
    for (const Case& c : cases) {
        std::string standId = "unchanged";
        // Positions of six decimals.
        EXPECT_NEAR(gf_readDestApfForClosestStand(c.icao, {0.0, 0.0}, standId), c.nm, 1e-4) << c.icao;
        EXPECT_EQ(standId, c.standId) << c.icao;
    }
    EXPECT_FALSE(std::filesystem::exists("airport.xml"));  // the server's copy is gone
}

TEST_F(ClosestStand, DecidesBetweenTwoNeighbouringAirports) {
    // BBBB at 1 nm is the closest; the neighbour at 3 nm comes before it in
    // the list's order (AAAA) or after it (CCCC): a large airport whose code
    // sorts after a small field nearby is weighed all the same.
    struct Case {
        std::string neighbour;
        double neighbourStandNm;
        std::string found;
    };
    const std::vector<Case> cases{
        {"AAAA", 0.5, "AAAA"}, {"AAAA", 0.8, "BBBB"}, {"AAAA", 1.0, "BBBB"},
        {"CCCC", 0.5, "CCCC"}, {"CCCC", 0.8, "BBBB"},
    };
    for (const Case& c : cases) {
        airportList = {{"BBBB", "", 1.0 * kDegreesPerNm, 0.0, 0.0}, {c.neighbour, "", 3.0 * kDegreesPerNm, 0.0, 0.0}};
        std::ranges::sort(airportList, {}, &AirportRecord::code);
        writeStands("BBBB", {{"B1", 0.8}});
        writeStands(c.neighbour, {{"N7", c.neighbourStandNm}});

        const AirportRecord* found = findClosestAirport({0.0, 0.0});

        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->code, c.found) << c.neighbour << " " << c.neighbourStandNm;
    }
    EXPECT_THAT(log.lines(), Contains("Airport BBBB is closest, but stand N7 at neighbouring airport CCCC is closer at "
                                      "926 meters ..."));
}

}  // namespace
