// The livery scan of the start-up over a small simulator installation made
// by the tests: the catalogue and every report it writes, the folders it
// chooses, and how it ends when it finds nothing, cannot write or is asked
// to stop.

#include "core/core_state.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "core/data_paths.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "liveries/livery_catalog.h"
#include "liveries/livery_data.h"
#include "liveries/scan_reports.h"
#include "liveries/support/cfg_files.h"
#include "liveries/support/liveries_fixture.h"
#include "support/native_path.h"
#include "ui/status/main_window.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::CfgEncoding;

// The catalogue a scan wrote before, which must survive a scan that fails.
constexpr std::string_view kPreviousCatalog = R"(<?xml version="1.0"?>
<liveries>
	<liv airl="KLM" type="B738" title="Previous scan" />
</liveries>
)";

class LiveryScanTest : public test::LiveriesTest {
protected:
    LiveryScanTest() {
        loadDbase();
        fs::create_directories(folder() / "output");
        MSFS_INSTALL_PATH.value = packages.string();
        fs::create_directories(community);
        fs::create_directories(packages / "Official");
    }

    Lines fileLines(const fs::path& relative) const {
        std::ifstream file(folder() / relative);
        Lines lines;
        for (std::string line; std::getline(file, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    // The lines of LiveriesScanned.xml from "<liveries>" on.
    Lines catalogLines() const {
        Lines lines = fileLines(dataPaths.liveriesCatalogFile);
        lines.erase(lines.begin(), std::ranges::find(lines, "<liveries>"));
        return lines;
    }
    // Whether the log holds the lines in this order (others between them).
    bool loggedInOrder(const Lines& expected) const {
        const Lines lines = logLines();
        auto at = lines.begin();
        for (const std::string& line : expected) {
            at = std::find(at, lines.end(), line);
            if (at == lines.end()) {
                ADD_FAILURE() << "not logged in order: " << line;
                return false;
            }
        }
        return true;
    }
    static std::string userError(const std::function<void()>& action) {
        try {
            action();
        } catch (const qrx::UserErrorException& error) {
            return error.what();
        }
        return "no user error";
    }
    void writePreviousCatalog() const { writeText(dataPaths.liveriesCatalogFile, kPreviousCatalog); }
    // One aircraft.cfg of the type with sections of KLM liveries of these titles.
    static void writeAircraft(const fs::path& file, std::string_view type, std::initializer_list<const char*> titles,
                              std::string_view airline = "KLM") {
        std::string text = fmtlib::format("[GENERAL]\nicao_type_designator = {}\n", type);
        int number = 0;
        for (const char* title : titles) {
            text += fmtlib::format("[fltsim.{}]\ntitle = {}\nicao_airline = {}\n", number++, title, airline);
        }
        test::writeCfgFile(file, text);
    }

    const fs::path packages = folder() / "MSFS" / "Packages";
    const fs::path community = packages / "Community";
};

// The installation: one package of each kind the automatic scan looks for,
// with files in every encoding, and the problems the reports are for.
class InstallationScanTest : public LiveryScanTest {
protected:
    InstallationScanTest() {
        test::writeCfgFile(aigAirplanes / "AIG_B738" / "aircraft.cfg", R"([GENERAL]
icao_type_designator = "B738"

[FLTSIM.0]
title = "AIG KLM B738 PH-BXA"
icao_airline = "KLM"
atc_id = "PH-BXA"
atc_parking_types = "GATE"

[FLTSIM.1]
title = "AIG KLM B738-STUB"
icao_airline = "KLM"

[FLTSIM.2]
title = "AIG Transavia B738"
icao_airline = "TRA"

[FLTSIM.3]
icao_airline = "DLH"
atc_parking_types = "GATE"

[FLTSIM.4]
title = "AIG KLM B738 PH-BXA"
icao_airline = "KLM"
)");
        test::writeCfgFile(aigAirplanes / "AIG_A32N" / "aircraft.cfg", R"([GENERAL]
icao_type_designator = "A32N"
[FLTSIM.0]
title = "AIG Lufthansa A320"
icao_airline = "DLH"
atc_id = "D-AIZA"
[FLTSIM.1]
title = "AIG KLM A320 PH-EXA"
icao_airline = "KLM"
atc_id = "PH-EXA"
atc_parking_types = "CARGO"
)",
                           CfgEncoding::utf8CrLf);
        test::writeCfgFile(aigAirplanes / "AIG_BAD" / "aircraft.cfg",
                           "[GENERAL]\nicao_type_designator = B738\n[fltsim.0]\ntitle = Bad 1\nicao_airline = KLM\n"
                           "[fltsim.10001]\ntitle = Bad 2\nicao_airline = KLM\n");
        test::writeCfgFile(aigAirplanes / "AIG_EMPTY" / "aircraft.cfg", "[GENERAL]\nicao_type_designator = B738\n");
        writeAircraft(aigAirplanes / "AIG_XXXX" / "aircraft.cfg", "XXXX", {"Unknown type"});
        test::writeCfgFile(aigAirplanes / "AIG_NOTYPE" / "aircraft.cfg",
                           "[GENERAL]\n[fltsim.0]\ntitle = No type\nicao_airline = KLM\n");
        test::writeCfgFile(community / "fsltl-traffic-base" / "SimObjects" / "Airplanes" / "FSLTL_A320" / "aircraft.cfg",
                           R"([GENERAL]
icao_type_designator = "A320"
[fltsim.0]
title = "FSLTL_A320_BAW"
icao_airline = "BAWC"
atc_parking_types = "GATE,RAMP"
[fltsim.1]
title = "FSLTL_A320_KLM"
icao_airline = "KLM"
)",
                           CfgEncoding::utf16CrLf);
        writeAircraft(community / "a_CVT_fsltl-traffic-base" / "SimObjects" / "Airplanes" / "X" / "aircraft.cfg", "B738",
                      {"Converted copy"});
        writeAircraft(community / "airport-eham" / "aircraft.cfg", "B738", {"Airport"});
        test::writeCfgFile(jfAirplanes / "JF_B763" / "aircraft.cfg", R"([GENERAL]
icao_type_designator = "B763"
[FLTSIM.0]
title = "JF FedEx 767"
icao_airline = "FDX"
atc_id = "N101FE"
atc_parking_types = "CARGO,RAMP"
[FLTSIM.1]
title = "JF Heavy without airline"
)",
                           CfgEncoding::utf8MarkCrLf);
        test::writeCfgFile(ivaoAircraft / "aircraft.cfg",
                           "[fltsim.0]\ntitle = B738W KLM IVAO\ntexture = KLM\n"
                           "[fltsim.1]\ntitle = B738W BAW IVAO\ntexture = BA\n",
                           CfgEncoding::utf16BigEndian);
        fs::create_directories(ivaoAircraft / "texture.KLM");
    }

