#include "core/exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(UserErrorException, TextIsCodeAndMessageExceptForCode99) {
    struct Case {
        int code;
        std::string message;
        std::string expected;
    };
    const Case cases[] = {
        {41, "Vantrel must be run from the Vantrel folder!", "41: Vantrel must be run from the Vantrel folder!"},
        {41, "", "41: "},
        {99, "a message that stands alone", "a message that stands alone"},
        {5, "Filesystem error: x", "5: Filesystem error: x"},
    };
    for (const auto& c : cases) {
        const qrx::UserErrorException error(c.code, c.message);
        EXPECT_EQ(error.what(), c.expected) << c.code;
        const std::runtime_error& asRuntimeError = error;
        EXPECT_STREQ(asRuntimeError.what(), c.expected.c_str());
    }
}

TEST(Utf8ConversionException, CopyKeepsMessageCodeAndDirection) {
    const win32::Utf8ConversionException original("Invalid UTF-16 sequence found in input string.", 1113,
                                                  win32::Utf8ConversionException::kUtf16ToUtf8);
    const win32::Utf8ConversionException copy = original;
    EXPECT_STREQ(copy.what(), "Invalid UTF-16 sequence found in input string.");
    EXPECT_EQ(copy.errorCode, 1113U);
    EXPECT_EQ(copy.kind, 1U);
}

}  // namespace
