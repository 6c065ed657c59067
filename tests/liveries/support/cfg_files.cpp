#include "liveries/support/cfg_files.h"

#include <fstream>
#include <stdexcept>

#include "platform/os/unicode.h"

namespace test {

std::string encodeCfgText(std::string_view text, CfgEncoding encoding) {
    std::string crlf;
    for (const char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    switch (encoding) {
        case CfgEncoding::utf8: return std::string(text);
        case CfgEncoding::utf8CrLf: return crlf;
        case CfgEncoding::utf8MarkCrLf: return "\xEF\xBB\xBF" + crlf;
        case CfgEncoding::utf16CrLf:
        case CfgEncoding::utf16BigEndian: break;
    }
    const bool bigEndian = encoding == CfgEncoding::utf16BigEndian;
    const auto units = platform::utf8ToUtf16(bigEndian ? text : std::string_view(crlf));
    if (units.errorCode != 0) {
        throw std::invalid_argument("the text is no UTF-8");
    }
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : units.text) {
        const char high = static_cast<char>(unit >> 8U);
        const char low = static_cast<char>(unit & 0xFFU);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

void writeCfgFile(const std::filesystem::path& file, std::string_view text, CfgEncoding encoding) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << encodeCfgText(text, encoding);
}

}  // namespace test
