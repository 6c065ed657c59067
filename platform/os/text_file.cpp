#include "platform/os/text_file.h"

namespace platform {

bool readTextLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) {
        return false;
    }
    dropCarriageReturn(line);
    return true;
}

FileStart readFileStart(const std::filesystem::path& path, std::size_t maxBytes) {
    std::string bytes;
    const FileRead read = readFileUpTo(path, maxBytes, bytes);
    FileStart result{read.opened, read.win32Error, std::nullopt};
    if (read.read) {
        result.bytes = std::move(bytes);
    }
    return result;
}

FileRead readWholeFile(const std::filesystem::path& path, std::string& bytes) {
    return readFileUpTo(path, std::string::npos, bytes);
}

}  // namespace platform
