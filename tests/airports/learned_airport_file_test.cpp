// The park airport's learned file: merged over the archived stands (options,
// changes, the user's stands, the settings), handmade files, files that
// cannot be read, and the save with its round trip through the reader.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "airports/airports_state.h"
#include "airports/learned_airport_file.h"
#include "airports/park_airport_file.h"
#include "airports/park_stands.h"
#include "airports/support/stand_file_fixture.h"
#include "core/data_paths.h"
#include "core/format.h"
#include "core/settings.h"
#include "records/clock.h"
#include "traffic/aircraft_records.h"
#include "traffic/stands/parking_renewal.h"
#include "traffic/stands/static_parking.h"
#include "traffic/traffic_state.h"
#include "ui/radius.h"

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::EndsWith;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;

namespace fs = std::filesystem;

class LearnedAirportFile : public test::StandFileTest {
protected:
    LearnedAirportFile() {
        setParkAirport("EHAM");
        parkAirportFile.airportName = "Schiphol";
        parkPositions = {test::makeStand("A1", 52.3, 4.76, 30.0), test::makeStand("A2", 52.31, 4.76, 30.0)};
        ParkOption archived = test::makeOption("PH-BXA", "KLM", "B738", 2, {14});
        archived.fromArchive = true;
        parkPositions[0].options = {archived};
    }

    // Writes the learned file with the parameters and the <parkpos> elements, and merges it.
    void merge(const std::string& parameters, const std::string& parkpos,
               const std::string& meta = test::kStandFileMeta) {
        writeStandFile(learnedFile_, parameters, parkpos, meta);
        lf_readLearned(learnedFile_, parkAirportFile, parkPositions);
    }
    static std::string named(const std::string& name) { return test::standFileParameters({{"airport_name", name}}); }
    static std::vector<std::string> standNames() {
        std::vector<std::string> names;
        for (const ParkPosition& stand : parkPositions) {
            names.push_back(stand.name);
        }
        return names;
    }
    // Reads the stock stand file of EHAM as the park airport's, which merges its learned file.
    std::string readStandFile(const std::string& standFile = "airports/my_thirdparty/EHAM.xml") {
        parkPositions.clear();
        QualityFactors factors;
        return gf_readApf(standFile, parkAirportFile, factors);
    }

    const fs::path learnedFile_ = dataPaths.learnedStockFolder / "EHAM.xml";
};

TEST_F(LearnedAirportFile, LearnedOptionsAndChangesJoinTheArchivedStands) {
    const std::string options = R"(<opt reg="PH-BXA" airl="KLM" type="B738" day="2" hh="14,15"/>
        <opt reg="PH-BXA" airl="KLM" type="B738" day="2" hh="20"/>
        <opt reg="PH-BXA" airl="KLM" type="B738" day="2" hh="14" soft="true"/>
        <opt reg="PH-BXA" airl="KLM" type="B738" day="3" hh="14"/>)";
    merge(named("Schiphol"),
          R"(<parkpos id="A1">)" + options + R"(</parkpos>
             <parkpos id="A2" radius_change="true" cargo_change="true" cargo="true"/>
             <parkpos id="X9" radius_change="true" radius="10"/>)");

    const std::vector<ParkOption>& a1 = parkPositions[0].options;
    ASSERT_EQ(a1.size(), 4u);  // the first repeats the archived option: dropped
    EXPECT_EQ(a1[1].timeSlots.count(), 1u);
    EXPECT_TRUE(a1[1].timeSlots.test(20));
    EXPECT_FALSE(a1[2].real);  // a soft one stands beside the real one
    EXPECT_EQ(a1[3].day, 3);
    for (std::size_t index = 1; index < a1.size(); ++index) {
        EXPECT_EQ(a1[index].sequence, index + 1);
        EXPECT_FALSE(a1[index].fromArchive);
    }
    EXPECT_DOUBLE_EQ(parkPositions[1].radiusNm, 0.0);  // radius_change without a radius
    EXPECT_TRUE(parkPositions[1].radiusChanged);
    EXPECT_TRUE(parkPositions[1].cargo);
    EXPECT_TRUE(parkPositions[1].cargoChanged);
    EXPECT_FALSE(learnedFileHandmade);
    const std::string file = learnedFile_.string();
    EXPECT_THAT(log.lines(), testing::IsSupersetOf({fmtlib::format("Read from learned airport file: '{}'", file),
                                                    fmtlib::format("learned stand X9 in {} not found?", file)}));
}

