// The add-on airport scan of the start-up: the folders it searches and
// those it does not enter, the redirect and stand files it writes for each
// kind of publisher, its log, the off-line learning folder TBLO, and how it
// ends (nothing found, a stop, a second scan).

#include "airports/airports_state.h"
#include "core/core_state.h"
#include "liveries/liveries_state.h"
#include "scanner/addon_airport_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/run_flags.h"
#include "core/settings.h"
#include "core/worker_slots.h"
#include "scanner/airport_links.h"
#include "scanner/scanner_state.h"
#include "scanner/support/bgl_builder.h"
#include "scanner/support/scanner_fixture.h"
#include "scanner/support/stand_file_reading.h"
#include "support/http_server.h"
#include "support/native_path.h"
#include "support/temp_folder.h"
#include "ui/status/main_window.h"

namespace {

namespace fs = std::filesystem;

test::BglAirport lf_airport(const std::string& icao, int standCount) {
    test::BglAirport airport;
    airport.icao = icao;
    for (int number = 1; number <= standCount; ++number) {
        airport.parkings.push_back({.number = static_cast<std::uint32_t>(number)});
    }
    return airport;
}

class AirportScanTest : public test::ScannerTest {
protected:
    AirportScanTest() {
        makeDataFolders();
        fs::create_directories(packages / "Community");
        fs::create_directories(packages / "Official");
        MSFS_INSTALL_PATH.value = packages.string();
        MSFS_2024_INSTALL_PATH.value = packages.string();
        dbase.publisherGroups.push_back({"TropicalSim"});
        SCAN_AIRPORTS.value = true;
    }
    ~AirportScanTest() override { runStopRequested = false; }

    // A BGL file of the airport below the packages folder.
    std::string addBgl(const fs::path& relative, const test::BglAirport& airport) const {
        // As the scan finds it: with this system's separator throughout.
        const fs::path file = packages / fs::path(relative).make_preferred();
        test::writeBgl(file.string(), test::BglBuilder().airport(airport).bytes());
        return file.string();
    }
    void addManifest(const fs::path& package, std::string_view text) const {
        test::writeBytes(packages / package / "manifest.json", text);
    }
    fs::path thirdparty(const std::string& name) const { return folder() / "airports" / "my_thirdparty" / name; }
    fs::path simaddon(const std::string& name) const { return folder() / "airports" / "my_simaddon" / name; }
    static std::string text(const fs::path& path) { return fs::exists(path) ? test::readBytes(path) : "<none>"; }

