#pragma once
// Text files as Windows reads them. Windows opens text files in text mode,
// where every CR LF becomes LF, so no line read from a file written on
// Windows keeps a CR. Here the line readers drop the CR themselves. Writers
// write exactly the line ends they name (a line feed, or CR LF where the
// program's format asks for it), never a translated one.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>

namespace platform {

// std::getline that drops the CR of a CR LF line end.
bool readTextLine(std::istream& in, std::string& line);

template <class CharT>
void dropCarriageReturn(std::basic_string<CharT>& line) {
    if (!line.empty() && line.back() == CharT('\r')) {
        line.pop_back();
    }
}

// The first bytes of a file, read without translation.
struct FileStart {
    bool opened = false;
    std::uint32_t win32Error = 0;       // why the file did not open (GetLastError's code)
    std::optional<std::string> bytes;   // empty when reading failed
};

FileStart readFileStart(const std::filesystem::path& path, std::size_t maxBytes);

// What reading a file found.
struct FileRead {
    bool opened = false;
    std::uint32_t win32Error = 0;  // why the file did not open (GetLastError's code)
    bool read = false;             // every byte was read
};

// At most maxBytes of the file's first bytes, read without translation in
// one opening, into bytes (replaced; empty when reading failed), which keep
// their room; room grows from a first chunk as the file turns out longer.
FileRead readFileUpTo(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes);

// The whole file, read without translation in one opening, into bytes
// (replaced; empty when reading failed). Their room is kept, so a thread
// that reads many files asks for memory only for a file larger than any
// before.
FileRead readWholeFile(const std::filesystem::path& path, std::string& bytes);

}  // namespace platform
