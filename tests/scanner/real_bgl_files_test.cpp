// The add-on airport scan over BGL files of real add-on airports
// (shared/fixtures/real/bgl): what each gives was worked out from the files'
// bytes, record by record, not from what the scan prints.
//
//   CYZT  one airport record with 4 helipads and no parking list
//   EDDS  2 helipads; 116 parking entries of which 3 are vehicle places;
//         four ids twice (r24, r26, r28, g9)
//   EGTK  89 parking entries, of which 8 vehicle places and a fuel place;
//         the airport lies in polygon.bgl
//   KNZY  13 helipads, 113 military parking places
//   LMML  1 helipad, 77 parking places; g1, g8, r9 twice, r16 three times
// No entry of them has airline codes, a radius out of range or a bad
// position, and every altitude and ident is sound.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/settings.h"
#include "scanner/addon_airport_scan.h"
#include "scanner/support/scanner_fixture.h"
#include "scanner/support/stand_file_reading.h"
#include "support/http_server.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kRealBgl = fs::path(VANTREL_FIXTURES_DIR) / "bgl";
const fs::path kRealManifests = fs::path(VANTREL_FIXTURES_DIR) / "manifest_json";

struct ExpectedStand {
    std::string id;
    std::string latitude;
    std::string longitude;
    std::string heading;
    std::string radius;
    std::string kind;  // "heli", "cargo", "ramp" or "gate"
};

class RealBglFilesTest : public test::ScannerTest {
protected:
    RealBglFilesTest() {
        makeDataFolders();
        MSFS_INSTALL_PATH.value = packages.string();
        fs::create_directories(packages / "Official");
        place("d33pfield-cyzt/scenery", "CYZT_d33pfield_CYZT-SCN_helipads_only.bgl", "CYZT-SCN.bgl");
        place("gravity-airport-edds/scenery/global", "EDDS_v0.3.1_gravity_EDDS.bgl", "EDDS.bgl");
        place("benjwri-egtk/scenery", "EGTK_benjwri_polygon.bgl", "polygon.bgl");
        fs::copy_file(kRealManifests / "egtk_SCENERY_manifest.json", community / "benjwri-egtk" / "manifest.json");
        place("julysfire-airport-knzy/scenery/global/sceneryKNZY", "KNZY_julysfire_airport-KNZY.bgl",
              "airport-KNZY.bgl");
        place("vikingstudios-airport-lmml-malta/Scenery/airport-lmml-malta/scenery", "LMML_vikingstudios_LMML.bgl",
              "LMML.bgl");
        fs::copy_file(kRealManifests / "lmml_SCENERY_escapes_manifest.json",
                      community / "vikingstudios-airport-lmml-malta" / "manifest.json");
        gf_scanAddonAirports();
    }

    void place(const fs::path& folderInCommunity, const std::string& fixture, const std::string& name) const {
        fs::create_directories(community / folderInCommunity);
        fs::copy_file(kRealBgl / fixture, community / folderInCommunity / name);
    }
    test::GeneratedStandFile standFile(const std::string& icao) const {
        return test::GeneratedStandFile(folder() / "airports" / "my_thirdparty" / (icao + ".xml"));
    }
    static void expectStands(const test::GeneratedStandFile& file, const std::vector<ExpectedStand>& stands) {
        for (const ExpectedStand& expected : stands) {
            SCOPED_TRACE(expected.id);
            const pugi::xml_node stand = file.stand(expected.id);
            ASSERT_TRUE(stand);
            EXPECT_EQ(std::string(stand.attribute("latitude").value()), expected.latitude);
            EXPECT_EQ(std::string(stand.attribute("longitude").value()), expected.longitude);
            EXPECT_EQ(std::string(stand.attribute("heading").value()), expected.heading);
            EXPECT_EQ(std::string(stand.attribute("radius").value()), expected.radius);
            EXPECT_EQ(std::string(stand.attribute("heli").value()), expected.kind == "heli" ? "true" : "");
            if (expected.kind != "heli") {
                EXPECT_EQ(std::string(stand.attribute("cargo").value()), expected.kind == "cargo" ? "true" : "false");
                EXPECT_EQ(std::string(stand.attribute("ramp").value()), expected.kind == "gate" ? "false" : "true");
            }
        }
    }

    const fs::path packages = folder() / "Packages";
    const fs::path community = packages / "Community";
    test::HttpServer server;
    const test::ScopedEnvironment downloadBase{"VANTREL_DOWNLOAD_BASE", server.baseUrl()};
};

