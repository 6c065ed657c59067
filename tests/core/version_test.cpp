#include "core/version.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
