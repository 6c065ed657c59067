#include "core/text_files.h"

#include <array>
#include <pugixml.hpp>
#include <stdexcept>
#include <system_error>

#include "core/display_hooks.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/text_conversion.h"
#include "platform/os/text_file.h"
#include "platform/os/unicode.h"

namespace {

// How much of a file judges its encoding.
constexpr std::size_t kCharsetSampleBytes = 1027;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

constexpr std::array<std::string_view, 6> kCharsetNames = {
    "ANSI", "Unicode", "Unicode_big_endian", "UTF8_with_BOM", "UTF8_without_BOM", "none_found"};

// The byte count of the UTF-8 sequence this lead byte starts; 0 when it
// cannot start one.
std::size_t lf_utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80U) {
        return 1;
    }
    if ((lead & 0xE0U) == 0xC0U) {
        return 2;
    }
    if ((lead & 0xF0U) == 0xE0U) {
        return 3;
    }
    if ((lead & 0xF8U) == 0xF0U) {
        return 4;
    }
    return 0;
}

// The shape of UTF-8 only (lead and following bytes): enough to tell UTF-8
// from a single-byte code page. A sequence cut off at the end of the sample
// does not count as UTF-8.
bool lf_looksLikeUtf8(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t length = lf_utf8SequenceLength(static_cast<unsigned char>(bytes[pos]));
        if (length == 0 || bytes.size() - pos < length) {
            return false;
        }
        for (std::size_t i = 1; i < length; ++i) {
            if ((static_cast<unsigned char>(bytes[pos + i]) & 0xC0U) != 0x80U) {
                return false;
            }
        }
        pos += length;
    }
    return true;
}

// The encoding told by the first bytes of a file, at most
// kCharsetSampleBytes of them.
Charset lf_charsetOfStart(std::string_view start) {
    if (start.size() < 2) {
        return Charset::noneFound;
    }
    if (start.starts_with(kUtf8Mark)) {
        return Charset::utf8WithBom;
    }
    if (start.starts_with(kUtf16LittleEndianMark)) {
        return Charset::unicode;
    }
    if (start.starts_with(kUtf16BigEndianMark)) {
        return Charset::unicodeBigEndian;
    }
    return lf_looksLikeUtf8(start) ? Charset::utf8WithoutBom : Charset::ansi;
}

// Appends the lines of the text as a stream's line reader cuts them: at
// each LF, without the CR of a CR LF; no line after a last LF. The UTF-8
// mark, when asked, is taken off the first line.
void lf_appendNarrowLines(std::string_view text, bool dropUtf8Mark, std::vector<std::string>& lines) {
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (first && dropUtf8Mark && line.starts_with(kUtf8Mark)) {
            line.remove_prefix(kUtf8Mark.size());
        }
        first = false;
        lines.emplace_back(line);
    }
}

// Appends every line of UTF-16 text as UTF-8, in the byte order of its
// byte-order mark (big-endian without one). Throws
// win32::Utf8ConversionException for invalid UTF-16 (an unpaired surrogate,
// an odd last byte); the lines before it stay.
void lf_appendUtf16Lines(std::string_view bytes, std::vector<std::string>& lines) {
    const std::string_view mark = bytes.substr(0, kUtf16LittleEndianMark.size());
    const bool bigEndian = mark != kUtf16LittleEndianMark;
    if (mark == kUtf16LittleEndianMark || mark == kUtf16BigEndianMark) {
        bytes.remove_prefix(mark.size());
    }
    std::u16string line;
    const auto appendLine = [&lines, &line] {
        platform::dropCarriageReturn(line);
        lines.push_back(gf_utf16ToUtf8(line));
        line.clear();
    };
    const std::size_t wholeUnitBytes = bytes.size() / 2 * 2;
    for (std::size_t pos = 0; pos < wholeUnitBytes; pos += 2) {
        const auto first = static_cast<unsigned char>(bytes[pos]);
        const auto second = static_cast<unsigned char>(bytes[pos + 1]);
        const auto unit = static_cast<char16_t>(bigEndian ? (first << 8U) | second : (second << 8U) | first);
        if (unit == u'\n') {
            appendLine();
        } else {
            line.push_back(unit);
        }
    }
    // A last byte without its partner is half a character.
    if (wholeUnitBytes != bytes.size()) {
        throw win32::Utf8ConversionException("Invalid UTF-16 sequence found in input string.",
                                             platform::kErrorNoUnicodeTranslation,
                                             win32::Utf8ConversionException::kUtf16ToUtf8);
    }
    if (!line.empty()) {
        appendLine();
    }
}

bool lf_appendUtf16LinesShowingErrors(std::string_view bytes, std::vector<std::string>& lines) {
    try {
        lf_appendUtf16Lines(bytes, lines);
    } catch (const win32::Utf8ConversionException& error) {
        displayHooks.showMessage(fmtlib::format("conversion from error from utf16 to utf8, code: {}", error.errorCode), true);
        return false;
    } catch (const std::runtime_error& error) {
        displayHooks.showMessage(fmtlib::format("conversion from error from utf16 to utf8: {}", error.what()), true);
        return false;
    }
    return true;
}

