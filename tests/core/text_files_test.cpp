#include "core/text_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "support/log_capture.h"

namespace {

using Lines = std::vector<std::string>;
using testing::ElementsAre;

const std::string kAscii1025(1025, 'a');

// One small file per encoding, with what detection and reading make of it.
struct CharsetCase {
    const char* name;
    std::string bytes;
    Charset charset;
    Lines lines;  // read by that charset, when it can be read
};

// A file of many lines, read in more than one piece.
CharsetCase lf_longFile() {
    CharsetCase c{"long_utf8", "", Charset::utf8WithoutBom, {}};
    for (int n = 0; n < 400; ++n) {
        c.lines.push_back(std::to_string(n) + std::string(100, 'x') + "\xC3\xBC");
        c.bytes += c.lines.back() + "\r\n";
    }
    return c;
}

const CharsetCase kCharsetCases[] = {
    {"utf16le", std::string("\xFF\xFE" "a\0b\0\r\0\n\0c\0", 12), Charset::unicode, {"ab", "c"}},
    {"utf16be", std::string("\xFE\xFF\0a\0b\0\r\0\n\0c", 12), Charset::unicodeBigEndian, {"ab", "c"}},
    {"utf16le_non_bmp", std::string("\xFF\xFE\x3D\xD8\xEB\xDE", 6), Charset::unicode, {"\xF0\x9F\x9B\xAB"}},
    {"utf8_bom", "\xEF\xBB\xBFtitle=Z\xC3\xBCrich\r\nx", Charset::utf8WithBom, {"title=Z\xC3\xBCrich", "x"}},
    {"utf8", "Z\xC3\xBCrich\r\nGen\xC3\xA8ve\n", Charset::utf8WithoutBom, {"Z\xC3\xBCrich", "Gen\xC3\xA8ve"}},
    {"ansi", "Z\xFCrich\r\n", Charset::ansi, {"Z\xFCrich"}},
    {"empty", "", Charset::noneFound, {}},
    {"one_byte", "a", Charset::noneFound, {}},
    // Only the first 1027 bytes are judged: a sequence that they cut is no UTF-8.
    {"two_bytes_cut_at_1027", kAscii1025 + "a\xC3\xBC", Charset::ansi, {kAscii1025 + "a\xC3\xBC"}},
    {"three_bytes_cut_at_1027", kAscii1025 + "\xE2\x82\xAC", Charset::ansi, {kAscii1025 + "\xE2\x82\xAC"}},
    {"two_bytes_end_at_1027", kAscii1025 + "\xC3\xBC" + "\xE2\x82\xAC", Charset::utf8WithoutBom,
     {kAscii1025 + "\xC3\xBC\xE2\x82\xAC"}},
    {"ff_fe_but_no_utf16", "\xFF\xFE" "ab", Charset::unicode, {"\xE6\x89\xA1"}},  // U+6261
    lf_longFile(),
};

class TextFiles : public testing::Test {
protected:
    test::LogCapture log_;
};

TEST_F(TextFiles, DetectsAndReadsEachEncoding) {
    for (const auto& c : kCharsetCases) {
        const auto path = log_.folder() / c.name;
        test::writeBytes(path, c.bytes);
        EXPECT_EQ(gf_detectCharset(path), c.charset) << c.name;
        // Detection and reading in one opening of the file find the same.
        Lines readOnce;
        const TextFileContent content = gf_readTextFile(path, readOnce);
        EXPECT_EQ(content.charset, c.charset) << c.name;
        EXPECT_EQ(content.linesRead, c.charset != Charset::noneFound) << c.name;
        EXPECT_EQ(readOnce, c.lines) << c.name;
        if (c.charset == Charset::noneFound) {
            continue;
        }
        Lines lines;
        EXPECT_TRUE(gf_readTextFileByCharset(c.charset, path, lines)) << c.name;
        EXPECT_EQ(lines, c.lines) << c.name;
    }
    EXPECT_TRUE(log_.lines().empty());
}

TEST_F(TextFiles, CharsetNamesAndUnusableCharsets) {
    const std::pair<Charset, const char*> names[] = {
        {Charset::ansi, "ANSI"},
        {Charset::unicode, "Unicode"},
        {Charset::unicodeBigEndian, "Unicode_big_endian"},
        {Charset::utf8WithBom, "UTF8_with_BOM"},
        {Charset::utf8WithoutBom, "UTF8_without_BOM"},
        {Charset::noneFound, "none_found"},
    };
    for (const auto& [charset, name] : names) {
        EXPECT_EQ(gf_charsetName(charset), name);
    }
    EXPECT_THROW(gf_charsetName(static_cast<Charset>(6)), std::out_of_range);

    Lines lines;
    try {
        gf_readTextFileByCharset(Charset::noneFound, "x.cfg", lines);
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "file x.cfg has unknown charset: none_found");
    }
}

