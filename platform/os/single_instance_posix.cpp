#include "platform/os/single_instance.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

#include "platform/os/known_folders.h"

namespace platform {

InstanceLock acquireInstanceLock(std::string_view name) {
    const auto folder = appDataFolder(AppDataFolder::local);
    if (!folder) {
        return InstanceLock::failed;
    }
    std::error_code error;
    std::filesystem::create_directories(*folder, error);
    std::string fileName(name);
    std::replace_if(fileName.begin(), fileName.end(), [](char c) { return c == '\\' || c == '/'; }, '_');
    const std::filesystem::path path = *folder / (fileName + ".lock");
    // Close-on-exec: a program started by this one must not hold the lock on.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return InstanceLock::failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? InstanceLock::alreadyHeld : InstanceLock::failed;
    }
    // The descriptor stays open, and the lock held, for the life of the
    // process.
    return InstanceLock::acquired;
}

}  // namespace platform
