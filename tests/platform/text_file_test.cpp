#include "platform/os/text_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/temp_folder.h"

namespace {

TEST(TextFileLines, NoLineKeepsTheCarriageReturnOfItsLineEnd) {
    std::istringstream in("crlf\r\nlf\nmiddle\rcr\r\n\r\nlast\r");
    std::vector<std::string> lines;
    std::string line;
    while (platform::readTextLine(in, line)) {
        lines.push_back(line);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"crlf", "lf", "middle\rcr", "", "last"}));

    std::u16string wide = u"line\r";
    platform::dropCarriageReturn(wide);
    EXPECT_EQ(wide, u"line");
}

TEST(FileStart, ReadsUpToTheLimitOrReportsTheWindowsError) {
    const test::TempFolder folder;
    test::writeBytes(folder / "long", std::string(2000, 'x'));
    test::writeBytes(folder / "short", "ab");

    const auto longStart = platform::readFileStart(folder / "long", 1027);
    ASSERT_TRUE(longStart.opened && longStart.bytes);
    EXPECT_EQ(longStart.bytes->size(), 1027U);
    EXPECT_EQ(platform::readFileStart(folder / "short", 1027).bytes, "ab");

    const auto missing = platform::readFileStart(folder / "missing", 1027);
    EXPECT_FALSE(missing.opened);
    EXPECT_EQ(missing.win32Error, 2U);  // ERROR_FILE_NOT_FOUND
    EXPECT_EQ(platform::readFileStart(folder / "missing" / "x", 1027).win32Error, 3U);  // ERROR_PATH_NOT_FOUND
    EXPECT_EQ(platform::readFileStart(folder / "short" / "x", 1027).win32Error, 3U);

    const auto folderStart = platform::readFileStart(folder.path(), 1027);
    EXPECT_FALSE(folderStart.bytes.has_value());
}

}  // namespace