TEST_F(LearnedAirportFile, StandsTheUserAddedComeBackWhenTheyAreWhole) {
    merge(named("Schiphol"),
          test::parkposXml("M1", 52.32, 4.76, 25.0, R"(manual="true")", R"(<opt reg="D-AIXA" day="1" hh="3"/>)") +
              test::parkposXml("A1", 52.32, 4.76, 25.0, R"(manual="true")") +
              test::parkposXml("M2", 0.00005, -0.00005, 25.0, R"(manual="true")") +
              test::parkposXml("M3", 52.32, 4.76, 0.0, R"(manual="true")"));

    EXPECT_THAT(standNames(), ElementsAre("A1", "A2", "M1"));
    EXPECT_TRUE(parkPositions[2].manual);
    ASSERT_EQ(parkPositions[2].options.size(), 1u);
    EXPECT_FALSE(parkPositions[2].options[0].fromArchive);
    const std::string file = learnedFile_.string();
    EXPECT_THAT(log.lines(),
                testing::IsSupersetOf({
                    fmtlib::format("===> manually created standid A1 already exists in {}", file),
                    fmtlib::format("===> manually created standid M2 misses correct attributes in {}", file),
                    fmtlib::format("===> manually created standid M3 misses correct attributes in {}", file),
                }));
}

TEST_F(LearnedAirportFile, TheAirportsSettingsComeBack) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> parameters;
        std::int32_t maxLiveSel;
        std::int32_t parkingPercentage;
        std::int32_t maxFit;
        bool week;
    };
    // Without MAX_LIVE there is no limit on live aircraft: the largest choice.
    const Case cases[] = {
        {{}, 500, 30, 20, false},
        {{{"MAX_LIVE", "-1"}, {"parking_percentage", "55"}, {"MAX_FIT", "60"}, {"WEEK", "true"}}, 500, 55, 47, true},
        {{{"MAX_LIVE", "20"}, {"MAX_FIT", "3"}, {"WEEK", "27"}}, 25, 30, 3, false},
        {{{"MAX_LIVE", "0"}, {"MAX_FIT", "-4"}}, 0, 30, 0, false},
    };
    for (const Case& c : cases) {
        MAX_LIVE_SEL.value = 10;
        MAX_FIT.value = 20;
        merge(test::standFileParameters(c.parameters), "");
        EXPECT_EQ(MAX_LIVE_SEL.value, c.maxLiveSel);
        EXPECT_EQ(parking_percentage.value, c.parkingPercentage);
        EXPECT_EQ(MAX_FIT.value, c.maxFit);
        EXPECT_EQ(WEEK.value, c.week);
    }
    EXPECT_FLOAT_EQ(MAX_FIT_FL.value, 0.5F);
    EXPECT_THAT(log.lines(), testing::IsSupersetOf({"          MAX_LIVE                : 500",
                                                    "          MAX_LIVE                : 25",
                                                    "          parking_percentage      : 55",
                                                    "          MAX_FIT                 : 47 (max number of half "
                                                    "hours, is 24 hrs decimal)",
                                                    "          WEEK                    : true"}));
}