    static std::string cfg(const fs::path& aircraftFolder) { return (aircraftFolder / "aircraft.cfg").string(); }

    const fs::path aig = community / "aig-aitraffic-oci-beta";
    const fs::path aigAirplanes = aig / "SimObjects" / "Airplanes";
    const fs::path jf = community / "justflight-aircraft-traffic-fleet";
    const fs::path jfAirplanes = jf / "SimObjects" / "Airplanes";
    const fs::path user = community / "user-aitraffic-mine";
    const fs::path ivaoAircraft = user / "IVAO_MTL" / "SimObjects" / "Airplanes" / "IVAO_B738WLfa";
};

TEST_F(InstallationScanTest, ScanWritesTheCatalogueAndEveryReport) {
    writeEntries({{"SCAN_LIVERIES", "true"}});
    ASSERT_TRUE(gf_scanLiveries());

    EXPECT_EQ(catalogLines(), (Lines{
                                  "<liveries>",
                                  R"(	<liv airl="BAW" type="A320" title="FSLTL_A320_BAW" />)",
                                  R"(	<liv airl="DLH" type="A320" title="AIG Lufthansa A320" atcid="D-AIZA" />)",
                                  R"(	<liv airl="FDX" type="B763" cargo="true" title="JF FedEx 767" atcid="N101FE" />)",
                                  R"(	<liv airl="KLC" type="A320" title="AIG KLM A320 PH-EXA" atcid="PH-EXA" />)",
                                  R"(	<liv airl="KLM" type="A320" title="FSLTL_A320_KLM" />)",
                                  R"(	<liv airl="KLM" type="B738" title="AIG KLM B738 PH-BXA" atcid="PH-BXA" />)",
                                  R"(	<liv airl="KLM" type="B738" title="B738W KLM IVAO" />)",
                                  R"(	<liv airl="PVT" type="B738" title="AIG Transavia B738" />)",
                                  "</liveries>",
                              }));
    const fs::path b738 = aigAirplanes / "AIG_B738";
    EXPECT_EQ(fileLines(dataPaths.invalidAirlineCodesReportFile),
              Lines{"TRA          in " + cfg(b738) + " [FLTSIM.2]"});
    EXPECT_EQ(fileLines(dataPaths.invalidAircraftCodesReportFile),
              Lines{"XXXX             in " + cfg(aigAirplanes / "AIG_XXXX")});
    EXPECT_EQ(fileLines(dataPaths.fixesReportFile),
              Lines{"Model fix: A32N found in " + cfg(aigAirplanes / "AIG_A32N") + " changed into A320"});
    EXPECT_EQ(fileLines(dataPaths.invalidAircraftCfgFilesReportFile),
              (Lines{cfg(aigAirplanes / "AIG_BAD") + " contains a [fltsim.x] section with a number < 0 or > 10000",
                     "Line icao_type_designator= is missing in [General] section of " +
                         cfg(aigAirplanes / "AIG_NOTYPE")}));
    Lines sections = {
        // The stub is refused at its title, before its airline was read.
        cfg(b738) + " [FLTSIM.1] icao_airline is missing, or it has invalid info ",
        cfg(b738) + " [FLTSIM.2] icao_airline is missing, or it has invalid info ",
        b738.string() + " [FLTSIM.3] misses title",
        b738.string() + " [FLTSIM.4] title 'AIG KLM B738 PH-BXA' already exists",
        cfg(jfAirplanes / "JF_B763") + " [FLTSIM.1] icao_airline is missing, or it has invalid info ",
        "'" + (jfAirplanes / "JF_B763").string() + "' '[FLTSIM.1]' has no airline and no regcode info",
        ivaoAircraft.string() + " [fltsim.1] does not exist",
    };
    std::ranges::sort(sections);
    EXPECT_EQ(fileLines(dataPaths.incompleteFltsimSectionsReportFile), sections);
    EXPECT_EQ(fileLines(dataPaths.noFltsimSectionReportFile), Lines{cfg(aigAirplanes / "AIG_EMPTY")});
    EXPECT_EQ(fileLines(dataPaths.airlineModelConversionsReportFile),
              (Lines{fmtlib::format("{:80} PH-EXA cargo true => false", "AIG KLM A320 PH-EXA"),
                     fmtlib::format("{:80} PH-EXA airl KLM => KLC", "AIG KLM A320 PH-EXA")}));

    const std::string fsltl = (community / "fsltl-traffic-base").string();
    EXPECT_TRUE(loggedInOrder({
        "++++++++++++++++++++++++ liveries scan automatic starts ++++++++++++++++++++++++++++++++",
        "Automatic AIG scan found folder: '" + aig.string() + "'",
        "Automatic FSLTL scan found folder: '" + fsltl + "'",
        "Automatic JF scan found folder: '" + jf.string() + "'",
        "Automatic user-aitraffic scan found folder: '" + user.string() + "'",
        "4 liveries found in " + aig.string(),
        "2 liveries found in " + fsltl,
        "1 liverie found in " + jf.string(),
        "1 liverie found in " + user.string(),
        "8 in total",
        "'" + test::nativePath("output/LiveriesScanned.xml") + "' saved",
        "8 liveries in " + test::nativePath("output/LiveriesScanned.xml"),
        "Errors:",
        "1 invalid airline code, see " + test::nativePath("output/errors/InvalidAirlineCodes.txt"),
        "1 invalid model code, see " + test::nativePath("output/errors/InvalidAircraftCodes.txt"),
        "1 code fixes, see " + test::nativePath("output/errors/Fixes.txt"),
        "2 invalid aircraft.cfg files, see " + test::nativePath("output/errors/InvalidAircraftCfgFiles.txt"),
        "7 incomplete [fltsim.x] sections, see " + test::nativePath("output/errors/IncompleFltsimSections.txt"),
        "Information:",
        "1 empty aircraft.cfg files, see " + test::nativePath("output/info/AircraftCfgWithNoFltsimSection.txt"),
        "2 liveries updated with real live data from dbase, see " +
            test::nativePath("output/info/AirlineModelConversions.txt"),
        "++++++++++++++++++++++++ liveries scan ends ++++++++++++++++++++++++++++++++",
        "8 liveries read from " + test::nativePath("output/LiveriesScanned.xml"),
        "6 airlines, 2 pax aircraft models and 1 cargo aircraft models",
    }));

    // The scan is done: switched off and saved, the catalogue built, the
    // report lists empty for the next scan.
    EXPECT_FALSE(SCAN_LIVERIES.value);
    EXPECT_EQ(fileValue("SCAN_LIVERIES"), "false");
    EXPECT_TRUE(liveriesProcessed);
    EXPECT_EQ(MainWindow::liveryCount, 8);
    EXPECT_EQ(liveryCatalog.byAirline.size(), 6u);
    EXPECT_TRUE(liveryList.empty());
    EXPECT_TRUE(liveryTitles.empty() && incompleteSectionLines.lines.empty() && dbaseUpdateLines.empty());
    EXPECT_FALSE(fs::exists(folder() / "output" / "LiveriesScanned.xml.new"));

    // A later start-up of the worker keeps the catalogue.
    ASSERT_TRUE(gf_scanLiveries());
    EXPECT_TRUE(logged("Processing scanned liveries skipped; already done in previous start-up"));

    // Asked for by the main window (a new scan or another simulator): the
    // next start-up builds it again from the file, in place of the old one.
    gf_requestLiveryCatalogRebuild();
    ASSERT_TRUE(gf_scanLiveries());
    const Lines lines = logLines();
    const std::string catalogueRead = "8 liveries read from " + test::nativePath("output/LiveriesScanned.xml");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), catalogueRead), 2);
    EXPECT_EQ(liveryCatalog.byAirline.size(), 6u);
    EXPECT_TRUE(liveriesProcessed);
}

