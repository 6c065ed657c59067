#pragma once
// aircraft.cfg files for the tests, in the encodings and line ends that
// add-on makers save them in.

#include <filesystem>
#include <string>
#include <string_view>

namespace test {

enum class CfgEncoding {
    utf8,            // line feeds
    utf8CrLf,        // CR LF
    utf8MarkCrLf,    // the UTF-8 mark, CR LF
    utf16CrLf,       // UTF-16 little endian with its mark, CR LF (Notepad's "Unicode")
    utf16BigEndian,  // UTF-16 big endian with its mark, line feeds
};

// The text (UTF-8 with line feeds) as bytes of the encoding.
std::string encodeCfgText(std::string_view text, CfgEncoding encoding);

// Writes the text in the encoding, making the file's folders.
void writeCfgFile(const std::filesystem::path& file, std::string_view text, CfgEncoding encoding = CfgEncoding::utf8);

}  // namespace test
