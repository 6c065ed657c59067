// Loading the park airport's stand file: local and server files, the record,
// the stands with their ids and neighbours, the quality factors, what the
// window and the traffic reader are told, and every way it can fail.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "airports/park_airport_file.h"
#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "airports/support/stand_file_fixture.h"
#include "core/data_paths.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/settings.h"
#include "run/traffic_reader.h"
#include "ui/status/main_window.h"

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;

// One nautical mile is one minute of latitude.
constexpr double kDegreesPerNm = 1.0 / 60.0;
constexpr double kMetresPerNm = 1852.0;

class ParkAirportFile : public test::StandFileTest {
protected:
    ParkAirportFile() { setParkAirport("EHAM"); }

    static std::string parameters(const std::string& extra = "") {
        return test::standFileParameters({{"airport_name", "Schiphol"}, {"publisher", "P"}, {"altitude", "-11"}}) +
               extra;
    }
    // Two stands 0.025 nm apart that touch, and one far away.
    static std::string threeStands() {
        return test::parkposXml("A1", 52.3, 4.76, 0.015 * kMetresPerNm) +
               test::parkposXml("A2", 52.3 + 0.025 * kDegreesPerNm, 4.76, 0.015 * kMetresPerNm) +
               test::parkposXml("B1", 52.31, 4.76, 20.0);
    }
    std::string read(const std::string& standFile) { return gf_readApf(standFile, parkAirportFile, factors_); }
    static std::vector<std::string> standNames() {
        std::vector<std::string> names;
        for (const ParkPosition& stand : parkPositions) {
            names.push_back(stand.name);
        }
        return names;
    }

    const std::filesystem::path thirdpartyFile_ = dataPaths.myThirdpartyFolder / "EHAM.xml";
    QualityFactors factors_{99, 99};
};

TEST_F(ParkAirportFile, ALocalFileIsReadWithItsStandsAndParameters) {
    writeStandFile(thirdpartyFile_,
                   test::standFileParameters({{"airport_name", "Schiphol"}, {"publisher", "P"}, {"altitude", "-11"},
                                              {"RT_traffic_week", "30"}, {"Qf_real", "80"}, {"Qf_soft", "30"}}),
                   threeStands());
    parking_percentage.value = 55;

    EXPECT_EQ(read("airports/my_thirdparty/EHAM.xml"), "");

    EXPECT_EQ(parkAirportFile.airportName, "Schiphol");
    EXPECT_EQ(parkAirportFile.publisher, "P");
    EXPECT_EQ(parkAirportFile.altitudeFt, -11);
    EXPECT_EQ(parkAirport.load().alt, -11.0);
    EXPECT_EQ(TrafficReader::parkAirportElevation.load(), -11.0);
    EXPECT_EQ(rtTrafficWeek.load(), 30);
    EXPECT_EQ(factors_.real, 80);  // the file's own without a learned file
    EXPECT_EQ(factors_.soft, 30);
    EXPECT_EQ(parking_percentage.value, 30);
    EXPECT_THAT(standNames(), ElementsAre("A1", "A2", "B1"));
    for (std::uint32_t index = 0; index < parkPositions.size(); ++index) {
        EXPECT_EQ(parkPositions[index].standId, index + 1);
    }
    EXPECT_TRUE(parkingActive);
    EXPECT_EQ(MainWindow::standCount, 3);
    EXPECT_EQ(MainWindow::qfText.load(), "80");
    EXPECT_EQ(MainWindow::parkDetailText.load(), "P");
    EXPECT_THAT(log.lines(),
                testing::IsSupersetOf({
                    "          parking_percentage      : 30",
                    "Airport file read from 'airports/my_thirdparty/EHAM.xml' for Schiphol",
                    "          publisher               : P",
                    "          altitude                : -11 ft",
                    "          num_parkpos             : 3",
                    "          quality factor          : 80",
                    "          RT traffic week         : 30",
                }));
}

