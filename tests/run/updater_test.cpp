#include "liveries/liveries_state.h"
#include "run/updater.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/downloader.h"
#include "core/format.h"
#include "core/settings.h"
#include "support/http_server.h"
#include "support/settings_file_fixture.h"
#include "support/temp_folder.h"
#include "support/zip_writer.h"

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::Not;
using testing::UnorderedElementsAre;

std::string lf_versionsJson(const std::string& aig, const std::string& dbase, const std::string& simaddon = "") {
    const auto member = [](const std::string& name, const std::string& version) {
        int major = 0, minor = 0, patch = 0;
        std::sscanf(version.c_str(), "%d.%d.%d", &major, &minor, &patch);
        return fmtlib::format(R"("{}": {{"major": {}, "minor": {}, "patch": {}}})", name, major, minor, patch);
    };
    std::vector<std::string> members;
    for (const auto& [name, version] : {std::pair{"aig", aig}, {"dbase", dbase}, {"simaddon", simaddon}}) {
        if (!version.empty()) {
            members.push_back(member(name, version));
        }
    }
    return fmtlib::format("{{{}}}", fmtlib::join(members, ", "));
}

// A working folder with parameters.xml, Log.txt and the input folder, and a
// download server with the data files at their places.
class Updater : public test::SettingsFileTest {
protected:
    Updater() {
        writeEntries({{"SIM_CHOICE", "MSFS 2020"}, {"DBASE_VERSION", ""}, {"AIG_VERSION", ""},
                      {"VAVOVEVIDE24_VERSION", ""}});
        std::filesystem::create_directories(folder_ / "input");
        server_.serve("/MSFS/dbase.enc", "new dbase");
        server_.serve("/MSFS/AIG-regcodes.enc", "new regcodes");
    }

    // The log lines after the first `count`.
    std::vector<std::string> linesSince(std::size_t count) const {
        std::vector<std::string> lines = log.lines();
        lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(count));
        return lines;
    }

    // Only the requests for data files.
    std::vector<std::string> dataRequests() const {
        std::vector<std::string> requests = server_.requests();
        std::erase(requests, "/versions.json");
        return requests;
    }

    const std::filesystem::path& folder_ = log.folder().path();
    const std::filesystem::path dbase_ = folder_ / "input" / "dbase.enc";
    const std::filesystem::path regcodes_ = folder_ / "input" / "AIG-regcodes.enc";
    const std::filesystem::path simaddon_ = folder_ / "airports" / "my_simaddon";
    test::HttpServer server_;
    test::ScopedEnvironment base_{"VANTREL_DOWNLOAD_BASE", server_.baseUrl()};
};

