#include "platform/os/known_folders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

namespace platform {

std::optional<std::filesystem::path> systemAppDataFolder(AppDataFolder folder) {
    PWSTR found = nullptr;
    const KNOWNFOLDERID& id = folder == AppDataFolder::roaming ? FOLDERID_RoamingAppData : FOLDERID_LocalAppData;
    const HRESULT result = ::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &found);
    std::optional<std::filesystem::path> path;
    if (SUCCEEDED(result) && found != nullptr && *found != L'\0') {
        path = std::filesystem::path(found);
    }
    // Freed whether the lookup succeeded or not, as the shell asks.
    ::CoTaskMemFree(found);
    return path;
}

}  // namespace platform