TEST_F(LearnedAirportFile, TheRangeFollowsTheFileOrTheUsersOwnRadius) {
    manualRadiusNm = 25;
    merge(test::standFileParameters({{"LATERAL_RANGE", "42"}}), "");
    EXPECT_EQ(RANGE.value, 40);
    EXPECT_THAT(log.lines(), Contains("          LATERAL_RANGE           : 40"));

    merge(test::standFileParameters({{"LATERAL_RANGE", "80"}, {"AUTO_RANGE", "false"}}), "");
    EXPECT_EQ(RANGE.value, 25);
    EXPECT_FALSE(AUTO_RANGE.value);

    RANGE.value = 65;
    merge(test::standFileParameters({{"AUTO_RANGE", "true"}}), "");
    EXPECT_TRUE(AUTO_RANGE.value);
    EXPECT_EQ(manualRadiusNm, 65);
}

TEST_F(LearnedAirportFile, AFileOfAnotherNameIsWarnedAboutAndMerged) {
    merge(named("Amsterdam"), R"(<parkpos id="A2" cargo_change="true" cargo="true"/>)");
    EXPECT_TRUE(parkPositions[1].cargo);
    EXPECT_THAT(log.lines(), Contains("Warning: learned file airport name: 'Amsterdam' differs from archived file "
                                      "airport name: 'Schiphol'"));
}

TEST_F(LearnedAirportFile, AFileWithoutItsMetaEntriesIsIgnored) {
    merge(test::standFileParameters({{"MAX_FIT", "3"}}), R"(<parkpos id="A2" cargo_change="true" cargo="true"/>)",
          R"(<meta><info name="author" value="Vantrel"/></meta>)");
    EXPECT_FALSE(parkPositions[1].cargo);
    EXPECT_EQ(MAX_FIT.value, MAX_FIT.defaultValue);
}

TEST_F(LearnedAirportFile, AFileThatCannotBeReadIsKeptAsACopy) {
    const fs::path copy = dataPaths.learnedStockFolder / "EHAM.0.xml";
    for (const char* content : {"<broken", "<broken again"}) {
        test::writeBytes(learnedFile_, content);
        lf_readLearned(learnedFile_, parkAirportFile, parkPositions);
        EXPECT_EQ(test::readBytes(copy), content);
        EXPECT_EQ(test::readBytes(learnedFile_), content);
    }
    EXPECT_THAT(log.lines(), Contains(HasSubstr(fmtlib::format("{} found, but could not be loaded, saved as *.0.xml: ",
                                                               learnedFile_.string()))));
    EXPECT_EQ(parkPositions.size(), 2u);
}

TEST_F(LearnedAirportFile, AHandmadeFileReplacesTheArchivedStands) {
    merge(test::standFileParameters({{"handmade", "false"}}),
          test::parkposXml("H1", 52.3, 4.7, 20.0, "", R"(<opt reg="D-AIXA" day="1" hh="3"/>)") +
              test::parkposXml("H2", 52.3, 4.7, 20.0, R"(manual="true")"));

    EXPECT_TRUE(learnedFileHandmade);
    EXPECT_THAT(standNames(), ElementsAre("H1", "H2"));
    EXPECT_TRUE(parkPositions[0].options[0].fromArchive);
    EXPECT_FALSE(parkPositions[1].manual);
    EXPECT_THAT(log.lines(), Contains("          handmade                : false"));
}

TEST_F(LearnedAirportFile, AHandmadeFileStopsAtAStandTwice) {
    merge(test::standFileParameters({{"handmade", "true"}}),
          test::parkposXml("H1", 52.3, 4.7, 20.0) + test::parkposXml("H2", 52.3, 4.7, 20.0) +
              test::parkposXml("H1", 52.3, 4.7, 20.0) + test::parkposXml("H3", 52.3, 4.7, 20.0));

    EXPECT_TRUE(learnedFileHandmade);
    EXPECT_THAT(standNames(), ElementsAre("H1", "H2"));
    EXPECT_THAT(log.lines(), Contains("lf_readLearned: 94: Parking position H1 appears more than once?"));
    EXPECT_THAT(log.lines(), Not(Contains(HasSubstr("handmade  "))));
}

