#pragma once
// The program's own exceptions, beside those of the standard library.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qrx {

// A numbered error whose text is meant for the user: what() is "41: message",
// or the message alone for code 99. The code travels only inside the text.
class UserErrorException : public std::runtime_error {
public:
    UserErrorException(int code, const std::string& message);
};

}  // namespace qrx

namespace win32 {

// The failure of a strict UTF-8/UTF-16 conversion.
class Utf8ConversionException : public std::runtime_error {
public:
    // Directions of a conversion (kind).
    static constexpr std::uint32_t kUtf8ToUtf16 = 0;
    static constexpr std::uint32_t kUtf16ToUtf8 = 1;

    Utf8ConversionException(const char* message, std::uint32_t errorCode, std::uint32_t kind);

    std::uint32_t errorCode;  // the Windows error code of the failed conversion
    std::uint32_t kind;       // kUtf8ToUtf16 or kUtf16ToUtf8
};

}  // namespace win32
