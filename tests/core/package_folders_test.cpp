// Finding the simulator's packages folder: the Steam folder, else the folder
// that UserCfg.opt names, for either simulator; and its sub-folders.

#include "core/package_folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/settings.h"
#include "core/text_files.h"
#include "platform/os/windows_paths.h"
#include "support/app_data_folders.h"
#include "support/settings_file_fixture.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kRealUserCfgFolder = fs::path(VANTREL_FIXTURES_DIR) / "usercfg_opt";

// The paths name the same folder on this system: Windows opens a folder by
// any case of its name, so the program keeps the spelling it was given there.
void expectSameFolder(const fs::path& found, const fs::path& expected) {
#ifdef _WIN32
    EXPECT_TRUE(platform::equalsIgnoringCase(found.string(), expected.string())) << found << " vs " << expected;
#else
    EXPECT_EQ(found, expected);
#endif
}

class PackageFoldersTest : public test::SettingsFileTest {
protected:
    // A packages folder with its Community folder and an official folder.
    static void makePackagesFolder(const fs::path& folder, std::string_view official = "Official") {
        fs::create_directories(folder / "Community");
        fs::create_directories(folder / official);
    }
    static void writeUserCfg(const fs::path& file, const std::string& installedPackagesPath) {
        fs::create_directories(file.parent_path());
        test::writeBytes(file, "Version 66\n{Video\n\tWindowed 1\n}\nInstalledPackagesPath \"" + installedPackagesPath +
                                   "\"\nInstalledPackagesPath \"elsewhere\"\n");
    }
    // The folders as the simulators put them below the application-data folders.
    fs::path storeUserCfg(std::string_view family = "Microsoft.FlightSimulator_8wekyb3d8bbwe") const {
        return local / "Packages" / family / "LocalCache" / "UserCfg.opt";
    }
    fs::path steamFolder(std::string_view name = "Microsoft Flight Simulator") const { return roaming / name; }
    // The log lines that contain the text.
    std::vector<std::string> logLinesWith(std::string_view text) const {
        std::vector<std::string> found;
        for (const std::string& line : log.lines()) {
            if (line.find(text) != std::string::npos) {
                found.push_back(line);
            }
        }
        return found;
    }

    const fs::path work = log.folder().path();
    const fs::path roaming = work / "roaming";
    const fs::path local = work / "local";
    const test::ScopedAppDataFolders appData{roaming, local};
};

TEST_F(PackageFoldersTest, SteamPackagesWinOverUserCfg) {
    makePackagesFolder(steamFolder() / "Packages");
    makePackagesFolder(work / "store");
    writeUserCfg(storeUserCfg(), (work / "store").string());
    EXPECT_EQ(gf_findPackagesFolder(), steamFolder() / "Packages");
    EXPECT_EQ(logLinesWith("Steam packages:"),
              std::vector<std::string>{"Steam packages:" + (steamFolder() / "Packages").string()});
    EXPECT_TRUE(logLinesWith("UserCfg.opt").empty()) << "UserCfg.opt is not read";
}

TEST_F(PackageFoldersTest, StoreUserCfgNamesThePackagesFolderInWindowsSpelling) {
    // Written as Windows writes it: backslashes, and another case than on disk.
    makePackagesFolder(work / "Store Packages", "official");
    std::string windowsText = (work / "STORE PACKAGES").string();
    std::replace(windowsText.begin(), windowsText.end(), '/', '\\');
    writeUserCfg(storeUserCfg(), windowsText);
    EXPECT_EQ(findUserCfgOpt(), storeUserCfg());
    expectSameFolder(gf_findPackagesFolder(), work / "Store Packages");
    const std::string logged = "UserCfg.opt: InstalledPackagesPath=";
    const auto lines = logLinesWith(logged);
    ASSERT_EQ(lines.size(), 1U);
    ASSERT_TRUE(lines[0].starts_with(logged)) << lines[0];
    expectSameFolder(lines[0].substr(logged.size()), work / "Store Packages");
}

TEST_F(PackageFoldersTest, MissingInstalledPackagesFolderGivesNothing) {
    fs::create_directories(steamFolder());
    writeUserCfg(steamFolder() / "UserCfg.opt", (work / "gone").string());
    EXPECT_EQ(gf_findPackagesFolder(), fs::path());
    EXPECT_EQ(logLinesWith("MSFS detection"),
              std::vector<std::string>{"MSFS detection, no Store:" + storeUserCfg().string()});
    EXPECT_EQ(logLinesWith("InstalledPackagesPath"),
              std::vector<std::string>{"UserCfg.opt: InstalledPackagesPath=???"});
}

