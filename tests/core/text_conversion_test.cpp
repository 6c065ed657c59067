#include "core/text_conversion.h"

#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "support/app_data_folders.h"
#include "support/log_capture.h"

namespace {

TEST(TextConversion, EmptyAndNonBmpTextsConvertBothWaysWithoutLoss) {
    const std::string texts[] = {"", "Zürich", "東京", "\xF0\x9F\x9B\xAB plane", std::string("a\0b", 3)};
    for (const auto& utf8 : texts) {
        const auto utf16 = gf_utf8ToUtf16(utf8);
        EXPECT_EQ(gf_utf16ToUtf8(utf16), utf8);
    }
    EXPECT_EQ(gf_utf8ToUtf16("\xF0\x9F\x9B\xAB"), std::u16string(u"\U0001F6EB"));
}

TEST(TextConversion, InvalidUtf8ThrowsWithError1113AndItsMessage) {
    const std::string invalid[] = {"\x80", "abc\xC3", "\xC0\x80", "\xED\xA0\x80"};
    for (const auto& text : invalid) {
        try {
            (void)gf_utf8ToUtf16(text);
            ADD_FAILURE() << "no exception for " << testing::PrintToString(text);
        } catch (const win32::Utf8ConversionException& error) {
            EXPECT_STREQ(error.what(), "Invalid UTF-8 sequence found in input string.");
            EXPECT_EQ(error.errorCode, 1113U);
            EXPECT_EQ(error.kind, win32::Utf8ConversionException::kUtf8ToUtf16);
        }
    }
}

TEST(TextConversion, UnpairedSurrogateThrowsWithError1113AndItsMessage) {
    const std::u16string invalid[] = {std::u16string(1, char16_t(0xD800)), u"x" + std::u16string(1, char16_t(0xDC00))};
    for (const auto& text : invalid) {
        try {
            (void)gf_utf16ToUtf8(text);
            ADD_FAILURE() << "no exception";
        } catch (const win32::Utf8ConversionException& error) {
            EXPECT_STREQ(error.what(), "Invalid UTF-16 sequence found in input string.");
            EXPECT_EQ(error.errorCode, 1113U);
            EXPECT_EQ(error.kind, win32::Utf8ConversionException::kUtf16ToUtf8);
        }
    }
}

TEST(AppDataPaths, FollowTheKnownFolderLookupAndLogWhenMissing) {
    const test::LogCapture log;
    {
        const test::ScopedAppDataFolders folders(log.folder() / "roaming", log.folder() / "local");
        EXPECT_EQ(gf_getAppDataPath(), log.folder() / "roaming");
        EXPECT_EQ(gf_getLocalAppDataPath(), log.folder() / "local");
        EXPECT_FALSE(gf_getKnownFolderPath(5).has_value());
    }
    const test::ScopedAppDataFolders missing({}, {});
    EXPECT_EQ(gf_getAppDataPath(), std::filesystem::path());
    EXPECT_EQ(gf_getLocalAppDataPath(), std::filesystem::path());
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"===> Could not find the AppData path",
                                                     "===> Could not find the a Local Appdata path"}));
}

}  // namespace
