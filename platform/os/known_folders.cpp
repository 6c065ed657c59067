#include "platform/os/known_folders.h"

#include <mutex>

namespace platform {
namespace {

struct Overrides {
    // Its place in the lock order: docs/locks.md.
    std::mutex mutex;
    std::optional<std::filesystem::path> roaming;
    std::optional<std::filesystem::path> local;

    std::optional<std::filesystem::path>& of(AppDataFolder folder) {
        return folder == AppDataFolder::roaming ? roaming : local;
    }
};

Overrides& lf_overrides() {
    static Overrides overrides;
    return overrides;
}

}  // namespace

std::optional<std::filesystem::path> appDataFolder(AppDataFolder folder) {
    {
        Overrides& overrides = lf_overrides();
        const std::lock_guard lock(overrides.mutex);
        if (const auto& path = overrides.of(folder)) {
            return path->empty() ? std::nullopt : path;
        }
    }
    return systemAppDataFolder(folder);
}

void overrideAppDataFolder(AppDataFolder folder, std::optional<std::filesystem::path> path) {
    Overrides& overrides = lf_overrides();
    const std::lock_guard lock(overrides.mutex);
    overrides.of(folder) = std::move(path);
}

}  // namespace platform