TEST_F(ParkAirportFile, AServerFileIsDownloadedFirst) {
    server.serve("/MSFS/archive/stock/EHAM.xml",
                 test::kStandFileMeta + parameters() + "<parkpositions>" + threeStands() + "</parkpositions>");

    EXPECT_EQ(read("archive/stock/EHAM.xml"), "");

    EXPECT_TRUE(std::filesystem::exists(dataPaths.airportsFolder / "park_airport.xml"));
    EXPECT_EQ(parkPositions.size(), 3u);
    EXPECT_EQ(factors_.real, -1);
    EXPECT_EQ(factors_.soft, -1);
    EXPECT_EQ(MainWindow::qfText.load(), "  ");
}

// A stand file path, or the learned file's path made from it, that leads
// outside the program's folder is refused before anything is read or written
// there (an unreadable learned file would be copied beside itself).
TEST_F(ParkAirportFile, PathsThatLeadOutsideTheProgramsFolderAreRefused) {
    const std::filesystem::path outside = folder.parent_path() / (folder.filename().string() + "-outside");
    std::filesystem::create_directories(outside);
    writeStandFile(outside / "LSZH.xml", parameters(), threeStands());
    // Folders named "..%20": the learned path turns each into ".. ", which
    // Windows takes for "..".
    const std::filesystem::path odd = dataPaths.myThirdpartyFolder / "..%20" / "..%20";
    std::filesystem::create_directories(odd);
    writeStandFile(odd / "LSZH.xml", parameters(), threeStands());
    const std::string relativeOutside = "airports/../../" + outside.filename().string() + "/LSZH.xml";
    for (const std::string& standFile : {relativeOutside, "airports\\..\\..\\" + outside.filename().string() +
                                                        "\\LSZH.xml",
                                   std::string("airports/my_thirdparty/..%20/..%20/LSZH.xml")}) {
        SCOPED_TRACE(standFile);
        try {
            read(standFile);
            ADD_FAILURE() << "read";
        } catch (const std::runtime_error& error) {
            EXPECT_THAT(error.what(), HasSubstr("refused: it leads outside the program's folder"));
        }
    }
    EXPECT_FALSE(std::filesystem::exists(outside / "LSZH.0.xml"));
    std::filesystem::remove_all(outside);
}

TEST_F(ParkAirportFile, StandsWhoseCirclesOverlapAreNeighbours) {
    struct Case {
        double apartNm;
        bool neighbours;
    };
    for (const Case c : {Case{0.025, true}, Case{0.03, false}}) {
        parkPositions.clear();
        writeStandFile(thirdpartyFile_, parameters(),
                       test::parkposXml("A1", 52.3, 4.76, 0.015 * kMetresPerNm) +
                           test::parkposXml("B1", 52.31, 4.76, 20.0) +
                           test::parkposXml("A2", 52.3 + c.apartNm * kDegreesPerNm, 4.76, 0.015 * kMetresPerNm));

        read("airports/my_thirdparty/EHAM.xml");

        using Ids = std::vector<std::uint32_t>;
        EXPECT_EQ(parkPositions[0].neighbourIds, c.neighbours ? Ids{3} : Ids{});
        EXPECT_EQ(parkPositions[2].neighbourIds, c.neighbours ? Ids{1} : Ids{});
        EXPECT_THAT(parkPositions[1].neighbourIds, IsEmpty());
    }
}

TEST_F(ParkAirportFile, EachFailureHasItsText) {
    writeStandFile(thirdpartyFile_, parameters(), threeStands());
    test::writeBytes(dataPaths.myThirdpartyFolder / "BAD.xml", "<broken");
    struct Case {
        std::string path;
        bool parkAirportSet;
        std::string text;
    };
    const Case cases[] = {
        {"", true, "gf_readApf: xml is empty"},
        {"airports/my_thirdparty/EHAM.xml", false, "gf_readApf: no park airport set"},
        {"archive/stock/LFPG.xml", true,
         fmtlib::format("failed to download: '{}MSFS/archive/stock/LFPG.xml'", server.baseUrl())},
        {"airport", true, fmtlib::format("failed to download: '{}MSFS2024/airport'", server.baseUrl())},
        {"airports/my_thirdparty/BAD.xml", true,
         "airports/my_thirdparty/BAD.xml: could not load file: " +
             (std::filesystem::path("airports") / "my_thirdparty" / "BAD.xml").string()},
    };
    SIM_CHOICE.value = "MSFS 2024";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        setParkAirport(c.parkAirportSet ? "EHAM" : "");
        EXPECT_EQ(read(c.path), c.text);
        EXPECT_FALSE(parkingActive);
        EXPECT_THAT(parkPositions, IsEmpty());
    }
}

