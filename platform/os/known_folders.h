#pragma once
// The user's application-data folders. On Windows the shell's known-folder
// lookup (SHGetKnownFolderPath) finds them; elsewhere they are where that
// lookup would find them: APPDATA and LOCALAPPDATA when they are set (tests
// point them at temporary folders), else the XDG folders of this user.

#include <filesystem>
#include <optional>

namespace platform {

enum class AppDataFolder {
    roaming,  // FOLDERID_RoamingAppData; APPDATA, else $XDG_CONFIG_HOME, else ~/.config
    local,    // FOLDERID_LocalAppData; LOCALAPPDATA, else $XDG_DATA_HOME, else ~/.local/share
};

// Empty when the lookup fails (when neither the variable nor a home folder
// is known).
std::optional<std::filesystem::path> appDataFolder(AppDataFolder folder);

}  // namespace platform
