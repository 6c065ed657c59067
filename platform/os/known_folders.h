#pragma once
// The user's application-data folders. On Windows the shell's known-folder
// lookup (SHGetKnownFolderPath) finds them; elsewhere they are where that
// lookup would find them: APPDATA and LOCALAPPDATA when they are set, else
// the XDG folders of this user. Tests point the lookup at folders of their
// own through an override, the same on both systems.

#include <filesystem>
#include <optional>

namespace platform {

enum class AppDataFolder {
    roaming,  // FOLDERID_RoamingAppData; APPDATA, else $XDG_CONFIG_HOME, else ~/.config
    local,    // FOLDERID_LocalAppData; LOCALAPPDATA, else $XDG_DATA_HOME, else ~/.local/share
};

// The override's answer while one is set, else the system's. Empty when the
// lookup fails (when neither the variable nor a home folder is known).
std::optional<std::filesystem::path> appDataFolder(AppDataFolder folder);

// The system's own answer, whatever the override.
std::optional<std::filesystem::path> systemAppDataFolder(AppDataFolder folder);

// While set, appDataFolder answers `path` for `folder`, and an empty path
// stands for a failed lookup; std::nullopt removes the override.
void overrideAppDataFolder(AppDataFolder folder, std::optional<std::filesystem::path> path);

}  // namespace platform
