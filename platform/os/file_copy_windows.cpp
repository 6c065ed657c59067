#include "platform/os/file_copy.h"

#include <windows.h>

namespace platform {

std::error_code copyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::CopyFileW(from.c_str(), to.c_str(), FALSE) == 0) {
        return {static_cast<int>(::GetLastError()), std::system_category()};
    }
    return {};
}

}  // namespace platform