TEST_F(InstallationScanTest, ScanWithoutProblemsWritesNoErrorReports) {
    fs::remove_all(community);
    writeAircraft(community / "user-aitraffic" / "a" / "aircraft.cfg", "B738", {"Fine"});
    writeText(dataPaths.fixesReportFile, "from the scan before\n");  // removed by the scan
    writeText(dataPaths.airlineModelConversionsReportFile, "from the scan before\n");
    LiveryFolders folders;
    getLiveryFolders(folders);
    EXPECT_EQ(scanLiveryFolders(folders), LiveryScanResult::found);
    EXPECT_FALSE(fs::exists(dataPaths.errorsFolder));
    EXPECT_FALSE(fs::exists(dataPaths.airlineModelConversionsReportFile));
    EXPECT_TRUE(loggedInOrder({"", "No errors", "", "Information:"}));
}

// A stop request while the liveries are scanned: nothing is written or
// switched off, the catalogue of the scan before stays, and the start-up
// ends without reading it (which would fail while a scan half done had
// removed it).
TEST_F(InstallationScanTest, StopDuringTheScanChangesNothing) {
    writeEntries({{"SCAN_LIVERIES", "true"}});
    writePreviousCatalog();
    runStopRequested = true;
    EXPECT_FALSE(gf_scanLiveries());
    EXPECT_EQ(readText(dataPaths.liveriesCatalogFile), kPreviousCatalog);
    EXPECT_TRUE(SCAN_LIVERIES.value);
    EXPECT_EQ(fileValue("SCAN_LIVERIES"), "true");
    EXPECT_FALSE(liveriesProcessed);
    EXPECT_TRUE(liveryList.empty() && liveryTitles.empty() && invalidAirlineLines.lines.empty());
    EXPECT_TRUE(logged("liveries scan stopped, nothing written"));

    // Without a scan to do, a stopped start-up does not read the catalogue either.
    SCAN_LIVERIES.value = false;
    EXPECT_FALSE(gf_scanLiveries());
    EXPECT_FALSE(liveriesProcessed);
}

