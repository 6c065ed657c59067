// The worker's start-up steps: the settings and the simulator they select,
// the packages path, the data folders, the updater and the database only on
// the first start, RealTraffic on this PC.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "airports/airports_state.h"
#include "core/exceptions.h"
#include "core/settings.h"
#include "liveries/liveries_state.h"
#include "run/closing_down.h"
#include "run/init_program.h"
#include "run/program_start.h"
#include "run/run_state.h"
#include "run/support/run_fixture.h"
#include "simlink/simlink_state.h"
#include "support/http_server.h"
#include "ui/radius.h"
#include "ui/status/main_window.h"

namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::HasSubstr;

class StartUp : public test::RunTest {
protected:
    StartUp()
        : appData_("APPDATA", (userFolder_ / "Roaming").string()),
          localAppData_("LOCALAPPDATA", (userFolder_ / "Local").string()),
          downloads_("VANTREL_DOWNLOAD_BASE", server.baseUrl()) {
        fs::create_directories("input");
        for (const char* name : {"dbase.enc", "AIG-regcodes.enc"}) {
            fs::copy_file(fs::path(VANTREL_BINARY_DIR) / "input" / name, fs::path("input") / name);
        }
        fs::copy_file(fs::path(VANTREL_SOURCE_DIR) / "data" / "airports_msfs.xml", "input/airports_msfs.xml");
        msfs2020Selected = true;
        restartRequested = false;
    }
    ~StartUp() override {
        msfs2020Selected = true;
        restartRequested = false;
    }

    void writeSettings(std::vector<std::pair<std::string, std::string>> entries) {
        entries.emplace_back("MSFS_INSTALL_PATH", R"(D:\MSFS\Community)");
        writeEntries(entries);
    }
    const fs::path& userFolder() const { return userFolder_.path(); }

    // The start ends with error 150, asking the user for the packages folder.
    static void expectPackagesFolderAsked() {
        try {
            initProgram();
            FAIL() << "no error";
        } catch (const qrx::UserErrorException& error) {
            EXPECT_STREQ(error.what(),
                         "150: No install path detected, type full path to your Community folder above, and press Enter");
        }
    }

    test::HttpServer server;

private:
    test::TempFolder userFolder_;
    test::ScopedEnvironment appData_;
    test::ScopedEnvironment localAppData_;
    test::ScopedEnvironment downloads_;
};

TEST_F(StartUp, TakesTheSimulatorFromTheSettingsBeforeItsPackagesPath) {
    // The previous start-up ran MSFS 2020; these settings choose MSFS 2024.
    writeSettings({{"SIM_CHOICE", "MSFS 2024"}, {"MSFS_2024_INSTALL_PATH", R"(E:\Packages\Community)"}});
    initProgram();

    EXPECT_FALSE(msfs2020Selected);
    EXPECT_EQ(fileValue("MSFS_2024_INSTALL_PATH"), R"(E:\Packages)");
    EXPECT_EQ(fileValue("MSFS_INSTALL_PATH"), R"(D:\MSFS\Community)");  // the other simulator's stays
    EXPECT_EQ(ALL_INSTALL_PATH.value, R"(E:\Packages)");
    EXPECT_EQ(fileValue("PROGRAM_INSTALL_PATH"), fs::current_path().string());
    EXPECT_EQ(userMaxLiveSel, static_cast<std::uint32_t>(MAX_LIVE_SEL.value));
    EXPECT_EQ(manualRadiusNm, RANGE.value);
    EXPECT_FALSE(realTrafficOnThisPc);
    EXPECT_THAT(log.lines(), Contains("RealTraffic not detected at this PC"));
    EXPECT_THAT(server.requests(), Contains("/versions.json"));
    for (const char* folder : {"output/info", "output/errors", "airports/learned/thirdparty", "airports/my_simaddon",
                               "airports/my_thirdparty", "input/my_regcodes"}) {
        EXPECT_TRUE(fs::is_directory(folder)) << folder;
    }
}