    const fs::path packages = folder() / "Packages";
    test::HttpServer server;  // the download server, without stock files unless a test serves some
    const test::ScopedEnvironment downloadBase{"VANTREL_DOWNLOAD_BASE", server.baseUrl()};
};

TEST_F(AirportScanTest, EachPublisherGetsItsRedirectOrStandFile) {
    addBgl("Official/OneStore/asobo-airport-edds/scenery/EDDS.bgl", lf_airport("EDDS", 3));
    addBgl("Official/OneStore/microsoft-airport-cyzt/scenery/CYZT.bgl", lf_airport("CYZT", 2));
    addBgl("Community/flytampa-eham/scenery/global/EHAM.bgl", lf_airport("EHAM", 3));
    addBgl("Community/vikingstudios-lmml/scenery/LMML.bgl", lf_airport("LMML", 40));
    const std::string ekyt = addBgl("Community/somebody-ekyt/scenery/EKYT.bgl", lf_airport("EKYT", 2));
    addManifest("Community/somebody-ekyt", R"({"manufacturer":"M Corp","creator":"Nobody Inc","title":"EKYT"})");
    // Never read: what no add-on airport lives in, and what is no BGL file.
    addBgl("Community/some-aircraft-pack/scenery/EHAM.bgl", lf_airport("EHAM", 9));
    addBgl("Community/statics-pack/scenery/statics/EHAM.bgl", lf_airport("EHAM", 9));
    addBgl("Community/pack/scenery/_heliports/EHAM.bgl", lf_airport("EHAM", 9));
    addBgl("Community/pack/scenery/EHAM.Bgl", lf_airport("EHAM", 9));
    addBgl(fs::path("Community") / std::string(250, 'x') / "EHAM.bgl", lf_airport("EHAM", 9));

    gf_scanAddonAirports();

    EXPECT_EQ(text(simaddon("EDDS.txt")), "archive/simaddon/EDDS.xml\n");
    EXPECT_FALSE(fs::exists(simaddon("EDDS.xml"))) << "an archived simaddon airport keeps to the archive";
    EXPECT_EQ(scanLogLinesWith("CYZT does not exist as simaddon").size(), 0U) << "the log is written and emptied";
    const test::GeneratedStandFile cyzt(simaddon("CYZT.xml"));
    EXPECT_EQ(cyzt.parameter("publisher"), "simaddon");
    EXPECT_EQ(cyzt.parameter("BGLpath"), "<absent>");

    EXPECT_EQ(text(thirdparty("EHAM.txt")), "archive/thirdparty/FlyTampa/EHAM.xml\n");
    EXPECT_FALSE(fs::exists(thirdparty("EHAM.xml"))) << "3 stands, 212 archived";
    EXPECT_EQ(text(thirdparty("LMML.txt")), "archive/thirdparty/Viking%20%20Studios/LMML.xml\n");
    const test::GeneratedStandFile lmml(thirdparty("LMML.xml"));
    EXPECT_EQ(lmml.parameter("num_parkpos"), "40") << "40 stands, 30 archived: both files";
    EXPECT_EQ(lmml.parameter("publisher"), "Viking  Studios");

    const test::GeneratedStandFile unknown(thirdparty("EKYT.xml"));
    EXPECT_EQ(unknown.parameter("publisher"), "unknown");
    EXPECT_EQ(unknown.parameter("BGLpath"), ekyt);
    EXPECT_EQ(unknown.parameter("manufacturer"), "M Corp");
    EXPECT_EQ(unknown.parameter("creator"), "Nobody Inc");
    EXPECT_EQ(unknown.parameter("altitude"), "-10");
    EXPECT_EQ(unknown.meta("MSFS"), "2020");

    // Per folder searched, in order, the files read (sorted: the workers
    // log in the order they happen to run).
    const std::vector<std::string> scanLog = fileLines(folder() / "output" / "info" / "AirportsScanLog.txt");
    std::vector<std::vector<std::string>> searched;
    for (const std::string& line : scanLog) {
        if (line.starts_with("Scanning for addon airports in ")) {
            searched.push_back({line});
        } else if (line.starts_with("Try find publisher in: ") && !searched.empty()) {
            searched.back().push_back(line.substr(line.find(": ") + 2));
            std::ranges::sort(searched.back().begin() + 1, searched.back().end());
        }
    }
    const auto inPackages = [this](std::string_view relative) {
        return (packages / fs::path(relative).make_preferred()).string();
    };
    EXPECT_EQ(searched, (std::vector<std::vector<std::string>>{
                            {"Scanning for addon airports in " + inPackages("Official"),
                             inPackages("Official/OneStore/asobo-airport-edds/scenery/EDDS.bgl"),
                             inPackages("Official/OneStore/microsoft-airport-cyzt/scenery/CYZT.bgl")},
                            {"Scanning for addon airports in " + inPackages("Community"),
                             inPackages("Community/flytampa-eham/scenery/global/EHAM.bgl"), ekyt,
                             inPackages("Community/vikingstudios-lmml/scenery/LMML.bgl")},
                        }))
        << "Official first; the excluded ones never";
    const auto has = [&scanLog](const std::string& line) { return std::ranges::find(scanLog, line) != scanLog.end(); };
    EXPECT_TRUE(has("===> LMML has 40 parkpos while archived one has 30"));
    EXPECT_FALSE(has("===> EHAM has 3 parkpos while archived one has 212"));
    EXPECT_TRUE(has("CYZT does not exist as simaddon"));
    EXPECT_TRUE(has("simaddon airport EDDS linked to archive/simaddon/EDDS.xml"));
    EXPECT_TRUE(has("thirdparty airport EHAM linked to archive/thirdparty/FlyTampa/EHAM.xml"));
    EXPECT_TRUE(has("Generated EKYT.xml: 2 positions"));

    EXPECT_EQ(logLinesWith("Airports scan successful").size(), 1U);
    EXPECT_EQ(logLinesWith("The scan will search 2 folders").size(), 1U);
    EXPECT_FALSE(SCAN_AIRPORTS.value);
    EXPECT_EQ(fileValue("SCAN_AIRPORTS"), "false");
    EXPECT_FALSE(fs::exists(folder() / "TBLO")) << "nothing for off-line learning";
    EXPECT_TRUE(airportNames.empty());
}

TEST_F(AirportScanTest, ScanThatFindsNothingWarnsAndEnds) {
    addBgl("Community/pack/scenery/objects.bgl", {});  // an airport record without stands or publisher
    gf_scanAddonAirports();
    EXPECT_EQ(std::string(MainWindow::messageText), "Warning: Scan has not found any add-on airports");
    EXPECT_EQ(logLinesWith("Warning: Scan has not found any add-on airports").size(), 1U);
    EXPECT_TRUE(logLinesWith("Airports scan successful").empty());
    EXPECT_EQ(fileValue("SCAN_AIRPORTS"), "false");
    EXPECT_FALSE(fs::exists(folder() / "TBLO"));
    EXPECT_TRUE(fs::exists(folder() / "output" / "info" / "AirportsScanLog.txt"));
}

TEST_F(AirportScanTest, MissingFoldersAreNamedAndPassedOver) {
    fs::remove_all(packages / "Official");
    test::writeBytes(packages / "Community2", "");
    fs::remove_all(packages / "Community");
    scanFolderChecked({"", (packages / "Official").string(), (packages / "Community2").string()});
    EXPECT_EQ(logLinesWith("skipped!"), (std::vector<std::string>{
                                            (packages / "Official").string() + " does not exist, skipped!",
                                            (packages / "Community2").string() + " is not a folder name, skipped!",
                                        }));
    MSFS_INSTALL_PATH.value = "";
    EXPECT_TRUE(collectScanFolders().empty()) << "never the working folder's own";
}

TEST_F(AirportScanTest, EachScanStartsWithNothingFound) {
    addBgl("Community/somebody-ekyt/scenery/EKYT.bgl", lf_airport("EKYT", 2));
    gf_scanAddonAirports();
    ASSERT_TRUE(fs::exists(thirdparty("EKYT.xml")));
    fs::remove_all(packages / "Community" / "somebody-ekyt");
    SCAN_AIRPORTS.value = true;
    gf_scanAddonAirports();
    EXPECT_FALSE(fs::exists(thirdparty("EKYT.xml")));
    EXPECT_EQ(logLinesWith("Airports scan successful").size(), 1U) << "the first scan only";
    EXPECT_EQ(logLinesWith("Warning: Scan has not found any add-on airports").size(), 1U);
}

TEST_F(AirportScanTest, ScanRemovesOnlyWhatAnEarlierScanWrote) {
    addBgl("Community/somebody-ekyt/scenery/EKYT.bgl", lf_airport("EKYT", 2));
    addBgl("Community/vikingstudios-lmml/scenery/LMML.bgl", lf_airport("LMML", 40));  // redirect and stand file
    addBgl("Community/tropicalsim-kmci/scenery/KMCI.bgl", lf_airport("KMCI", 2));
    gf_scanAddonAirports();
    ASSERT_TRUE(fs::exists(thirdparty("EKYT.xml")));
    ASSERT_TRUE(fs::exists(thirdparty("LMML.txt")));

    // What the user placed in the folder between the scans.
    const std::vector<std::pair<std::string, std::string>> userFiles{
        {"LSZH.xml", "<parkpositions/>"},          // an airport of their own
        {"KMCI.xml", "<parameters><parameter name=\"publisher\" value=\"TropicalSim\"/></parameters>"},
        {"EDDM.txt", "archive/thirdparty/Aerosoft/EDDM.xml\n"},  // a redirect of their own
        {"old/EGLL.xml", "<parkpositions/>"},      // a folder that holds files
    };
    for (const auto& [name, content] : userFiles) {
        fs::create_directories(thirdparty(name).parent_path());
        test::writeBytes(thirdparty(name), content);
    }
    for (const char* package : {"somebody-ekyt", "vikingstudios-lmml", "tropicalsim-kmci"}) {
        fs::remove_all(packages / "Community" / package);
    }
    SCAN_AIRPORTS.value = true;
    gf_scanAddonAirports();

    EXPECT_FALSE(SCAN_AIRPORTS.value) << "the scan ran to its end";
    EXPECT_FALSE(fs::exists(thirdparty("EKYT.xml")));
    EXPECT_FALSE(fs::exists(thirdparty("LMML.txt")));
    EXPECT_FALSE(fs::exists(thirdparty("LMML.xml")));
    for (const auto& [name, content] : userFiles) {
        EXPECT_EQ(text(thirdparty(name)), content) << name;
    }
}

TEST_F(AirportScanTest, StoppedScanIsDoneAgainAtTheNextStart) {
    addBgl("Community/somebody-ekyt/scenery/EKYT.bgl", lf_airport("EKYT", 2));
    runStopRequested = true;
    gf_scanAddonAirports();
    EXPECT_FALSE(fs::exists(thirdparty("EKYT.xml"))) << "no file read after the stop";
    EXPECT_TRUE(SCAN_AIRPORTS.value) << "neither switched off nor saved";
    EXPECT_NE(std::string(MainWindow::messageText), "Warning: Scan has not found any add-on airports");
    EXPECT_TRUE(fs::exists(folder() / "output" / "info" / "AirportsScanLog.txt"));
    EXPECT_FALSE(fs::exists(folder() / "TBLO"));
}

TEST_F(AirportScanTest, Msfs2024KeepsToItsCommunityFolderAndTheArchive) {
    SIM_CHOICE.value = "MSFS 2024";
    test::writeBytes(simaddon("EGLL.txt"), "archive/simaddon/EGLL.xml\n");  // from the start-up's updater
    addBgl("Official/OneStore/asobo-airport-edds/scenery/EDDS.bgl", lf_airport("EDDS", 3));
    addBgl("Community/flytampa-kbos/scenery/KBOS.bgl", lf_airport("KBOS", 150));
    addBgl("Community/flytampa-eham/scenery/EHAM.bgl", lf_airport("EHAM", 2));
    addBgl("Community/somebody-ekyt/scenery/EKYT.bgl", lf_airport("EKYT", 2));
    gf_scanAddonAirports();
    EXPECT_TRUE(fs::exists(simaddon("EGLL.txt"))) << "my_simaddon is not emptied";
    EXPECT_FALSE(fs::exists(simaddon("EDDS.txt"))) << "no Official folder is searched";
    EXPECT_EQ(text(thirdparty("KBOS.txt")), "archive/thirdparty/FlyTampa/KBOS.xml\n");
    EXPECT_FALSE(fs::exists(thirdparty("KBOS.xml"))) << "a linked airport is read no further";
    EXPECT_FALSE(fs::exists(thirdparty("EHAM.txt"))) << "archived for MSFS 2020 only";
    EXPECT_TRUE(fs::exists(thirdparty("EHAM.xml")));
    EXPECT_EQ(test::GeneratedStandFile(thirdparty("EKYT.xml")).meta("MSFS"), "2024");
    const std::vector<std::string> scanLog = fileLines(folder() / "output" / "info" / "AirportsScanLog.txt");
    EXPECT_EQ(std::ranges::count_if(scanLog, [](const std::string& line) { return line.starts_with("===> KBOS has"); }),
              0)
        << "no has-parkpos line for a linked airport";
}

TEST_F(AirportScanTest, SuitableAirportsOfKnownPublishersGoToTblo) {
    const std::string suitable =
        R"(<parameters><parameter name="Qf_real" value="90"/><parameter name="RT_traffic_week" value="27"/></parameters>)";
    for (const std::string icao : {"LMML", "EKYT", "KJFK"}) {
        server.serve("/MSFS/archive/stock/" + icao + ".xml", suitable);
    }
    addBgl("Community/vikingstudios-lmml/scenery/LMML.bgl", lf_airport("LMML", 40));  // redirect and stand file
    addBgl("Community/somebody-ekyt/scenery/EKYT.bgl", lf_airport("EKYT", 2));
    addManifest("Community/somebody-ekyt", R"({"manufacturer":"M Corp","creator":"Nobody Inc"})");
    addBgl("Community/orbx-kjfk/scenery/KJFK.bgl", lf_airport("KJFK", 2));  // stand file only
    addBgl("Community/tropicalsim-kmci/scenery/KMCI.bgl", lf_airport("KMCI", 2));
    gf_scanAddonAirports();

    EXPECT_EQ(test::GeneratedStandFile(folder() / "TBLO" / "LMML.xml").parameter("num_parkpos"), "40");
    EXPECT_FALSE(fs::exists(thirdparty("LMML.xml"))) << "its redirect stands in for it";
    EXPECT_TRUE(fs::exists(thirdparty("LMML.txt")));
    EXPECT_TRUE(fs::exists(folder() / "TBLO" / "KJFK.xml"));
    EXPECT_TRUE(fs::exists(thirdparty("KJFK.xml")));
    EXPECT_FALSE(fs::exists(folder() / "TBLO" / "EKYT.xml")) << "its maker is not known";
    EXPECT_FALSE(fs::exists(thirdparty("KMCI.xml")));
    EXPECT_EQ(tbloFileCount, 2);
    EXPECT_EQ(logLinesWith("LMML copied to " + test::nativePath("TBLO/LMML.xml")).size(), 1U);
    EXPECT_EQ(logLinesWith("zip folder 'TBLO', and mail to support@vantrel.example").size(), 1U);
}

TEST_F(AirportScanTest, RedirectThatCannotBeWrittenLinksNothing) {
    fs::remove_all(folder() / "airports" / "my_thirdparty");
    test::writeBytes(folder() / "airports" / "my_thirdparty", "a file in place of the folder");
    addonAirportFound = false;
    ScannedAirport airport;
    airport.icao = "EHAM";
    std::uint32_t archivedCount = 0;
    EXPECT_FALSE(linkAirportToPackage(airport, archivedCount, addBgl("Community/flytampa-eham/EHAM.bgl", {})));
    EXPECT_EQ(airport.publisher, "FlyTampa");
    EXPECT_EQ(scanLogLinesWith("Writing ").size(), 1U);
    EXPECT_TRUE(scanLogLinesWith("linked to").empty());
    EXPECT_FALSE(addonAirportFound);
}

TEST_F(AirportScanTest, OneAirportInManyFilesGivesOneWholeStandFile) {
    maxWorkers = 8;
    for (int copy = 1; copy <= 40; ++copy) {
        addBgl(fs::path("Community") / ("somebody-ekyt-" + std::to_string(copy)) / "EKYT.bgl",
               lf_airport("EKYT", 1000 + copy));
    }
    gf_scanAddonAirports();
    const test::GeneratedStandFile file(thirdparty("EKYT.xml"));
    ASSERT_TRUE(file.loaded);
    const std::size_t stands = file.standIds().size();
    EXPECT_EQ(file.parameter("num_parkpos"), std::to_string(stands));
    EXPECT_TRUE(logLinesWith("could not save").empty());
    EXPECT_TRUE(scanLogLinesWith("did not succeed").empty());
}

}  // namespace
