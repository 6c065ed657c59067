#include "core/exceptions.h"

#include "core/format.h"

namespace {

// Code 99 carries a message that stands on its own, without its number.
constexpr int kCodeWithoutNumber = 99;

std::string lf_userErrorText(int code, const std::string& message) {
    if (code == kCodeWithoutNumber) {
        return message;
    }
    return fmtlib::format("{}: {}", code, message);
}

}  // namespace

namespace qrx {

UserErrorException::UserErrorException(int code, const std::string& message)
    : std::runtime_error(lf_userErrorText(code, message)) {}

}  // namespace qrx

namespace win32 {

Utf8ConversionException::Utf8ConversionException(const char* message, std::uint32_t errorCode_,
                                                 std::uint32_t kind_)
    : std::runtime_error(message), errorCode(errorCode_), kind(kind_) {}

}  // namespace win32
