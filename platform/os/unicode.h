#pragma once
// Strict conversion between UTF-8 and UTF-16, as Windows converts with
// MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS) and
// WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS): an invalid, overlong or
// truncated UTF-8 sequence, an encoded surrogate, a code point above U+10FFFF
// or an unpaired UTF-16 surrogate fails the whole conversion; nothing is
// replaced. wchar_t is 32 bits on Linux, so UTF-16 text is std::u16string.

#include <string>
#include <string_view>

namespace platform {

// Windows' ERROR_NO_UNICODE_TRANSLATION: the input holds an invalid sequence.
inline constexpr int kErrorNoUnicodeTranslation = 1113;

struct Utf16Conversion {
    std::u16string text;
    int errorCode = 0;  // 0 on success, else a Windows error code
};

struct Utf8Conversion {
    std::string text;
    int errorCode = 0;  // 0 on success, else a Windows error code
};

Utf16Conversion utf8ToUtf16(std::string_view utf8);
Utf8Conversion utf16ToUtf8(std::u16string_view utf16);

}  // namespace platform