TEST_F(RealBglFilesTest, EachAirportGivesItsStands) {
    const std::vector<std::string> scanLog = fileLines(folder() / "output" / "info" / "AirportsScanLog.txt");
    std::vector<std::string> generated;
    for (const std::string& line : scanLog) {
        if (line.starts_with("Generated ")) {
            generated.push_back(line);
        }
    }
    std::ranges::sort(generated);  // the workers end in any order
    EXPECT_EQ(generated, (std::vector<std::string>{
                             "Generated CYZT.xml: 4 positions, of which 4 helipads",
                             "Generated EDDS.xml: 115 positions, of which 2 helipads",
                             "Generated EGTK.xml: 80 positions",
                             "Generated KNZY.xml: 126 positions, of which 13 helipads",
                             "Generated LMML.xml: 78 positions, of which 1 helipad",
                         }));
    EXPECT_NE(std::ranges::find(scanLog, "===> LMML has 78 parkpos while archived one has 30"), scanLog.end());
    EXPECT_TRUE(std::ranges::none_of(scanLog, [](const std::string& line) {
        return line.find("skipped") != std::string::npos || line.find("Skipped") != std::string::npos;
    }));
}

TEST_F(RealBglFilesTest, HelipadsOnly) {
    const test::GeneratedStandFile cyzt = standFile("CYZT");
    EXPECT_EQ(cyzt.parameter("altitude"), "65");
    EXPECT_EQ(cyzt.parameter("publisher"), "unknown");
    EXPECT_EQ(cyzt.standIds(), (std::vector<std::string>{"helipad1", "helipad2", "helipad3", "helipad4"}));
    expectStands(cyzt, {{"helipad1", "50.684072", "-127.375576", "0.0", "9.9", "heli"},
                        {"helipad4", "50.684408", "-127.375602", "0.0", "9.5", "heli"}});
}

TEST_F(RealBglFilesTest, GatesCargoAndDuplicateIds) {
    const test::GeneratedStandFile edds = standFile("EDDS");
    EXPECT_EQ(edds.parameter("altitude"), "1276");
    EXPECT_EQ(edds.parameter("num_parkpos"), "115");
    EXPECT_EQ(edds.parameter("BGLpath"),
              (community / "gravity-airport-edds" / "scenery" / "global" / "EDDS.bgl").string());
    expectStands(edds, {
                           {"helipad1", "48.683240", "9.197044", "0.0", "17.1", "heli"},
                           {"r106", "48.683907", "9.207386", "164.7", "40.0", "cargo"},
                           {"r905", "48.682530", "9.199894", "344.6", "44.0", "ramp"},
                           {"r24", "48.690581", "9.199901", "343.8", "32.0", "gate"},
                           {"r24a", "48.690534", "9.199772", "343.8", "25.5", "gate"},
                           {"g9", "48.688506", "9.192161", "344.1", "28.0", "gate"},
                           {"g9a", "48.688497", "9.192090", "344.2", "28.0", "gate"},
                       });
    const std::vector<std::string> ids = edds.standIds();
    EXPECT_TRUE(std::ranges::is_sorted(ids)) << "sorted by id";
}

TEST_F(RealBglFilesTest, GeneralAviationRampsOfAManifestsCreator) {
    const test::GeneratedStandFile egtk = standFile("EGTK");
    EXPECT_EQ(egtk.parameter("altitude"), "242");
    EXPECT_EQ(egtk.parameter("num_parkpos"), "80");
    EXPECT_EQ(egtk.parameter("publisher"), "unknown");
    EXPECT_EQ(egtk.parameter("manufacturer"), "");
    EXPECT_EQ(egtk.parameter("creator"), "Benjwri");
    expectStands(egtk, {{"nwp1", "51.834308", "-1.316310", "319.2", "32.0", "ramp"},
                        {"p25", "51.835017", "-1.315118", "317.1", "6.0", "ramp"}});
}

TEST_F(RealBglFilesTest, MilitaryRampsAndHelipads) {
    const test::GeneratedStandFile knzy = standFile("KNZY");
    EXPECT_EQ(knzy.parameter("altitude"), "35");
    EXPECT_EQ(knzy.parameter("num_parkpos"), "126");
    expectStands(knzy, {{"helipad13", "32.712255", "-117.209369", "0.0", "17.5", "heli"},
                        {"r24", "32.699382", "-117.208997", "125.0", "15.0", "ramp"}});
}

TEST_F(RealBglFilesTest, KnownPublisherWithMoreStandsThanArchived) {
    EXPECT_EQ(test::readBytes(folder() / "airports" / "my_thirdparty" / "LMML.txt"),
              "archive/thirdparty/Viking%20%20Studios/LMML.xml\n");
    const test::GeneratedStandFile lmml = standFile("LMML");
    EXPECT_EQ(lmml.parameter("altitude"), "257");
    EXPECT_EQ(lmml.parameter("publisher"), "Viking  Studios");
    EXPECT_EQ(lmml.parameter("BGLpath"), "<absent>");
    expectStands(lmml, {
                           {"g1", "35.849883", "14.493035", "190.0", "61.0", "gate"},
                           {"g1a", "35.849777", "14.492734", "360.0", "36.0", "gate"},
                           {"r16", "35.848896", "14.492511", "225.0", "65.0", "gate"},
                           {"r16a", "35.848588", "14.492437", "225.0", "30.0", "gate"},
                           {"r16b", "35.848849", "14.492193", "225.0", "20.0", "gate"},
                           {"helipad1", "35.852940", "14.481318", "0.0", "6.0", "heli"},
                       });
}

}  // namespace