TEST_F(Updater, ADataSetIsFetchedWhenNewerOrMissing) {
    struct Case {
        const char* installed;
        const char* remote;
        bool localFilePresent;
        bool fetched;
    };
    const Case cases[] = {
        {"2.3.4", "2.3.4", true, false}, {"2.3.4", "2.3.4", false, true}, {"2.3.9", "2.4.0", true, true},
        {"2.9.9", "3.0.0", true, true},  {"2.3.4", "2.3.3", true, false}, {"", "0.0.1", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(fmtlib::format("{} -> {}, file {}", c.installed, c.remote, c.localFilePresent));
        DBASE_VERSION.value = c.installed;
        std::filesystem::remove(dbase_);
        if (c.localFilePresent) {
            test::writeBytes(dbase_, "old dbase");
        }
        server_.serve("/versions.json", lf_versionsJson("", c.remote));
        const std::size_t requestsBefore = dataRequests().size();
        const std::size_t linesBefore = log.lines().size();

        checkForUpdates();

        const bool fetched = dataRequests().size() > requestsBefore;
        EXPECT_EQ(fetched, c.fetched);
        EXPECT_EQ(test::readBytes(dbase_), c.fetched ? "new dbase" : "old dbase");
        EXPECT_EQ(DBASE_VERSION.value, c.fetched ? c.remote : c.installed);
        EXPECT_EQ(fileValue("DBASE_VERSION"), c.fetched ? c.remote : "");
        EXPECT_THAT(linesSince(linesBefore), Contains(c.fetched ? fmtlib::format("dbase updated to {}", c.remote)
                                                    : std::string("dbase version up-to-date")));
        writeEntries({{"DBASE_VERSION", ""}});
    }
}

TEST_F(Updater, BothDataSetsAreCheckedAndAMissingMemberIsReported) {
    server_.serve("/versions.json", lf_versionsJson("1.0.0", ""));
    checkForUpdates();
    EXPECT_THAT(dataRequests(), ElementsAre("/MSFS/AIG-regcodes.enc"));
    EXPECT_EQ(test::readBytes(regcodes_), "new regcodes");
    EXPECT_EQ(fileValue("AIG_VERSION"), "1.0.0");
    EXPECT_THAT(log.lines(), Contains("===> dbase version not found"));
}

TEST_F(Updater, AFailedDataDownloadKeepsFileAndVersion) {
    AIG_VERSION.value = "1.0.0";
    test::writeBytes(regcodes_, "old regcodes");
    server_.remove("/MSFS/AIG-regcodes.enc");
    server_.serve("/versions.json", lf_versionsJson("1.1.0", ""));
    checkForUpdates();
    EXPECT_EQ(test::readBytes(regcodes_), "old regcodes");
    EXPECT_EQ(AIG_VERSION.value, "1.0.0");
    EXPECT_THAT(log.lines(), Contains(fmtlib::format("===> Downloading '{}MSFS/AIG-regcodes.enc' failed !",
                                                     server_.baseUrl())));
}

TEST_F(Updater, ABadVersionListOrNoServerKeepsTheInstalledFiles) {
    const std::string reachable = server_.baseUrl();
    // server base address, versions.json (none: not served), a line logged
    const std::vector<std::tuple<std::string, std::optional<std::string>, std::string>> cases{
        {test::HttpServer::unreachableBaseUrl(), std::nullopt,
         "===> Downloading version info from my web site failed!"},
        {reachable, std::nullopt, "===> Downloading version info from my web site failed!"},
        {reachable, "{\"dbase\": {\"major\": 9, ", "===> versions.json is not valid JSON"},
        {reachable, "", "===> versions.json is not valid JSON"},
        {reachable, "[1, 2, 3]", "===> aig version not found"},
        {reachable, R"({"aig": {"major": 9, "minor": 0}, "dbase": {"major": "9", "minor": 0, "patch": 0}})",
         "===> aig version not readable: \"patch\" is missing or not a whole number"},
        {reachable, R"({"aig": {"major": 1.5, "minor": 0, "patch": 0}, "dbase": 7})",
         "===> dbase version not readable: not an object"},
        {reachable, R"({"aig": {"major": 4294967296, "minor": 0, "patch": 0}})", "===> aig version not readable: "},
    };
    test::writeBytes(dbase_, "old dbase");
    test::writeBytes(regcodes_, "old regcodes");
    for (const auto& [base, versions, logged] : cases) {
        SCOPED_TRACE(versions.value_or("<none>"));
        const test::ScopedEnvironment server("VANTREL_DOWNLOAD_BASE", base);
        if (versions) {
            server_.serve("/versions.json", *versions);
        } else {
            server_.remove("/versions.json");
        }
        const std::size_t linesBefore = log.lines().size();
        EXPECT_NO_THROW(checkForUpdates());
        EXPECT_THAT(linesSince(linesBefore), Contains(testing::StartsWith(logged)));
    }
    EXPECT_THAT(dataRequests(), IsEmpty());
    EXPECT_EQ(test::readBytes(dbase_), "old dbase");
    EXPECT_EQ(test::readBytes(regcodes_), "old regcodes");
}

class SimaddonPackage : public Updater {
protected:
    SimaddonPackage() { SIM_CHOICE.value = "MSFS 2024"; }

    void servePackage(const std::vector<std::pair<std::string, std::string>>& entries) {
        const auto zip = folder_ / "served.zip";
        test::writeZip(zip, entries);
        server_.serve("/vavovevide24/my_simaddon2024.zip", test::readBytes(zip));
        std::filesystem::remove(zip);
    }
    std::vector<std::string> simaddonFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(simaddon_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
    bool packageFetched() const {
        return std::ranges::count(server_.requests(), "/vavovevide24/my_simaddon2024.zip") > 0;
    }
};

TEST_F(SimaddonPackage, ANewerPackageIsUnpackedFlatIntoTheEmptiedFolder) {
    std::filesystem::create_directories(simaddon_);
    test::writeBytes(simaddon_ / "OLD.txt", "stale");
    VAVOVEVIDE24_VERSION.value = "1.0.0";
    servePackage({{"EDDF.xml", "<eddf/>"}, {"stands/", ""}, {"stands/LSZH.xml", "<lszh/>"}});
    server_.serve("/versions.json", lf_versionsJson("", "", "1.1.0"));

    checkForUpdates();

    EXPECT_THAT(simaddonFiles(), UnorderedElementsAre("EDDF.txt", "LSZH.txt"));
    EXPECT_EQ(test::readBytes(simaddon_ / "LSZH.txt"), "<lszh/>");
    EXPECT_EQ(fileValue("VAVOVEVIDE24_VERSION"), "1.1.0");
    EXPECT_FALSE(std::filesystem::exists(folder_ / "my_simaddon2024.zip"));
    EXPECT_THAT(log.lines(), Contains("my_simaddon2024.zip unzipped 2 files"));
    EXPECT_THAT(log.lines(), Contains("simaddon updated to 1.1.0"));
}

TEST_F(SimaddonPackage, ACurrentPackageIsFetchedOnlyIntoAMissingOrEmptyFolder) {
    VAVOVEVIDE24_VERSION.value = "1.1.0";
    servePackage({{"EDDF.xml", "<eddf/>"}});
    server_.serve("/versions.json", lf_versionsJson("", "", "1.1.0"));
    for (const bool folderExists : {false, true}) {
        std::filesystem::remove_all(simaddon_);
        if (folderExists) {
            std::filesystem::create_directories(simaddon_);
        }
        EXPECT_TRUE(simaddonFolderMissingOrEmpty());
        checkForUpdates();
        EXPECT_THAT(simaddonFiles(), ElementsAre("EDDF.txt"));
    }
    EXPECT_FALSE(simaddonFolderMissingOrEmpty());
    const std::size_t fetches = server_.requests().size();
    checkForUpdates();
    EXPECT_EQ(server_.requests().size(), fetches + 1);  // versions.json alone
    EXPECT_THAT(log.lines(), Contains("simaddon version up-to-date"));
}

TEST_F(SimaddonPackage, IsNeitherReadNorFetchedForMsfs2020) {
    SIM_CHOICE.value = "MSFS 2020";
    servePackage({{"EDDF.xml", "<eddf/>"}});
    server_.serve("/versions.json", lf_versionsJson("", "", "1.1.0"));
    checkForUpdates();
    EXPECT_FALSE(packageFetched());
    for (const std::string& line : log.lines()) {
        EXPECT_THAT(line, Not(testing::HasSubstr("simaddon")));
    }
}

TEST_F(SimaddonPackage, HostileEntryNamesNeverWriteOutsideTheFolder) {
    servePackage({{"../../evil.xml", "1"},
                  {(folder_ / "absolute.xml").string(), "2"},
                  {"..\\..\\windows.xml", "3"},
                  {"sub/..", "4"},
                  {"C:drive.xml", "5"},
                  {"ok.xml", "6"}});
    server_.serve("/versions.json", lf_versionsJson("", "", "1.1.0"));
    checkForUpdates();

    // Every file of the working folder, but for the log, the settings and versions.json.
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_)) {
        const std::string name = std::filesystem::relative(entry.path(), folder_).generic_string();
        if (entry.is_regular_file() && name != "Log.txt" && name != "versions.json" &&
            name != "Vantrel/parameters.xml") {
            written.push_back(name);
        }
    }
    EXPECT_THAT(written, UnorderedElementsAre("airports/my_simaddon/evil.txt", "airports/my_simaddon/absolute.txt",
                                              "airports/my_simaddon/windows.txt", "airports/my_simaddon/ok.txt"));
    // Two entries were refused: the package is incomplete, its version not saved.
    EXPECT_EQ(fileValue("VAVOVEVIDE24_VERSION"), "");
    EXPECT_THAT(log.lines(), Contains("===> Skipped zip entry 'sub/..': no file name"));
    EXPECT_THAT(log.lines(), Contains("===> Skipped zip entry 'C:drive.xml': no file name"));
    EXPECT_THAT(log.lines(), Not(Contains(testing::HasSubstr("simaddon version up-to-date"))));
}

