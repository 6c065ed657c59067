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
    // A link is not followed: only a folder itself is entered. The entry's
    // type as the folder listing gave it answers both questions without
    // asking the file system again (where the listing gives no type, the
    // entry asks).
    std::error_code error;
    const bool isFolder = enter && !entry().is_symlink(error) && entry().is_directory(error);
    const std::size_t current = levels_.back().index++;
    if (isFolder) {
        levels_.push_back({sortedFolderEntries(levels_.back().entries[current].path()), 0});
    }
    dropFinishedLevels();
}

void FolderWalk::dropFinishedLevels() {
    while (!levels_.empty() && levels_.back().index >= levels_.back().entries.size()) {
        levels_.pop_back();
    }
}

}  // namespace platform