TEST_F(LearnedAirportFile, WhatWasLearnedIsSavedAndReadBack) {
    writeStandFile(dataPaths.myThirdpartyFolder / "EHAM.xml",
                   test::standFileParameters({{"airport_name", "Schiphol"}, {"publisher", "P"}, {"altitude", "-11"}}),
                   test::parkposXml("A1", 52.3, 4.76, 30.0, "",
                                    R"(<opt reg="PH-BXA" airl="KLM" type="B738" day="2" hh="14"/>)") +
                       test::parkposXml("A2", 52.31, 4.76, 30.0) + test::parkposXml("A3", 52.32, 4.76, 30.0));
    ASSERT_EQ(readStandFile(), "");
    parkPositions[0].options.push_back(test::makeOption("PH-BXB", "KLM", "B738", 2, {15}));
    parkPositions[0].options.back().sequence = 2;
    parkPositions[1].radiusNm = 20.0 / 1852.0;
    parkPositions[1].radiusChanged = true;
    learnedUpdateCount = 2;
    parkingParamsChanged = true;
    parking_percentage.value = 45;

    saveLearnedAirportFile();

    const fs::path saved = dataPaths.learnedThirdpartyFolder / "P" / "EHAM.xml";
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_THAT(log.lines(), Contains(EndsWith(fmtlib::format(
                                 " '{}' saved with 2 updates and one or more parameter changes", saved.string()))));
    EXPECT_EQ(learnedUpdateCount, 0u);
    EXPECT_FALSE(parkingParamsChanged);
    const std::string file = test::readBytes(saved);
    EXPECT_THAT(file, Not(HasSubstr("PH-BXA")));  // the archive's options stay out
    EXPECT_THAT(file, Not(HasSubstr("\"A3\"")));  // nothing learned there

    parking_percentage.value = 30;
    ASSERT_EQ(readStandFile(), "");

    EXPECT_EQ(parking_percentage.value, 45);
    ASSERT_EQ(parkPositions[0].options.size(), 2u);
    EXPECT_EQ(parkPositions[0].options[1].registration, "PH-BXB");
    EXPECT_FALSE(parkPositions[0].options[1].fromArchive);
    EXPECT_NEAR(parkPositions[1].radiusNm * 1852.0, 20.0, 1e-9);
}

// The static stand search passes over an option whose aircraft is there
// already (here a static aircraft of the same registration); the option is
// learned all the same and is saved, whether the last calculation was the
// first one (INITIAL_LOAD_ONLY: there is no other) or a renewal.
TEST_F(LearnedAirportFile, AnOptionPassedOverByTheLastCalculationIsSaved) {
    struct Case {
        const char* name;
        bool initialLoadOnly;
    };
    for (const Case& c : {Case{"the first calculation", true}, Case{"a renewal", false}}) {
        SCOPED_TRACE(c.name);
        parkAirportFile.publisher = "stock";
        INITIAL_LOAD_ONLY.value = c.initialLoadOnly;
        parking_percentage.value = 100;
        currentWeekSlot = static_cast<std::uint64_t>(2) | (static_cast<std::uint64_t>(20) << 32U);
        parkPositions = {test::makeStand("A1", 52.3, 4.76, 30.0), test::makeStand("A2", 52.31, 4.76, 30.0)};
        for (std::uint32_t id = 1; id <= parkPositions.size(); ++id) {
            parkPositions[id - 1].standId = id;
        }
        ParkOption learned = test::makeOption("PH-BXB", "KLM", "B738", 2, {20});
        learned.callsign = "KLM1";
        parkPositions[1].options = {learned};
        AcIdentity present;
        present.strings.airline = "KLM";
        present.strings.type = "B738";
        present.strings.callsign = "KLM1*";
        present.strings.registration = "PH-BXB";
        parkedAircraft.emplace_back(present, GeoPosition{52.3, 4.76}, 0.0, 1, false);
        parkedAircraft.back().simState = SimState::Active;

        calculateStaticParking();
        if (!c.initialLoadOnly) {
            gf_applyParkingAdjustments();
        }
        ASSERT_TRUE(parkCandidates.empty());  // the option was passed over
        learnedUpdateCount = 1;
        saveLearnedAirportFile();

        EXPECT_THAT(test::readBytes(learnedFile_), HasSubstr(R"(reg="PH-BXB")"));
        parkedAircraft.clear();
    }
}

