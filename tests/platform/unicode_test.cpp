#include "platform/os/unicode.h"

#include <gtest/gtest.h>

namespace {

using platform::kErrorNoUnicodeTranslation;

struct Utf8Case {
    const char* what;
    std::string utf8;
    std::u16string utf16;  // expected when valid
    bool valid;
};

const Utf8Case kUtf8Cases[] = {
    {"empty", "", u"", true},
    {"ascii", "EGLL 27L", u"EGLL 27L", true},
    {"nul inside", std::string("a\0b", 3), std::u16string(u"a\0b", 3), true},
    {"two bytes", "Z\xC3\xBCrich", u"Zürich", true},
    {"three bytes", "\xE6\x9D\xB1\xE4\xBA\xAC", u"東京", true},
    {"largest two bytes", "\xDF\xBF", u"\u07FF", true},
    {"last before surrogates", "\xED\x9F\xBF", u"\uD7FF", true},
    {"first after surrogates", "\xEE\x80\x80", u"\uE000", true},
    {"U+FFFF", "\xEF\xBF\xBF", u"\uFFFF", true},
    {"non-BMP U+10000", "\xF0\x90\x80\x80", u"\U00010000", true},
    {"non-BMP plane", "\xF0\x9F\x9B\xAB", u"\U0001F6EB", true},
    {"non-BMP U+10FFFF", "\xF4\x8F\xBF\xBF", u"\U0010FFFF", true},
    {"lone continuation byte", "\x80", u"", false},
    {"continuation after ascii", "a\xBF", u"", false},
    {"truncated two bytes", "\xC3", u"", false},
    {"truncated three bytes", "\xE6\x9D", u"", false},
    {"truncated four bytes", "\xF0\x9F\x9B", u"", false},
    {"lead without continuation", "\xC3(", u"", false},
    {"overlong NUL", "\xC0\x80", u"", false},
    {"overlong slash", "\xC1\xAF", u"", false},
    {"overlong three bytes", "\xE0\x80\xAF", u"", false},
    {"overlong four bytes", "\xF0\x80\x80\xAF", u"", false},
    {"encoded high surrogate", "\xED\xA0\x80", u"", false},
    {"encoded low surrogate", "\xED\xBF\xBF", u"", false},
    {"encoded surrogate pair", "\xED\xA0\xBD\xED\xB3\xAB", u"", false},
    {"above U+10FFFF", "\xF4\x90\x80\x80", u"", false},
    {"F5 lead", "\xF5\x80\x80\x80", u"", false},
    {"five-byte lead", "\xF8\x88\x80\x80\x80", u"", false},
    {"FE byte", "\xFE", u"", false},
    {"FF byte", "\xFF", u"", false},
    {"latin-1 text", "Z\xFCrich", u"", false},
};

TEST(StrictUnicode, Utf8ToUtf16) {
    for (const auto& c : kUtf8Cases) {
        const auto converted = platform::utf8ToUtf16(c.utf8);
        if (c.valid) {
            EXPECT_EQ(converted.errorCode, 0) << c.what;
            EXPECT_EQ(converted.text, c.utf16) << c.what;
            const auto back = platform::utf16ToUtf8(converted.text);
            EXPECT_EQ(back.errorCode, 0) << c.what;
            EXPECT_EQ(back.text, c.utf8) << c.what;
        } else {
            EXPECT_EQ(converted.errorCode, kErrorNoUnicodeTranslation) << c.what;
            EXPECT_TRUE(converted.text.empty()) << c.what;
        }
    }
}

TEST(StrictUnicode, Utf16ToUtf8RejectsUnpairedSurrogates) {
    const std::pair<const char*, std::u16string> invalid[] = {
        {"lone high", {char16_t(0xD800)}},
        {"lone low", {char16_t(0xDC00)}},
        {"high at the end", {u'a', char16_t(0xDBFF)}},
        {"high then ascii", {char16_t(0xD83D), u'a'}},
        {"two highs", {char16_t(0xD83D), char16_t(0xD83D)}},
        {"reversed pair", {char16_t(0xDEEB), char16_t(0xD83D)}},
        {"low after a valid pair", {char16_t(0xD83D), char16_t(0xDEEB), char16_t(0xDEEB)}},
    };
    for (const auto& [what, text] : invalid) {
        const auto converted = platform::utf16ToUtf8(text);
        EXPECT_EQ(converted.errorCode, kErrorNoUnicodeTranslation) << what;
        EXPECT_TRUE(converted.text.empty()) << what;
    }
}

}  // namespace