TEST_F(InstallationScanTest, CatalogueThatCannotBeWrittenKeepsThePreviousOne) {
    writePreviousCatalog();
    fs::create_directories(folder() / "output" / "LiveriesScanned.xml.new");  // in the way of the new file
    try {
        (void)gf_scanLiveries();
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "could not save to '" + test::nativePath("output/LiveriesScanned.xml") + "'");
    }
    EXPECT_EQ(readText(dataPaths.liveriesCatalogFile), kPreviousCatalog);
    EXPECT_TRUE(SCAN_LIVERIES.value);
    EXPECT_TRUE(liveryTitles.empty() && incompleteSectionLines.lines.empty());
}

TEST_F(LiveryScanTest, NothingFound) {
    writePreviousCatalog();
    fs::create_directories(community / "airport-only");
    const std::string automatic =
        "43: Automatic scan has not found any liveries, switch off automatic and set lfolder parameter(-s), Manual 5.1";
    EXPECT_EQ(userError([] { (void)gf_scanLiveries(); }), automatic);
    MSFS_INSTALL_PATH.value = "";  // no Community folder to look in
    EXPECT_EQ(userError([] { (void)gf_scanLiveries(); }), automatic);
    LIG_AUTOMATIC.value = false;
    EXPECT_EQ(userError([] { (void)gf_scanLiveries(); }),
              "48: Set lfolder parameter(-s) to your liveries first, see Manual 5.1 (or check Liveries automatic)");
    lfolder[4].value = (community / "airport-only").string();
    EXPECT_EQ(userError([] { (void)gf_scanLiveries(); }), "53: no liveries found");
    EXPECT_EQ(MainWindow::liveryCount, 0);
    EXPECT_TRUE(SCAN_LIVERIES.value);
    EXPECT_EQ(readText(dataPaths.liveriesCatalogFile), kPreviousCatalog);
}

