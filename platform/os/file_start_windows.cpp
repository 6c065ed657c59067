#include "platform/os/text_file.h"

#include <windows.h>

namespace platform {

FileStart readFileStart(const std::filesystem::path& path, std::size_t maxBytes) {
    FileStart result;
    // Others may read, write or delete the file meanwhile, as with the C
    // runtime's open.
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        result.win32Error = ::GetLastError();
        return result;
    }
    result.opened = true;
    std::string bytes(maxBytes, '\0');
    std::size_t count = 0;
    bool failed = false;
    while (count < maxBytes) {
        DWORD got = 0;
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(maxBytes - count, 1U << 30U));
        if (::ReadFile(file, bytes.data() + count, wanted, &got, nullptr) == 0) {
            failed = true;
            break;
        }
        if (got == 0) {
            break;
        }
        count += got;
    }
    ::CloseHandle(file);
    if (!failed) {
        bytes.resize(count);
        result.bytes = std::move(bytes);
    }
    return result;
}

}  // namespace platform
