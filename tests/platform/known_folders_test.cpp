#include "platform/os/known_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/app_data_folders.h"
#include "support/temp_folder.h"

namespace {

using platform::AppDataFolder;
using Variable = std::optional<std::string>;

#ifdef _WIN32
// The shell's answer: the folders that Windows also names in APPDATA and
// LOCALAPPDATA for the programs of this user.
TEST(AppDataFolders, TheShellFindsTheUsersFolders) {
    const std::pair<AppDataFolder, const char*> folders[] = {{AppDataFolder::roaming, "APPDATA"},
                                                             {AppDataFolder::local, "LOCALAPPDATA"}};
    for (const auto& [folder, variable] : folders) {
        const auto found = platform::systemAppDataFolder(folder);
        ASSERT_TRUE(found.has_value()) << variable;
        EXPECT_TRUE(found->is_absolute()) << found->string();
        EXPECT_TRUE(std::filesystem::is_directory(*found)) << found->string();
        ASSERT_NE(std::getenv(variable), nullptr) << variable;
        EXPECT_EQ(*found, std::filesystem::path(std::getenv(variable))) << variable;
        EXPECT_EQ(platform::appDataFolder(folder), found) << "no override set";
    }
}
#else
TEST(AppDataFolders, EnvironmentFirstThenXdgThenHome) {
    struct Case {
        const char* what;
        Variable appData, localAppData, xdgConfig, xdgData, home;
        std::optional<std::filesystem::path> roaming, local;
    };
    const Case cases[] = {
        {"windows variables", "/w/roaming", "/w/local", "/x/config", "/x/data", "/home/u", "/w/roaming", "/w/local"},
        {"xdg variables", {}, {}, "/x/config", "/x/data", "/home/u", "/x/config", "/x/data"},
        {"empty counts as unset", "", "", "", "", "/home/u", "/home/u/.config", "/home/u/.local/share"},
        {"relative xdg is ignored", {}, {}, "config", "data", "/home/u", "/home/u/.config", "/home/u/.local/share"},
        {"nothing known", {}, {}, {}, {}, {}, {}, {}},
    };
    for (const auto& c : cases) {
        const test::ScopedEnvironment appData("APPDATA", c.appData);
        const test::ScopedEnvironment localAppData("LOCALAPPDATA", c.localAppData);
        const test::ScopedEnvironment xdgConfig("XDG_CONFIG_HOME", c.xdgConfig);
        const test::ScopedEnvironment xdgData("XDG_DATA_HOME", c.xdgData);
        const test::ScopedEnvironment home("HOME", c.home);
        EXPECT_EQ(platform::appDataFolder(AppDataFolder::roaming), c.roaming) << c.what;
        EXPECT_EQ(platform::appDataFolder(AppDataFolder::local), c.local) << c.what;
    }
}
#endif

TEST(AppDataFolders, AnOverrideWinsUntilItIsRemoved) {
    const auto roaming = platform::systemAppDataFolder(AppDataFolder::roaming);
    const auto local = platform::systemAppDataFolder(AppDataFolder::local);
    {
        const test::ScopedAppDataFolders folders("/t/roaming", "/t/local");
        EXPECT_EQ(platform::appDataFolder(AppDataFolder::roaming), std::filesystem::path("/t/roaming"));
        EXPECT_EQ(platform::appDataFolder(AppDataFolder::local), std::filesystem::path("/t/local"));
        EXPECT_EQ(platform::systemAppDataFolder(AppDataFolder::roaming), roaming);
    }
    {
        const test::ScopedAppDataFolders failing({}, {});
        EXPECT_EQ(platform::appDataFolder(AppDataFolder::roaming), std::nullopt);
        EXPECT_EQ(platform::appDataFolder(AppDataFolder::local), std::nullopt);
    }
    EXPECT_EQ(platform::appDataFolder(AppDataFolder::roaming), roaming);
    EXPECT_EQ(platform::appDataFolder(AppDataFolder::local), local);
}

}  // namespace