TEST_F(PackageFoldersTest, Msfs2024NeedsItsOwnOfficialFolder) {
    SIM_CHOICE.value = "MSFS 2024";
    makePackagesFolder(steamFolder("Microsoft Flight Simulator 2024") / "Packages", "Official");
    EXPECT_EQ(gf_findPackagesFolder(), fs::path());
    fs::create_directories(steamFolder("Microsoft Flight Simulator 2024") / "Packages" / "Official2024");
    EXPECT_EQ(gf_findPackagesFolder(), steamFolder("Microsoft Flight Simulator 2024") / "Packages");
    SIM_CHOICE.value = "MSFS 2020";
    EXPECT_EQ(gf_findPackagesFolder(), fs::path()) << "MSFS 2020 looks in its own Steam folder";
}

TEST_F(PackageFoldersTest, NoUserCfgAnywhere) {
    EXPECT_EQ(gf_findPackagesFolder(), fs::path());
    const auto dashboard = local / "Packages" / "Microsoft.FlightDashboard_8wekyb3d8bbwe" / "LocalCache" / "UserCfg.opt";
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "MSFS detection, no Store:" + storeUserCfg().string(),
                               "MSFS detection, no Steam1:" + (steamFolder() / "UserCfg.opt").string(),
                               "MSFS detection, no Steam2:" + dashboard.string(),
                               "MSFS detection, no Boxed:" + (local / "MSFSPackages" / "UserCfg.opt").string(),
                               "No UserCfg.opt found?",
                           }));
}

// The UserCfg.opt files of real installations, each put where its simulator
// keeps it. Their InstalledPackagesPath is a Windows path on a drive; the
// drive letter is a folder of the working folder here, made by the test in
// another case than the file spells it. On Windows those drives are the
// machine's own, which the test neither makes nor looks at.
TEST_F(PackageFoldersTest, RealUserCfgFiles) {
    struct Case {
        const char* file;
        const char* simulator;
        fs::path location;
        std::string installedPackagesPath;  // as the file writes it
        fs::path madeHere;                  // the folder the test makes for it
        const char* official;
    };
    const Case cases[] = {
        {"ashchan_flight-setup_UserCfg.opt", "MSFS 2020", local / "MSFSPackages" / "UserCfg.opt",
         R"(E:\Microsoft Flight Simulator)", "e:/microsoft flight simulator", "Official"},
        {"dcheva_MSFS_6c55c8b6_UserCfg.opt", "MSFS 2020", steamFolder() / "UserCfg.opt",
         R"(C:\Users\Dmytro\AppData\Roaming\Microsoft Flight Simulator\Packages)",
         "C:/users/dmytro/AppData/Roaming/Microsoft Flight Simulator/Packages", "Official"},
        {"gizmo71_MsfsLocalCache_msfs2024_UserCfg.opt", "MSFS 2024", storeUserCfg("Microsoft.Limitless_8wekyb3d8bbwe"),
         R"(C:\Users\micro\AppData\Local\Packages\Microsoft.Limitless_8wekyb3d8bbwe\LocalCache\Packages)",
         "c:/USERS/micro/AppData/Local/Packages/Microsoft.Limitless_8wekyb3d8bbwe/LocalCache/Packages",
         "Official2024"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TextFileLines real{kRealUserCfgFolder / c.file, {}};
        EXPECT_EQ(installedPackagesPathText(gf_readLines(real, 0)), c.installedPackagesPath);

        fs::remove_all(roaming);
        fs::remove_all(local);
        SIM_CHOICE.value = c.simulator;
        fs::create_directories(c.location.parent_path());
        fs::copy_file(real.path, c.location);
        // Windows deletes no read-only file, and the fixtures are read-only.
        fs::permissions(c.location, fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(findUserCfgOpt(), c.location);
#ifndef _WIN32
        for (const Case& made : cases) {
            fs::remove_all(work / *made.madeHere.begin());
        }
        EXPECT_EQ(gf_findPackagesFolder(), fs::path()) << "no such folder yet";
        makePackagesFolder(work / c.madeHere, c.official);
        EXPECT_EQ(gf_findPackagesFolder(), c.madeHere);
#endif
    }
}

TEST_F(PackageFoldersTest, SubFoldersOfTheStoredInstallPath) {
    EXPECT_EQ(gf_simInstallPath("Community"), fs::path("Community")) << "nothing stored";
    makePackagesFolder(work / "MSFS" / "Packages", "Official2024");
    fs::rename(work / "MSFS" / "Packages" / "Community", work / "MSFS" / "Packages" / "community");
    MSFS_INSTALL_PATH.value = (work / "msfs" / "packages").string();
    MSFS_2024_INSTALL_PATH.value = "D:\\other";
    expectSameFolder(gf_simInstallPath("Community"), work / "MSFS" / "Packages" / "community");
    expectSameFolder(gf_simInstallPath("Official"), work / "MSFS" / "Packages" / "Official");
    SIM_CHOICE.value = "MSFS 2024";
    EXPECT_EQ(gf_simInstallPath("Community"), fs::path("D:/other/Community"));
}

}  // namespace
