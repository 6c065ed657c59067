#pragma once
// Points the application-data lookup at folders of a test until the end of
// its scope, on every system (the program's own lookup honours it).

#include <filesystem>

#include "platform/os/known_folders.h"

namespace test {

class ScopedAppDataFolders {
public:
    // An empty path makes that lookup fail.
    ScopedAppDataFolders(const std::filesystem::path& roaming, const std::filesystem::path& local) {
        platform::overrideAppDataFolder(platform::AppDataFolder::roaming, roaming);
        platform::overrideAppDataFolder(platform::AppDataFolder::local, local);
    }
    ~ScopedAppDataFolders() {
        platform::overrideAppDataFolder(platform::AppDataFolder::roaming, std::nullopt);
        platform::overrideAppDataFolder(platform::AppDataFolder::local, std::nullopt);
    }
    ScopedAppDataFolders(const ScopedAppDataFolders&) = delete;
    ScopedAppDataFolders& operator=(const ScopedAppDataFolders&) = delete;
};

}  // namespace test
