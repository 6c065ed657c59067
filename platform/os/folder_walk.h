#pragma once
// A walk through a folder tree as Windows' recursive directory iterator
// makes it with its default options: depth first, each folder's content
// right after the folder, each folder's entries in the order Windows lists
// them (platform/os/windows_paths.h: sorted without regard to case), links
// to folders not followed, and a folder that cannot be opened or read an
// error. Here the directory iterator gives entries in the order they happen
// to lie on disk; this walk gives the order a scan on Windows meets them in,
// on which the scan's results depend (the first livery of a title wins).

#include <cstddef>
#include <filesystem>
#include <vector>

namespace platform {

class FolderWalk {
public:
    // Lists the root. Throws std::filesystem::filesystem_error when it
    // cannot be opened or read.
    explicit FolderWalk(const std::filesystem::path& root);

    bool done() const { return levels_.empty(); }
    // The current entry; only while not done.
    const std::filesystem::directory_entry& entry() const;
    // The walk will not enter the current entry (when it is a folder).
    void skipContent() { enterPending_ = false; }
    // Moves to the next entry, entering the current one first when it is a
    // folder that is not to be skipped. Throws
    // std::filesystem::filesystem_error when that folder cannot be opened or
    // read; the walk cannot go on after that.
    void next();

private:
    struct Level {
        std::vector<std::filesystem::directory_entry> entries;
        std::size_t index = 0;
    };
    void dropFinishedLevels();

    std::vector<Level> levels_;
    bool enterPending_ = true;
};

}  // namespace platform