TEST_F(StartUp, ARestartSkipsTheUpdaterAndTheDatabaseAndFindsRealTrafficOnThisPc) {
    const auto databaseReads = [this] {
        const auto lines = log.lines();
        return std::count_if(lines.begin(), lines.end(),
                             [](const std::string& line) { return line.ends_with(" dbase records read"); });
    };
    writeSettings({{"MSFS_INSTALL_PATH", R"(D:\MSFS)"}});
    initProgram();
    const auto requestCount = server.requests().size();
    const auto readsBefore = databaseReads();
    fs::create_directories(userFolder() / "Roaming" / "InsideSystems");
    test::writeBytes(userFolder() / "Roaming" / "InsideSystems" / "RealTraffic.jar", "jar");
    test::writeBytes("input/AIG-regcodes0.xml", "stale");
    restartRequested = true;
    initProgram();

    EXPECT_EQ(server.requests().size(), requestCount);
    EXPECT_EQ(databaseReads(), readsBefore);
    EXPECT_TRUE(realTrafficOnThisPc);
    EXPECT_THAT(log.lines(), Contains("RealTraffic detected at this PC"));
    EXPECT_FALSE(fs::exists("input/AIG-regcodes0.xml"));
}

TEST_F(StartUp, WithoutAPackagesFolderTheUserMustTypeOne) {
    writeEntries({{"MSFS_INSTALL_PATH", ""}});
    expectPackagesFolderAsked();
}

// UserCfg.opt names a packages folder that the file system cannot look up
// (an element longer than a name may be): the user is asked for the folder
// as when none is found, and the log names the path.
TEST_F(StartUp, AnUnusablePackagesPathInUserCfgAlsoAsksForOne) {
    writeEntries({{"MSFS_INSTALL_PATH", ""}});
    const fs::path userCfg = userFolder() / "Local" / "Packages" / "Microsoft.FlightSimulator_8wekyb3d8bbwe" /
                             "LocalCache" / "UserCfg.opt";
    fs::create_directories(userCfg.parent_path());
    const std::string packages = (userFolder() / std::string(256, 'x') / "Packages").string();
    test::writeBytes(userCfg, "InstalledPackagesPath \"" + packages + "\"\n");
    expectPackagesFolderAsked();
    EXPECT_THAT(log.lines(), Contains(testing::StartsWith("Cannot look up '" + packages + "': ")));
}

// An unreadable settings file gives way to the defaults; the message line
// says so when the start-up steps are done, not just the log.
TEST_F(StartUp, DefaultsThatReplaceAnUnreadableSettingsFileAreShown) {
    fs::create_directories(path.parent_path());
    test::writeBytes(path, "<parameters><parameter name=\"RANGE\"");
    const fs::path steamPackages = userFolder() / "Roaming" / "Microsoft Flight Simulator" / "Packages";
    fs::create_directories(steamPackages / "Community");
    fs::create_directories(steamPackages / "Official");
    initProgram();
    const std::lock_guard lock(MainWindow::messageMutex);
    EXPECT_EQ(MainWindow::messageText, "Settings file " + path.string() +
                                           " could not be read, default values replace it (the file is kept as " +
                                           path.string() + ".bad)");
}

TEST_F(StartUp, OnlyATrailingCommunityFolderIsCut) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {R"(C:\MSFS\Community)", R"(C:\MSFS)"},
        {"/home/pilot/MSFS/Community", "/home/pilot/MSFS"},
        {R"(C:\Community\Packages)", R"(C:\Community\Packages)"},
        {R"(C:\Community\Packages\Community)", R"(C:\Community\Packages)"},
        {R"(\Community)", ""},
        {"Community", "Community"},
        {R"(C:\MSFS\MyCommunity)", R"(C:\MSFS\MyCommunity)"},
    };
    for (const auto& [packagesPath, stripped] : cases) {
        StringParameter setting("TEST_PATH", packagesPath);
        stripCommunitySuffix(setting);
        EXPECT_EQ(setting.value, stripped) << packagesPath;
    }
}

}  // namespace
