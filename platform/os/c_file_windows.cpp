#include "platform/os/c_file.h"

#include <cstring>
#include <string>

namespace platform {

std::FILE* openCFile(const std::filesystem::path& path, const char* mode) {
    const std::wstring wideMode(mode, mode + std::strlen(mode));  // modes are ASCII
    return ::_wfopen(path.c_str(), wideMode.c_str());
}

}  // namespace platform