TEST_F(LiveryScanTest, PackageOrderOfTheSelector) {
    for (const char* package : {"a_CVT_aig-aitraffic-oci", "aig-aitraffic-oci-beta", "fsltl-traffic-base",
                                "justflight-fstraffic-module", "user-aitraffic-x", "user-aitraffic-y"}) {
        fs::create_directories(community / package);
    }
    const std::string aig = "aig-aitraffic-oci-beta";
    const std::string fsltl = "fsltl-traffic-base";
    const std::string jf = "justflight-fstraffic-module";
    const std::string user = "user-aitraffic-x";
    const std::pair<const char*, Lines> cases[] = {
        {"AIG, FSLTL, JF", {aig, fsltl, jf, user}}, {"AIG, JF, FSLTL", {aig, jf, fsltl, user}},
        {"FSLTL, AIG, JF", {fsltl, aig, jf, user}}, {"FSLTL, JF, AIG", {fsltl, jf, aig, user}},
        {"JF, AIG, FSLTL", {jf, aig, fsltl, user}}, {"JF, FSLTL, AIG", {jf, fsltl, aig, user}},
    };
    for (const auto& [order, names] : cases) {
        AI_PACKAGE_SELECTOR.value = order;
        LiveryFolders folders;
        getLiveryFolders(folders);
        Lines found;
        for (const fs::path& folder : folders) {
            EXPECT_EQ(folder.parent_path(), community);
            found.push_back(folder.filename().string());
        }
        EXPECT_EQ(found, names) << order;
    }
    AI_PACKAGE_SELECTOR.value = "AIG,FSLTL,JF";
    LiveryFolders folders;
    EXPECT_THROW(
        {
            try {
                getLiveryFolders(folders);
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "AI_PACKAGE_SELECTOR not set");
                throw;
            }
        },
        std::runtime_error);
}

