#include "core/text_conversion.h"

#include <climits>
#include <cstdint>
#include <stdexcept>

#include "core/exceptions.h"
#include "core/log.h"
#include "platform/os/known_folders.h"
#include "platform/os/unicode.h"

namespace {

using win32::Utf8ConversionException;

// The messages of a failed conversion in one direction. Windows asks for the
// result's length first and then converts; the strict conversion here fails
// at the first step, so only the invalid-sequence and length messages occur.
struct ConversionMessages {
    const char* invalidSequence;
    const char* lengthFailed;
};

constexpr ConversionMessages kUtf8ToUtf16Messages{
    "Invalid UTF-8 sequence found in input string.",
    "Cannot get result string length when converting from UTF-8 to UTF-16 (MultiByteToWideChar failed)."};

constexpr ConversionMessages kUtf16ToUtf8Messages{
    "Invalid UTF-16 sequence found in input string.",
    "Cannot get result string length when converting from UTF-16 to UTF-8 (WideCharToMultiByte failed)."};

void lf_checkLength(std::size_t length) {
    if (length > static_cast<std::size_t>(INT_MAX)) {
        throw std::overflow_error("Input string too long: size_t-length doesn't fit into int.");
    }
}

// An empty text needs no conversion; a text longer than the largest int is
// refused before any conversion, as Windows' int lengths require.
template <class Text, class Convert>
auto lf_convert(const Text& text, Convert convert, const ConversionMessages& messages, std::uint32_t kind)
    -> decltype(convert(text).text) {
    if (text.empty()) {
        return {};
    }
    lf_checkLength(text.size());
    auto converted = convert(text);
    if (converted.errorCode != 0) {
        const char* message = converted.errorCode == platform::kErrorNoUnicodeTranslation ? messages.invalidSequence
                                                                                          : messages.lengthFailed;
        throw Utf8ConversionException(message, static_cast<std::uint32_t>(converted.errorCode), kind);
    }
    return std::move(converted.text);
}

std::filesystem::path lf_appDataPath(int csidl, std::string_view missingMessage) {
    if (auto folder = gf_getKnownFolderPath(csidl)) {
        return *folder;
    }
    gf_writeLog(missingMessage);
    return {};
}

}  // namespace

std::u16string gf_utf8ToUtf16(const std::string& utf8) {
    return lf_convert(utf8, platform::utf8ToUtf16, kUtf8ToUtf16Messages, Utf8ConversionException::kUtf8ToUtf16);
}

std::string gf_utf16ToUtf8(const std::u16string& utf16) {
    return lf_convert(utf16, platform::utf16ToUtf8, kUtf16ToUtf8Messages, Utf8ConversionException::kUtf16ToUtf8);
}

std::optional<std::filesystem::path> gf_getKnownFolderPath(int csidl) {
    switch (csidl) {
        case kCsidlAppData: return platform::appDataFolder(platform::AppDataFolder::roaming);
        case kCsidlLocalAppData: return platform::appDataFolder(platform::AppDataFolder::local);
        default: return std::nullopt;
    }
}

std::filesystem::path gf_getAppDataPath() {
    return lf_appDataPath(kCsidlAppData, "Could not find the AppData path");
}

std::filesystem::path gf_getLocalAppDataPath() {
    return lf_appDataPath(kCsidlLocalAppData, "Could not find the a Local Appdata path");
}