// The entries become redirect files: one whose stand file lies outside the
// program's folder is not written.
TEST_F(SimaddonPackage, EntriesThatRedirectOutsideTheProgramsFolderAreRefused) {
    servePackage({{"LSZH.xml", "airports/../../x/LSZH.xml\n"},
                  {"EDDF.xml", "/etc/EDDF.xml"},
                  {"EGLL.xml", "airports\\..\\..\\EGLL.xml"},
                  {"KJFK.xml", "C:\\x\\KJFK.xml"},
                  {"EHAM.xml", "archive/simaddon/EHAM.xml\n"}});
    server_.serve("/versions.json", lf_versionsJson("", "", "1.1.0"));
    checkForUpdates();

    EXPECT_THAT(simaddonFiles(), ElementsAre("EHAM.txt"));
    EXPECT_EQ(fileValue("VAVOVEVIDE24_VERSION"), "");
    EXPECT_THAT(log.lines(), Contains("===> Skipped zip entry 'LSZH.xml' of my_simaddon2024.zip: its redirect "
                                      "'airports/../../x/LSZH.xml' leads outside the program's folder"));
    EXPECT_EQ(std::ranges::count_if(log.lines(), [](const std::string& line) {
                  return line.find("leads outside the program's folder") != std::string::npos;
              }),
              4);
}