// The user's folders in key order; one that does not exist or is no folder
// takes no ordinal, so with LIG_PRIORITIZE the first existing folder wins an
// airline and model that a later one also has.
TEST_F(LiveryScanTest, UserFoldersAndPriority) {
    const fs::path first = folder() / "first";
    const fs::path second = folder() / "second";
    writeAircraft(first / "b738" / "aircraft.cfg", "B738", {"First KLM 737"});
    writeAircraft(first / "a320" / "aircraft.cfg", "A320", {"First KLM A320"});
    writeAircraft(second / "b738" / "aircraft.cfg", "B738", {"Second KLM 737"});
    writeAircraft(second / "b738dlh" / "aircraft.cfg", "B738", {"Second DLH 737"}, "DLH");
    writeAircraft(second / "copy" / "aircraft.cfg", "A320", {"First KLM A320"});  // the same livery again
    writeText("a-file", "x");
    LIG_AUTOMATIC.value = false;
    lfolder[2].value = (folder() / "missing").string();
    lfolder[3].value = (folder() / "a-file").string();
    lfolder[5].value = first.string();
    lfolder[8].value = second.string();
    const auto titles = [this] {
        Lines found;
        for (const std::string& line : catalogLines()) {
            const auto start = line.find("title=\"");
            if (start != std::string::npos) {
                found.push_back(line.substr(start + 7, line.find('"', start + 7) - start - 7));
            }
        }
        return found;
    };
    ASSERT_TRUE(gf_scanLiveries());
    EXPECT_EQ(titles(), (Lines{"Second DLH 737", "First KLM A320", "First KLM 737", "Second KLM 737"}));
    EXPECT_TRUE(loggedInOrder({(folder() / "missing").string() + " does not exist, skipped!",
                               (folder() / "a-file").string() + " is not a folder name, skipped!",
                               "2 liveries found in " + first.string(),
                               "2 liveries found in " + second.string(), "4 in total"}));

    LIG_PRIORITIZE.value = true;
    SCAN_LIVERIES.value = true;
    liveriesProcessed = false;
    ASSERT_TRUE(gf_scanLiveries());
    EXPECT_EQ(titles(), (Lines{"Second DLH 737", "First KLM A320", "First KLM 737"}));
    EXPECT_EQ(MainWindow::messageText, "") << "cleared when the scan ended";

    // The later folder first: it now serves KLM 737 alone.
    lfolder[5].value = second.string();
    lfolder[8].value = first.string();
    SCAN_LIVERIES.value = true;
    liveriesProcessed = false;
    ASSERT_TRUE(gf_scanLiveries());
    EXPECT_EQ(titles(), (Lines{"Second DLH 737", "First KLM A320", "Second KLM 737"}));
}

}  // namespace
