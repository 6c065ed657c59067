#include "platform/zip/zip_archive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "support/zip_writer.h"

namespace {

using platform::zip::ZipArchive;
using testing::ElementsAre;
using testing::HasSubstr;

class ZipArchiveTest : public testing::Test {
protected:
    test::TempFolder folder_;
    std::filesystem::path zipPath_ = folder_ / "package.zip";
};

TEST_F(ZipArchiveTest, ListsEntriesInArchiveOrderAndReadsThemWhole) {
    const std::string binary("a\0b\r\nc\xff", 7);
    const std::string large(200000, 'x');
    test::writeZip(zipPath_, {{"EDDF.xml", "<parkpositions/>"},
                              {"sub/", ""},
                              {"sub/LSZH.xml", large},
                              {"empty.txt", ""},
                              {"../evil.xml", binary}});

    const ZipArchive archive(zipPath_);
    EXPECT_THAT(archive.entryNames(), ElementsAre("EDDF.xml", "sub/", "sub/LSZH.xml", "empty.txt", "../evil.xml"));
    EXPECT_EQ(archive.readEntry(0), "<parkpositions/>");
    EXPECT_EQ(archive.readEntry(2), large);
    EXPECT_EQ(archive.readEntry(3), "");
    EXPECT_EQ(archive.readEntry(4), binary);
}

TEST_F(ZipArchiveTest, OpeningAMissingOrForeignFileThrowsWithThePath) {
    for (const bool exists : {false, true}) {
        if (exists) {
            test::writeBytes(zipPath_, "<html>not a zip</html>");
        }
        try {
            const ZipArchive archive(zipPath_);
            FAIL() << "opened " << (exists ? "a foreign file" : "a missing file");
        } catch (const std::runtime_error& error) {
            EXPECT_THAT(error.what(), HasSubstr(zipPath_.string()));
        }
    }
}

TEST_F(ZipArchiveTest, ADamagedEntryOrAWrongIndexThrowsWithTheEntry) {
    test::writeZip(zipPath_, {{"good.xml", "fine"}, {"bad.xml", "content that will be damaged"}});
    std::string bytes = test::readBytes(zipPath_);
    bytes[bytes.find("will be")] = 'W';  // stored uncompressed: the checksum no longer fits
    test::writeBytes(zipPath_, bytes);

    const ZipArchive archive(zipPath_);
    EXPECT_EQ(archive.readEntry(0), "fine");
    EXPECT_THROW(
        {
            try {
                archive.readEntry(1);
            } catch (const std::runtime_error& error) {
                EXPECT_THAT(error.what(), HasSubstr("bad.xml"));
                throw;
            }
        },
        std::runtime_error);
    EXPECT_THROW(archive.readEntry(2), std::runtime_error);
}

}  // namespace
