#include "platform/os/folder_walk.h"

#include <system_error>
#include <utility>

#include "platform/os/windows_paths.h"

namespace platform {

FolderWalk::FolderWalk(const std::filesystem::path& root) {
    levels_.push_back({sortedFolderEntries(root), 0});
    dropFinishedLevels();
}

const std::filesystem::directory_entry& FolderWalk::entry() const {
    const Level& level = levels_.back();
    return level.entries[level.index];
}

void FolderWalk::next() {
    const bool enter = std::exchange(enterPending_, true);
    const std::filesystem::path current = entry().path();
    // A link is not followed: only a folder itself is entered.
    std::error_code error;
    const bool isFolder = entry().symlink_status(error).type() == std::filesystem::file_type::directory;
    ++levels_.back().index;
    if (enter && isFolder) {
        levels_.push_back({sortedFolderEntries(current), 0});
    }
    dropFinishedLevels();
}

void FolderWalk::dropFinishedLevels() {
    while (!levels_.empty() && levels_.back().index >= levels_.back().entries.size()) {
        levels_.pop_back();
    }
}

}  // namespace platform