TEST_F(ParkAirportFile, AFileWithoutAltitudeOrWithAStandTwiceIsRefused) {
    const auto codeOf = [this](const std::string& parameters, const std::string& stands) {
        writeStandFile(thirdpartyFile_, parameters, stands);
        try {
            read("airports/my_thirdparty/EHAM.xml");
        } catch (const qrx::UserErrorException& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(codeOf(test::standFileParameters({{"publisher", "P"}}), threeStands()),
              "65: Parameter altitude not found");
    EXPECT_EQ(codeOf(parameters(), threeStands() + test::parkposXml("A2", 1.0, 1.0, 20.0)),
              "94: Parking position A2 appears more than once?");
    EXPECT_THAT(standNames(), ElementsAre("A1", "A2", "B1"));  // the caller clears them
    EXPECT_FALSE(parkingActive);
}

TEST_F(ParkAirportFile, AFileWithoutStandsIsLoadedAndReported) {
    writeStandFile(thirdpartyFile_, parameters(), "");

    EXPECT_EQ(read("airports/my_thirdparty/EHAM.xml"), "no stands found");

    EXPECT_TRUE(parkingActive);
    EXPECT_EQ(parkAirportFile.airportName, "Schiphol");
}

TEST(QualityFactors, WeighOptionsDaysAndHalfHoursOfEachKind) {
    const auto stand = [](double radiusNm, std::vector<ParkOption> options) {
        ParkPosition position;
        position.radiusNm = radiusNm;
        position.options = std::move(options);
        return position;
    };
    const ParkOption real = test::makeOption("R", "A", "T", 2, {14});
    ParkOption soft = real;
    soft.real = false;
    ParkOption uncounted = real;
    uncounted.sequence = 0;
    std::vector<ParkOption> busy;
    for (int index = 0; index < 300; ++index) {
        busy.push_back(test::makeOption("R", "A", "T", index % 7 + 1, {}));
        busy.back().timeSlots.set();
    }
    struct Case {
        const char* name;
        std::vector<ParkPosition> stands;
        std::int32_t real;
        std::int32_t soft;
    };
    const Case cases[] = {
        {"no options", {stand(0.01, {})}, -1, -1},
        {"one real option: 10122 x 0.00625", {stand(0.01, {real})}, 63, 0},
        {"one soft option", {stand(0.01, {soft})}, 0, 63},
        {"a stand without options before the first does not count", {stand(0.01, {}), stand(0.01, {real})}, 63, 0},
        {"a stand without options after it halves it", {stand(0.01, {real}), stand(0.01, {})}, 32, 0},
        {"an option that does not count", {stand(0.01, {real, uncounted})}, 63, 0},
        {"counts, days and half hours capped", {stand(0.01, busy)}, 99, 0},
        {"a stand of 8 nm weighs 1.5", {stand(8.0, {real}), stand(0.01, {})}, 53, 0},
    };
    for (const Case& c : cases) {
        const QualityFactors factors = computeQualityFactors(c.stands);
        EXPECT_EQ(factors.real, c.real) << c.name;
        EXPECT_EQ(factors.soft, c.soft) << c.name;
    }
}

TEST(QualityFactors, ShowTheSoftFactorOnlyBesideAPoorRealOne) {
    const std::pair<QualityFactors, std::string> cases[] = {
        {{80, 30}, "80"}, {{45, -1}, "45"}, {{40, 70}, "40/70"},
        {{44, 5}, "44/ 5"}, {{-1, -1}, "  "}, {{-1, 5}, "-1/ 5"},
    };
    for (const auto& [factors, text] : cases) {
        EXPECT_EQ(formatCountPair(factors), text);
    }
}

}  // namespace