TEST_F(LearnedAirportFile, EachPublisherHasItsFolder) {
    const std::pair<std::string, fs::path> cases[] = {
        {"stock", dataPaths.learnedStockFolder},
        {"simaddon", dataPaths.learnedSimaddonFolder},
        {"Orbx", dataPaths.learnedThirdpartyFolder / "Orbx"},
        {"../..", dataPaths.learnedThirdpartyFolder / "..___"},
    };
    for (const auto& [publisher, learnedFolder] : cases) {
        parkAirportFile.publisher = publisher;
        parkingParamsChanged = true;
        saveLearnedAirportFile();
        EXPECT_TRUE(fs::exists(learnedFolder / "EHAM.xml")) << publisher;
    }
    // Nothing was learned: the file holds the settings and no stand.
    EXPECT_THAT(test::readBytes(dataPaths.learnedStockFolder / "EHAM.xml"), Not(HasSubstr("<parkpos ")));
    EXPECT_THAT(log.lines(), Contains(EndsWith(" saved with 0 updates and one or more parameter changes")));
}

TEST_F(LearnedAirportFile, AnAirportOfTheSimaddonFolderLearnsThere) {
    writeStandFile(dataPaths.mySimaddonFolder / "EHAM.xml",
                   test::standFileParameters({{"publisher", "simaddon"}, {"altitude", "0"}}),
                   test::parkposXml("A1", 52.3, 4.76, 30.0));
    ASSERT_EQ(readStandFile("airports/my_simaddon/EHAM.xml"), "");
    parkPositions[0].cargo = true;
    parkPositions[0].cargoChanged = true;
    saveLearnedAirportFile();
    ASSERT_TRUE(fs::exists(dataPaths.learnedSimaddonFolder / "EHAM.xml"));

    ASSERT_EQ(readStandFile("airports/my_simaddon/EHAM.xml"), "");

    EXPECT_TRUE(parkPositions[0].cargo);
}

TEST_F(LearnedAirportFile, AHandmadeAirportStaysHandmadeWithItsChanges) {
    writeStandFile(dataPaths.myThirdpartyFolder / "EHAM.xml",
                   test::standFileParameters({{"publisher", "P"}, {"altitude", "0"}}),
                   test::parkposXml("A1", 52.3, 4.76, 30.0));
    fs::create_directories(dataPaths.learnedThirdpartyFolder / "P");
    writeStandFile(dataPaths.learnedThirdpartyFolder / "P" / "EHAM.xml",
                   test::standFileParameters({{"handmade", "true"}}),
                   test::parkposXml("H1", 52.3, 4.76, 30.0) + test::parkposXml("H2", 52.31, 4.76, 30.0));
    ASSERT_EQ(readStandFile(), "");
    EXPECT_THAT(log.lines(), Contains("A handmade airport file overruled the archived file!"));
    parkPositions[1].radiusNm = 12.0 / 1852.0;
    parkPositions[1].radiusChanged = true;
    learnedUpdateCount = 1;

    saveLearnedAirportFile();
    ASSERT_EQ(readStandFile(), "");

    EXPECT_TRUE(learnedFileHandmade);
    EXPECT_THAT(standNames(), ElementsAre("H1", "H2"));
    EXPECT_NEAR(parkPositions[1].radiusNm * 1852.0, 12.0, 1e-9);
}

