#include "flight_plan_file.h"

#include <windows.h>

namespace sim {

namespace {

// Closes the handle when it goes.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle_);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

std::optional<std::string> readFlightPlanFile(const std::string& path) {
    // The client's single-byte path, in the system's code page as the
    // simulator takes it. A folder does not open; a device or pipe opens at
    // once and is refused by its type.
    const FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER fileSize{};
    if (file.get() == INVALID_HANDLE_VALUE || ::GetFileType(file.get()) != FILE_TYPE_DISK ||
        ::GetFileSizeEx(file.get(), &fileSize) == 0 || fileSize.QuadPart < 0 ||
        static_cast<unsigned long long>(fileSize.QuadPart) > kMaxFlightPlanBytes) {
        return std::nullopt;
    }
    // One byte more than its size tells a file that grows while it is read.
    const auto size = static_cast<std::size_t>(fileSize.QuadPart);
    std::string text(size + 1, '\0');
    std::size_t length = 0;
    while (length < text.size()) {
        DWORD count = 0;
        if (::ReadFile(file.get(), text.data() + length, static_cast<DWORD>(text.size() - length), &count, nullptr) ==
            0) {
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        length += count;
    }
    if (length > size) {
        return std::nullopt;
    }
    text.resize(length);
    return text;
}

}  // namespace sim
