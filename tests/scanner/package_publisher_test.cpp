// The publisher of an add-on airport: from the BGL file's path, else from
// the package's manifest.json; and reading manifests.

#include "scanner/package_publisher.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scanner/support/scanner_fixture.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kRealManifests = fs::path(VANTREL_FIXTURES_DIR) / "manifest_json";

class PackagePublisherTest : public test::ScannerTest {
protected:
    // A BGL path deep inside a Community package whose manifest holds the text.
    std::string communityBgl(std::string_view package, std::string_view manifest) const {
        writeFile(fs::path("Community") / package / "manifest.json", manifest);
        const fs::path bgl = folder() / "Community" / package / "scenery" / "global" / "airport" / "AP.bgl";
        fs::create_directories(bgl.parent_path());
        return bgl.string();
    }
};

TEST_F(PackagePublisherTest, SimulatorMakersAirportIsKnownByItsPathInAnyCase) {
    const std::string bgl = communityBgl("Microsoft-Airport-EGLL", R"({"creator":"Orbx"})");
    const PublisherRecord record = gf_determinePublisher(bgl);
    EXPECT_EQ(record.publisher, "simaddon");
    EXPECT_EQ(scanLogLines(), (std::vector<std::string>{"\nTry find publisher in: " + bgl,
                                                        "from filename => publisher simaddon"}))
        << "no manifest is read";
}

TEST_F(PackagePublisherTest, PublisherNamedInThePathWinsOverTheManifest) {
    const std::string bgl = communityBgl("flytampa-amsterdam", R"({"creator":"Orbx"})");
    EXPECT_EQ(gf_determinePublisher(bgl).publisher, "FlyTampa");
    EXPECT_EQ(scanLogLines().back(), "publisher 'FlyTampa' found");
    EXPECT_TRUE(scanLogLinesWith(" found").size() == 1) << "no manifest is read";
}

TEST_F(PackagePublisherTest, ManifestOfTheCommunityPackageNamesThePublisher) {
    struct Case {
        std::string manifest;
        std::string publisher;
        std::string lastLine;
    };
    const std::vector<Case> cases = {
        {R"({"manufacturer":"Some Maker","creator":"Orbx Team","title":"Somewhere"})", "Orbx",
         "from manifest.json: creator 'Orbx Team' => publisher 'Orbx'"},
        {R"({"manufacturer":"GAYA-SIMULATIONS","creator":"Orbx"})", "Gaya Simulations",
         "from manifest.json: manufacturer 'GAYA-SIMULATIONS' => publisher 'Gaya Simulations'"},
        {R"({"manufacturer":null,"creator":"","title":[]})", "unknown",
         "no valid info found in manifest about publisher, manufacturer:'', creator:'' "},
        {R"([{"creator":"Orbx"}])", "unknown", "===> No publisher found"},
        {R"({"manufacturer":5,"creator":"Orbx"})", "unknown", "===> No publisher found"},
        {"not json {", "unknown", "===> No publisher found"},
        {"", "unknown", "===> No publisher found"},
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.manifest);
        const std::string bgl = communityBgl("package-" + std::to_string(++number), c.manifest);
        EXPECT_EQ(gf_determinePublisher(bgl).publisher, c.publisher);
        const std::string expectedLast = c.lastLine.ends_with("'' ") ? c.lastLine + bgl : c.lastLine;
        EXPECT_EQ(scanLogLinesWith("\n").size(), static_cast<std::size_t>(number));
        EXPECT_EQ(scanLogLines().back(), expectedLast);
    }
    EXPECT_EQ(scanLogLinesWith("exception in gf_searchManifest: ").size(), 1U) << "the number as a text";
}

TEST_F(PackagePublisherTest, ManifestsTextsComeWithThePublisher) {
    const std::string bgl = communityBgl("package", R"({"manufacturer":"M Corp","creator":"Orbx","title":"T"})");
    const PublisherRecord record = gf_determinePublisher(bgl);
    EXPECT_EQ(record.publisher, "Orbx");
    EXPECT_EQ(record.manufacturer, "M Corp");
    EXPECT_EQ(record.creator, "Orbx");
    EXPECT_EQ(record.title, "T");
    EXPECT_EQ(scanLogLinesWith(" found"),
              std::vector<std::string>{(folder() / "Community" / "package" / "manifest.json").string() + " found"})
        << "read once, straight from the package folder";
}

TEST_F(PackagePublisherTest, OutsideCommunityTheNearestManifestUpwardsCounts) {
    writeFile("Addons/far/manifest.json", R"({"creator":"FlyTampa"})");
    writeFile("Addons/far/near/manifest.json", R"({"creator":"Taxi2Gate"})");
    const fs::path bgl = folder() / "Addons" / "far" / "near" / "scenery" / "x" / "AP.bgl";
    fs::create_directories(bgl.parent_path());
    EXPECT_EQ(gf_determinePublisher(bgl.string()).publisher, "Taxi2Gate");

    // A manifest that is no object is passed over for the next one up.
    writeFile("Addons/far/near/manifest.json", "[]");
    EXPECT_EQ(gf_determinePublisher(bgl.string()).publisher, "FlyTampa");
}

TEST_F(PackagePublisherTest, RealManifestsAreRead) {
    struct Case {
        std::string file;
        ManifestInfo info;
    };
    const std::vector<Case> cases = {
        {"atoolstest_asobo-aircraft-a320-neo_CRLF_manifest.json", {"Airbus", "Asobo Studio", "A320neo"}},
        {"dcheva_dc3_LIVERY_manifest.json",
         {"Douglas", "Microsoft/My", "Livery DC-3 Bare Metal Emerald Black - retrofit"}},
        {"egtk_SCENERY_manifest.json", {"", "Benjwri", "Oxford Airport - EGTK"}},
        {"fsltl-cav_manifest.json", {"Jan Ole Peek", "Jan Ole Peek", "FSLTL Canada Air Virtual Pack"}},
        {"lmml_SCENERY_escapes_manifest.json", {"", "vikingstudios", "LMML"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::optional<ManifestInfo> info = readManifest(kRealManifests / c.file);
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->manufacturer, c.info.manufacturer);
        EXPECT_EQ(info->creator, c.info.creator);
        EXPECT_EQ(info->title, c.info.title);
    }
    EXPECT_FALSE(readManifest(folder() / "missing.json").has_value());
}

TEST_F(PackagePublisherTest, RealSceneryManifestGivesItsCreatorsPublisher) {
    const std::string manifest = test::readBytes(kRealManifests / "lmml_SCENERY_escapes_manifest.json");
    const std::string bgl = communityBgl("vikingstudios-airport-lmml-malta", manifest);
    // The package's name holds the publisher's second name already.
    EXPECT_EQ(gf_determinePublisher(bgl).publisher, "Viking  Studios");
    const std::string other = communityBgl("lmml-malta", manifest);
    const PublisherRecord record = gf_determinePublisher(other);
    EXPECT_EQ(record.publisher, "Viking  Studios");
    EXPECT_EQ(record.title, "LMML");
}

}  // namespace