TEST_F(LearnedAirportFile, DemoTrafficFillsEveryAirportAndIsNeverSaved) {
    // Small stands, which every demo type fits (the aircraft database is empty).
    writeStandFile(dataPaths.myThirdpartyFolder / "EHAM.xml",
                   test::standFileParameters({{"publisher", "P"}, {"altitude", "0"}}),
                   test::parkposXml("A1", 52.3, 4.76, 5.0) + test::parkposXml("A2", 52.31, 4.76, 5.0));
    const fs::path learned = dataPaths.learnedThirdpartyFolder / "P" / "EHAM.xml";
    const auto demoOptions = [] {
        std::size_t count = 0;
        for (const ParkPosition& stand : parkPositions) {
            count += static_cast<std::size_t>(std::ranges::count_if(
                stand.options, [](const ParkOption& option) { return option.callsign.starts_with("FAKE"); }));
        }
        return count;
    };
    struct Case {
        std::string learnedFile;  // empty: the airport has none
        const char* what;
    };
    const Case cases[] = {
        {"", "no traffic data at all"},
        {test::kStandFileMeta + test::standFileParameters({{"handmade", "true"}}) + "<parkpositions>" +
             test::parkposXml("H1", 52.3, 4.76, 5.0) + test::parkposXml("H2", 52.31, 4.76, 5.0) + "</parkpositions>",
         "a handmade file"},
    };
    for (const Case& c : cases) {
        fs::remove_all(dataPaths.learnedFolder);
        if (!c.learnedFile.empty()) {
            fs::create_directories(learned.parent_path());
            test::writeBytes(learned, c.learnedFile);
        }
        for (const int visit : {1, 2, 3}) {
            PARK_FAKE.value = true;
            ASSERT_EQ(readStandFile(), "") << c.what;
            EXPECT_EQ(demoOptions(), 2U) << c.what << ", visit " << visit;
            learnedUpdateCount = 1;
            saveLearnedAirportFile();
            EXPECT_THAT(test::readBytes(learned), Not(HasSubstr("REGFAKE"))) << c.what << ", visit " << visit;
        }
    }
}

TEST_F(LearnedAirportFile, AFailedSaveIsReportedAndTheOldFileKept) {
    test::writeBytes(learnedFile_, "old");
    fs::create_directory(learnedFile_.string() + ".new");
    parkAirportFile.publisher = "stock";
    learnedUpdateCount = 3;

    saveLearnedAirportFile();

    EXPECT_EQ(test::readBytes(learnedFile_), "old");
    EXPECT_THAT(log.lines(), Contains(EndsWith(fmtlib::format(" saving '{}' did not succeed", learnedFile_.string()))));
    EXPECT_EQ(learnedUpdateCount, 0u);
}

TEST(SameStandOption, NeedsTheSameAircraftDayKindAndAHalfHourInCommon) {
    const ParkOption known = test::makeOption("PH-BXA", "KLM", "B738", 2, {14, 15});
    const auto changed = [&](auto change) {
        ParkOption option = known;
        change(option);
        return option;
    };
    EXPECT_TRUE(sameStandOption(changed([](ParkOption& o) { o.timeSlots.reset(14); }), known));
    EXPECT_FALSE(sameStandOption(changed([](ParkOption& o) { o.timeSlots = {}; o.timeSlots.set(16); }), known));
    EXPECT_FALSE(sameStandOption(changed([](ParkOption& o) { o.day = 3; }), known));
    EXPECT_FALSE(sameStandOption(changed([](ParkOption& o) { o.real = false; }), known));
    EXPECT_FALSE(sameStandOption(changed([](ParkOption& o) { o.registration = "PH-BXB"; }), known));
    EXPECT_FALSE(sameStandOption(changed([](ParkOption& o) { o.airline = "KLC"; }), known));
    EXPECT_FALSE(sameStandOption(changed([](ParkOption& o) { o.type = "B739"; }), known));
    EXPECT_TRUE(sameStandOption(changed([](ParkOption& o) { o.callsign = "KLM1"; }), known));
}

}  // namespace
