#include "core/folders.h"

#include <iterator>

#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/strings.h"

namespace {

constexpr int kFilesystemErrorCode = 5;

// Room for the stand files of a large add-on collection at once.
constexpr std::size_t kXmlFilesReserved = 512;

bool lf_isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

void gf_cleanFolder(const std::filesystem::path& folder) {
    gf_writeLogPlain(fmtlib::format("Cleaning folder: {}", folder.string()));
    try {
        if (!std::filesystem::is_directory(folder)) {
            return;
        }
        // Listed first, so that removing does not disturb the iteration.
        const std::vector<std::filesystem::directory_entry> entries{std::filesystem::directory_iterator(folder), {}};
        for (const auto& entry : entries) {
            std::filesystem::remove_all(entry.path());
        }
    } catch (const std::filesystem::filesystem_error& error) {
        throw qrx::UserErrorException(kFilesystemErrorCode, fmtlib::format("Filesystem error: {}", error.what()));
    } catch (const std::exception& error) {
        throw qrx::UserErrorException(kFilesystemErrorCode, error.what());
    }
}

std::size_t gf_countDirectoryEntries(const std::filesystem::path& folder) {
    if (!lf_isFolder(folder)) {
        return 0;
    }
    const std::filesystem::directory_iterator entries(folder);
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

std::vector<std::filesystem::path> gf_listXmlFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    if (!lf_isFolder(folder)) {
        return files;
    }
    files.reserve(kXmlFilesReserved);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file() && gf_equalsUpperCase(".XML", entry.path().extension().string())) {
            files.push_back(entry.path());
        }
    }
    return files;
}

bool gf_pathExists(const std::filesystem::path& path) {
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    if (error) {
        throw std::filesystem::filesystem_error("exists", path, error);
    }
    return exists;
}

void gf_removeFile(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    if (error) {
        throw std::filesystem::filesystem_error("remove", path, error);
    }
}

void gf_createFolders(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw std::filesystem::filesystem_error("create_directories", folder, error);
    }
}