TEST_F(TextFiles, MissingFileIsNoneFoundWithALogLine) {
    const auto path = log_.folder() / "missing.cfg";
    EXPECT_EQ(gf_detectCharset(path), Charset::noneFound);
    EXPECT_THAT(log_.lines(),
                ElementsAre("Cannot open file " + path.string() + " for character encoding. Win32 error: 2"));
    Lines lines;
    EXPECT_FALSE(gf_readTextFileByCharset(Charset::ansi, path, lines));
    EXPECT_FALSE(gf_readTextFileByCharset(Charset::unicode, path, lines));
    const TextFileContent content = gf_readTextFile(path, lines);
    EXPECT_EQ(content.charset, Charset::noneFound);
    EXPECT_FALSE(content.linesRead);
    EXPECT_THAT(log_.lines(),
                ElementsAre("Cannot open file " + path.string() + " for character encoding. Win32 error: 2",
                            "Cannot open file " + path.string() + " for character encoding. Win32 error: 2"));
}

// Invalid UTF-16 stops the reading: the lines before it stay, the error is
// shown and logged, and the result is false.
TEST_F(TextFiles, InvalidUtf16KeepsTheLinesReadBeforeIt) {
    const std::pair<const char*, std::string> cases[] = {
        {"lone_surrogate", std::string("\xFF\xFE" "a\0\n\0\x00\xD8\n\0b\0", 10)},
        {"odd_last_byte", std::string("\xFF\xFE" "a\0\n\0b", 7)},
    };
    for (const auto& [name, bytes] : cases) {
        const auto path = log_.folder() / name;
        test::writeBytes(path, bytes);
        Lines lines;
        EXPECT_FALSE(gf_readTextFileByCharset(Charset::unicode, path, lines)) << name;
        EXPECT_EQ(lines, Lines{"a"}) << name;
    }
    EXPECT_THAT(log_.lines(), ElementsAre("conversion from error from utf16 to utf8, code: 1113",
                                          "conversion from error from utf16 to utf8, code: 1113"));
}

TEST_F(TextFiles, RealCrLfFileReadsWithoutCarriageReturns) {
    const std::filesystem::path path = VANTREL_FIXTURES_DIR "/aircraft_cfg/atoolstest_cabri_g2_CRLF_aircraft.cfg";
    const auto charset = gf_detectCharset(path);
    ASSERT_EQ(charset, Charset::utf8WithoutBom);
    Lines lines;
    ASSERT_TRUE(gf_readTextFileByCharset(charset, path, lines));
    EXPECT_EQ(lines.size(), 95U);
    EXPECT_EQ(lines.front(), "[VERSION]");
    for (const auto& line : lines) {
        EXPECT_EQ(line.find('\r'), std::string::npos) << line;
    }
}

TEST_F(TextFiles, ReadLinesReplacesTheHoldersLines) {
    TextFileLines file{log_.folder() / "list.txt", {"old"}};
    test::writeBytes(file.path, "KLAX\r\nEGLL\n\nLSZH");
    EXPECT_EQ(gf_readLines(file, 10), (Lines{"KLAX", "EGLL", "", "LSZH"}));
    EXPECT_EQ(file.lines.size(), 4U);
    file.path = log_.folder() / "missing.txt";
    EXPECT_TRUE(gf_readLines(file, 10).empty());
}

TEST_F(TextFiles, WriteTextFileWritesExactlyTheTextAndReportsFailures) {
    const auto path = log_.folder() / "redirect.txt";
    test::writeBytes(path, "a longer old content");
    EXPECT_TRUE(gf_writeTextFile("airports/x.zip", path, true));
    EXPECT_EQ(test::readBytes(path), "airports/x.zip\n");
    EXPECT_TRUE(gf_writeTextFile("no newline", path, false));
    EXPECT_EQ(test::readBytes(path), "no newline");

    EXPECT_FALSE(gf_writeTextFile("x", log_.folder() / "missing" / "file.txt", true));
    EXPECT_FALSE(gf_writeTextFile("x", "/dev/full", true));  // a full disk
}

TEST_F(TextFiles, ReplaceTextLinesKeepsTheOldFileUntilTheNewOneIsWhole) {
    const auto path = log_.folder() / "list.txt";
    test::writeBytes(path, "OLD\n");
    EXPECT_TRUE(gf_replaceTextLines({"A", "B,c d"}, path));
    EXPECT_EQ(test::readBytes(path), "A\nB,c d\n");
    EXPECT_FALSE(std::filesystem::exists(log_.folder() / "list.txt.new"));

    // The new file cannot be written: the old one stays as it was.
    std::filesystem::create_directories(log_.folder() / "list.txt.new" / "in the way");
    EXPECT_FALSE(gf_replaceTextLines({"lost"}, path));
    EXPECT_EQ(test::readBytes(path), "A\nB,c d\n");
}

TEST_F(TextFiles, SaveXmlFileSavesAndLogs) {
    pugi::xml_document document;
    document.append_child("parameters").append_child("parameter").append_attribute("name") = "LOG";
    const auto path = log_.folder() / "parameters.xml";
    EXPECT_TRUE(gf_saveXmlFile(document, path));
    EXPECT_EQ(test::readBytes(path),
              "<?xml version=\"1.0\"?>\n<parameters>\n\t<parameter name=\"LOG\" />\n</parameters>\n");
    EXPECT_FALSE(gf_saveXmlFile(document, "/dev/full"));
    EXPECT_THAT(log_.lines(), ElementsAre("'" + path.string() + "' saved", "could not save to '/dev/full'"));
}

}  // namespace
