// The nearest stand of an airport's stand file, and how it settles which of
// two neighbouring airports the user aircraft stands at.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "airports/airport_list.h"
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
    // In list order: AAAA at 3 nm, the neighbour, and BBBB at 1 nm, the closest.
    airportList = {{"AAAA", "", 3.0 * kDegreesPerNm, 0.0, 0.0}, {"BBBB", "", 1.0 * kDegreesPerNm, 0.0, 0.0}};
    struct Case {
        double neighbourStandNm;
        std::string found;
    };
    for (const Case& c : {Case{0.5, "AAAA"}, Case{0.8, "BBBB"}, Case{1.0, "BBBB"}}) {
        writeStands("BBBB", {{"B1", 0.8}});
        writeStands("AAAA", {{"A7", c.neighbourStandNm}});

        const AirportRecord* found = findClosestAirport({0.0, 0.0});

        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->code, c.found) << c.neighbourStandNm;
    }
    EXPECT_THAT(log.lines(), Contains("Airport BBBB is closest, but stand A7 at neighbouring airport AAAA is closer at "
                                      "926 meters ..."));
}

}  // namespace
