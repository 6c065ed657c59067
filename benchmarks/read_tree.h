#pragma once
// What a scan costs at the least: every file of a folder tree read whole,
// on one thread, in the order the scans walk it.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/os/folder_walk.h"

struct TreeContent {
    std::size_t files = 0;
    std::size_t bytes = 0;
};

inline TreeContent readTree(const std::filesystem::path& root) {
    TreeContent content;
    for (platform::FolderWalk walk(root); !walk.done(); walk.next()) {
        if (walk.entry().is_regular_file()) {
            std::ifstream file(walk.entry().path(), std::ios::binary);
            std::ostringstream text;
            text << file.rdbuf();
            content.bytes += text.str().size();
            ++content.files;
        }
    }
    return content;
}
