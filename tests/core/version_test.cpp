#include "core/version.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "core/format.h"

#include "support/log_capture.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing::StartsWith;

struct VersionCase {
    const char* text;
    VersionData expected;
    const char* logged;  // the log line's start, or null when nothing is logged
};

const VersionCase kVersionCases[] = {
    {"11.0.3", {11, 0, 3}, nullptr},
    {"1x2y3", {1, 2, 3}, nullptr},  // any character between the numbers
    {R"({"major": 2, "minor": 5})", {2, 5, 0}, nullptr},
    {R"({"major": 4, "minor": 0, "patch": 12})", {4, 0, 12}, nullptr},
    {"[1, 2, 3]", {0, 0, 0}, nullptr},  // JSON, but no object
    {"v11.0.3", {0, 0, 0}, "VersionData exception: "},
    {"11.0", {0, 0, 0}, nullptr},  // a JSON number, no object
    {"11.0.", {0, 0, 0}, "VersionData exception: "},
    {"", {0, 0, 0}, "VersionData exception: "},
    {"12345678901.0.3", {0, 0, 0}, "VersionData exception: parse error in version string"},
    // The numbers read before the failure stay.
    {"7.99999999999.3", {7, 0, 0}, "VersionData exception: parse error in version string"},
    {R"({"major": 3, "minor": "x"})", {3, 0, 0}, "VersionData exception: "},
    {R"({"major": 4294967297})", {0, 0, 0}, "VersionData exception: "},
    {R"({"major": 18446744073709551615})", {0, 0, 0}, "VersionData exception: "},
    {R"({"major": 1e30})", {0, 0, 0}, "VersionData exception: "},
    {R"({"major": 2.0, "minor": 1.7})", {2, 1, 0}, nullptr},  // fractions cut off
    // A separator may be a digit: the first number takes what it can.
    {"123456", {12, 4, 6}, nullptr},
    {"1\n2.3", {0, 0, 0}, "VersionData exception: "},  // a line end separates nothing
};

TEST(VersionData, ReadsDottedTextAndJsonAndLogsFailures) {
    for (const auto& row : kVersionCases) {
        const test::LogCapture log;
        const VersionData version{std::string(row.text)};
        EXPECT_EQ(version, row.expected) << row.text;
        if (row.logged == nullptr) {
            EXPECT_THAT(log.lines(), IsEmpty()) << row.text;
        } else {
            EXPECT_THAT(log.lines(), ElementsAre(StartsWith(row.logged))) << row.text;
        }
    }
}

// The numbers as the pattern (\d+).(\d+).(\d+), matched against the whole
// text by a backtracking matcher, take them; 0.0.0 when it does not match.
VersionData lf_patternReading(const std::string& text) {
    static const std::regex pattern{R"((\d+).(\d+).(\d+))"};
    std::smatch match;
    if (!std::regex_match(text, match, pattern)) {
        return {};
    }
    return {std::stoi(match[1].str()), std::stoi(match[2].str()), std::stoi(match[3].str())};
}

// Every text of up to seven characters of digits, dots, letters and line
// ends splits into the numbers that the pattern gives (none of these texts is
// a JSON object, so each one the pattern refuses reads 0.0.0).
TEST(VersionData, SplitsDottedTextAsThePatternDoes) {
    constexpr std::string_view kAlphabet = "19.x\n";
    const test::LogCapture log;
    std::vector<std::string> texts{""};
    for (std::size_t length = 1; length <= 7; ++length) {
        std::vector<std::string> longer;
        for (const std::string& text : texts) {
            for (const char c : kAlphabet) {
                longer.push_back(text + c);
            }
        }
        texts = std::move(longer);
        for (const std::string& text : texts) {
            ASSERT_EQ(VersionData(text), lf_patternReading(text)) << text;
        }
    }
}

// A text far too long for a version is refused before it is read, digits
// only or with a letter at its end.
TEST(VersionData, RefusesOverlongText) {
    for (const std::string& text : {std::string(100000, '7'), std::string(1500, '1') + "x", std::string(257, '2')}) {
        const test::LogCapture log;
        EXPECT_EQ(VersionData(text), VersionData{});
        EXPECT_THAT(log.lines(), ElementsAre(fmtlib::format("VersionData exception: version text of {} characters is "
                                                            "too long",
                                                            text.size())));
    }
}

TEST(VersionData, FormatsAsDottedTextThatReadsBack) {
    EXPECT_EQ(gf_formatVersion(programVersion), "11.0.3");
    EXPECT_EQ(VersionData(gf_formatVersion(programVersion)), programVersion);
    EXPECT_EQ(gf_formatVersion({10, 20, 0}), "10.20.0");
}

TEST(VersionData, OrdersByMajorThenMinorThenPatch) {
    const VersionData running{11, 0, 3};
    EXPECT_GT(running, (VersionData{11, 0, 2}));
    EXPECT_GT(running, (VersionData{10, 9, 9}));
    EXPECT_GT(running, (VersionData{11, -1, 99}));
    EXPECT_FALSE(running > (VersionData{11, 0, 3}));
    EXPECT_LT(running, (VersionData{11, 1, 0}));
    EXPECT_LT(running, (VersionData{12, 0, 0}));
    EXPECT_GT(running, VersionData{});
}

}  // namespace
