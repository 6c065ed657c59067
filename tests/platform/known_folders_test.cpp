#include "platform/os/known_folders.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace {

using platform::AppDataFolder;
using Variable = std::optional<std::string>;

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

}  // namespace