// Appends the lines of the file's bytes read by the charset (not none_found).
bool lf_appendLinesByCharset(Charset charset, std::string_view bytes, std::vector<std::string>& lines) {
    switch (charset) {
        case Charset::unicode:
        case Charset::unicodeBigEndian: return lf_appendUtf16LinesShowingErrors(bytes, lines);
        case Charset::utf8WithBom: lf_appendNarrowLines(bytes, true, lines); return true;
        default: lf_appendNarrowLines(bytes, false, lines); return true;
    }
}

template <class FileResult>
void lf_logNotOpened(const std::filesystem::path& path, const FileResult& file) {
    gf_writeLogPlain(fmtlib::format("Cannot open file {} for character encoding. Win32 error: {}", path.string(),
                                    file.win32Error));
}

}  // namespace

Charset gf_detectCharset(const std::filesystem::path& path) {
    const auto start = platform::readFileStart(path, kCharsetSampleBytes);
    if (!start.opened) {
        lf_logNotOpened(path, start);
        return Charset::noneFound;
    }
    return start.bytes ? lf_charsetOfStart(*start.bytes) : Charset::noneFound;
}

std::string gf_charsetName(Charset charset) {
    const auto index = static_cast<std::size_t>(charset);
    if (index >= kCharsetNames.size()) {
        throw std::out_of_range("invalid map<K, T> key");
    }
    return std::string(kCharsetNames[index]);
}

bool gf_readTextFileByCharset(Charset charset, const std::filesystem::path& path, std::vector<std::string>& lines) {
    if (charset == Charset::noneFound || static_cast<std::size_t>(charset) >= kCharsetNames.size()) {
        throw std::runtime_error(
            fmtlib::format("file {} has unknown charset: {}", path.string(), gf_charsetName(charset)));
    }
    std::string bytes;
    return platform::readWholeFile(path, bytes).read && lf_appendLinesByCharset(charset, bytes, lines);
}

TextFileContent gf_readTextFile(const std::filesystem::path& path, std::vector<std::string>& lines) {
    std::string buffer;
    const platform::FileRead file = platform::readWholeFile(path, buffer);
    if (!file.opened) {
        lf_logNotOpened(path, file);
        return {Charset::noneFound, false};
    }
    if (!file.read) {
        return {Charset::noneFound, false};
    }
    const std::string_view bytes = buffer;
    const Charset charset = lf_charsetOfStart(bytes.substr(0, kCharsetSampleBytes));
    if (charset == Charset::noneFound) {
        return {charset, false};
    }
    return {charset, lf_appendLinesByCharset(charset, bytes, lines)};
}

const std::vector<std::string>& gf_readLines(TextFileLines& file, std::size_t expectedLineCount) {
    file.lines.clear();
    file.lines.reserve(expectedLineCount);
    std::ifstream in(file.path, std::ios::binary);
    std::string line;
    while (in.is_open() && platform::readTextLine(in, line)) {
        file.lines.push_back(std::move(line));
    }
    return file.lines;
}

bool gf_replaceTextLines(const std::vector<std::string>& lines, const std::filesystem::path& path) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    std::filesystem::path temporary = path;
    temporary += ".new";
    std::error_code error;
    if (gf_writeTextFile(text, temporary, false)) {
        std::filesystem::rename(temporary, path, error);
        if (!error) {
            return true;
        }
    }
    std::filesystem::remove(temporary, error);
    return false;
}

bool gf_writeTextFile(std::string_view text, const std::filesystem::path& path, bool newline) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file.is_open()) {
        return false;
    }
    file << text;
    if (newline) {
        file << '\n';
    }
    // A write that fails (a full disk) is a failure too, not only a file
    // that does not open.
    file.close();
    return !file.fail();
}

bool gf_replaceXmlFile(const pugi::xml_document& document, const std::filesystem::path& path) {
    std::filesystem::path temporary = path;
    temporary += ".new";
    std::error_code error;
    if (document.save_file(temporary.c_str())) {
        std::filesystem::rename(temporary, path, error);
    } else {
        error = std::make_error_code(std::errc::io_error);
    }
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        gf_writeLogPlain(fmtlib::format("could not save to '{}'", path.string()));
        return false;
    }
    gf_writeLogPlain(fmtlib::format("'{}' saved", path.string()));
    return true;
}

bool gf_saveXmlFile(const pugi::xml_document& document, const std::filesystem::path& path) {
    if (!document.save_file(path.c_str())) {
        gf_writeLogPlain(fmtlib::format("could not save to '{}'", path.string()));
        return false;
    }
    gf_writeLogPlain(fmtlib::format("'{}' saved", path.string()));
    return true;
}
