#pragma once
// Text files of the simulator's add-ons and of users, which come in several
// encodings, read as UTF-8 lines; and the writers of the program's own text
// and XML files. Lines never keep the CR of a CR LF line end.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace pugi {
class xml_document;
}

// The encoding of a text file, found from its first bytes.
enum class Charset : std::uint32_t {
    ansi = 0,              // "ANSI": bytes that are not valid UTF-8
    unicode = 1,           // "Unicode": UTF-16, first bytes FF FE
    unicodeBigEndian = 2,  // "Unicode_big_endian": UTF-16, first bytes FE FF
    utf8WithBom = 3,       // "UTF8_with_BOM": first bytes EF BB BF
    utf8WithoutBom = 4,    // "UTF8_without_BOM": valid UTF-8 without a mark
    noneFound = 5,         // "none_found": unreadable, or fewer than 2 bytes
};

// Judges the first 1027 bytes; never throws. A file that does not open is
// logged "Cannot open file {} for character encoding. Win32 error: {}".
Charset gf_detectCharset(const std::filesystem::path& path);

// The name above; std::out_of_range "invalid map<K, T> key" for any other value.
std::string gf_charsetName(Charset charset);

// Appends the file's lines as UTF-8 (UTF-16 converted strictly, the UTF-8
// mark removed, ANSI and UTF-8 taken as they are). True when the file was
// opened and read. A conversion error is shown on the message line and
// logged; the lines read before it stay and the result is false. Throws
// std::runtime_error "file {} has unknown charset: {}" for none_found.
bool gf_readTextFileByCharset(Charset charset, const std::filesystem::path& path,
                              std::vector<std::string>& lines);

// What gf_readTextFile found: the file's encoding, and whether its lines
// were read.
struct TextFileContent {
    Charset charset = Charset::noneFound;
    bool linesRead = false;
};

// The two above in one opening of the file: its encoding judged as
// gf_detectCharset judges it (with the same log line for a file that does
// not open) and, unless it is none_found, its lines appended as
// gf_readTextFileByCharset appends them.
TextFileContent gf_readTextFile(const std::filesystem::path& path, std::vector<std::string>& lines);

// A text file and the lines read from it.
struct TextFileLines {
    std::filesystem::path path;
    std::vector<std::string> lines;
};

// Replaces the holder's lines with the file's lines, without any charset
// handling, room reserved for the expected count; no lines when the file
// does not open.
const std::vector<std::string>& gf_readLines(TextFileLines& file, std::size_t expectedLineCount);

// Writes the text, and a line feed after it when newline is set, replacing
// the file. True only when the whole text reached the file.
bool gf_writeTextFile(std::string_view text, const std::filesystem::path& path, bool newline);

// Writes each line followed by a line feed into "<path>.new", which is then
// renamed over the path: the path keeps the old file until the new one is
// whole. A failed write leaves no "<path>.new" behind.
bool gf_replaceTextLines(const std::vector<std::string>& lines, const std::filesystem::path& path);
// Saves the document with the XML library's default indentation and format;
// logs "'{}' saved" or "could not save to '{}'". True when it saved.
bool gf_saveXmlFile(const pugi::xml_document& document, const std::filesystem::path& path);

// Saves the document as gf_saveXmlFile does, but into "<path>.new" first,
// which is then renamed over the path: the path holds the old file until the
// new one is whole, also when the program stops or the disk fills up. Logs
// "'{}' saved" or "could not save to '{}'" with the path; a failed save
// leaves no "<path>.new" behind.
bool gf_replaceXmlFile(const pugi::xml_document& document, const std::filesystem::path& path);