TEST_F(SimaddonPackage, AnArchiveThatDoesNotOpenLeavesTheFolderAlone) {
    std::filesystem::create_directories(simaddon_);
    test::writeBytes(simaddon_ / "EDDF.txt", "installed");
    VAVOVEVIDE24_VERSION.value = "1.0.0";
    server_.serve("/vavovevide24/my_simaddon2024.zip", "<html>not a zip</html>");
    EXPECT_FALSE(installSimaddonPackage(VersionData(1, 1, 0)));
    EXPECT_THAT(simaddonFiles(), ElementsAre("EDDF.txt"));
    EXPECT_EQ(VAVOVEVIDE24_VERSION.value, "1.0.0");
    EXPECT_FALSE(std::filesystem::exists(folder_ / "my_simaddon2024.zip"));
    EXPECT_THAT(log.lines(), Contains("===> Could not open my_simaddon2024.zip"));

    server_.remove("/vavovevide24/my_simaddon2024.zip");
    EXPECT_FALSE(installSimaddonPackage(VersionData(1, 1, 0)));
    EXPECT_THAT(simaddonFiles(), ElementsAre("EDDF.txt"));
}

TEST_F(SimaddonPackage, TheServerFolderFollowsTheSimulatorSetting) {
    // simulator, old folder forced, folder
    const std::array<std::tuple<const char*, bool, const char*>, 4> cases{{
        {"MSFS 2024", false, "MSFS2024/"},
        {"MSFS 2024", true, "MSFS/"},
        {"MSFS 2020", false, "MSFS/"},
        {"MSFS 2020", true, "MSFS/"},
    }};
    for (const auto& [simulator, useOldFolder, folder] : cases) {
        SIM_CHOICE.value = simulator;
        EXPECT_EQ(gf_makeDownloadBaseUrl(useOldFolder), server_.baseUrl() + folder);
    }
}

}  // namespace
