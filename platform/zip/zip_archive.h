#pragma once
// A zip archive opened for reading, over libzip: open it, list its entries,
// read an entry whole. Just what the program needs of a zip (the scenery
// add-on package of the download server); the archive is closed, without
// writing anything, when the object goes.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

struct zip;

namespace platform::zip {

class ZipArchive {
public:
    // Opens the archive read-only. Throws std::runtime_error "{path}: {reason}"
    // when it is missing, unreadable or no zip archive.
    explicit ZipArchive(const std::filesystem::path& path);

    // The names of all entries as the archive stores them, in archive order;
    // an entry's position in the list is its index. Folder entries end in
    // "/". A name is the archive's text, not a safe path: it may hold
    // folders, ".." or begin with "/".
    std::vector<std::string> entryNames() const;

    // The entry's content byte for byte (the checksum is verified). Throws
    // std::runtime_error "{entry name}: {reason}" for a damaged entry or an
    // index out of range.
    std::string readEntry(std::size_t index) const;

private:
    struct Closer {
        void operator()(struct ::zip* archive) const noexcept;
    };
    std::unique_ptr<struct ::zip, Closer> archive_;
};

}  // namespace platform::zip
