#include "platform/os/text_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

// The Windows error codes of the reasons a file does not open; any other
// errno keeps its own number. Windows tells a missing file (in a folder that
// is there) from a missing folder on its way, which POSIX calls alike.
std::uint32_t lf_win32ErrorFromErrno(int errnoValue, const std::filesystem::path& path) {
    switch (errnoValue) {
        case ENOENT: {
            std::error_code ignored;
            const bool inAFolder = !path.has_parent_path() || std::filesystem::is_directory(path.parent_path(), ignored);
            return inAFolder ? 2U : 3U;  // ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND
        }
        case ENOTDIR: return 3;        // ERROR_PATH_NOT_FOUND
        case EMFILE:
        case ENFILE: return 4;         // ERROR_TOO_MANY_OPEN_FILES
        case EACCES:
        case EPERM: return 5;          // ERROR_ACCESS_DENIED
        case ENAMETOOLONG: return 206; // ERROR_FILENAME_EXCED_RANGE
        default: return static_cast<std::uint32_t>(errnoValue);
    }
}

}  // namespace

FileRead readFileUpTo(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes) {
    constexpr std::size_t kFirstChunk = 16384;
    FileRead result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.win32Error = lf_win32ErrorFromErrno(errno, path);
        return result;
    }
    result.opened = true;
    bytes.clear();
    std::size_t count = 0;
    for (;;) {
        if (count == bytes.size()) {
            if (count == maxBytes) {
                break;
            }
            bytes.resize(std::min(maxBytes, std::max(kFirstChunk, 2 * count)));
        }
        const ssize_t got = ::read(fd, bytes.data() + count, bytes.size() - count);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ::close(fd);
            bytes.clear();
            return result;
        }
        if (got == 0) {
            break;
        }
        count += static_cast<std::size_t>(got);
    }
    ::close(fd);
    bytes.resize(count);
    result.read = true;
    return result;
}

}  // namespace platform
