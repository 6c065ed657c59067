#include "platform/os/known_folders.h"

#include <cstdlib>
#include <string_view>

namespace platform {
namespace {

// An unset or empty variable counts as absent.
std::optional<std::filesystem::path> lf_environmentPath(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::filesystem::path(value);
}

// The XDG base-directory rule: the variable when it holds an absolute path,
// else the given folder below the home folder.
std::optional<std::filesystem::path> lf_xdgFolder(const char* variable, std::string_view belowHome) {
    if (auto path = lf_environmentPath(variable); path && path->is_absolute()) {
        return path;
    }
    if (auto home = lf_environmentPath("HOME")) {
        return *home / belowHome;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::filesystem::path> systemAppDataFolder(AppDataFolder folder) {
    if (folder == AppDataFolder::roaming) {
        if (auto path = lf_environmentPath("APPDATA")) {
            return path;
        }
        return lf_xdgFolder("XDG_CONFIG_HOME", ".config");
    }
    if (auto path = lf_environmentPath("LOCALAPPDATA")) {
        return path;
    }
    return lf_xdgFolder("XDG_DATA_HOME", ".local/share");
}

}  // namespace platform
