#include "platform/os/text_file.h"

#include <windows.h>

#include <algorithm>

namespace platform {

FileRead readFileUpTo(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes) {
    constexpr std::size_t kFirstChunk = 16384;
    constexpr std::size_t kMaxReadBytes = 1U << 30U;
    FileRead result;
    // Others may read, write or delete the file meanwhile, as with the C
    // runtime's open.
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        result.win32Error = ::GetLastError();
        return result;
    }
    result.opened = true;
    bytes.clear();
    std::size_t count = 0;
    bool failed = false;
    for (;;) {
        if (count == bytes.size()) {
            if (count == maxBytes) {
                break;
            }
            bytes.resize(std::min(maxBytes, std::max(kFirstChunk, 2 * count)));
        }
        DWORD got = 0;
        const auto wanted = static_cast<DWORD>(std::min(bytes.size() - count, kMaxReadBytes));
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
    bytes.resize(failed ? 0 : count);
    result.read = !failed;
    return result;
}

}  // namespace platform
