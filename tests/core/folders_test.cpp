#include "core/folders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "support/log_capture.h"

namespace {

using testing::ElementsAre;
using testing::UnorderedElementsAre;

class Folders : public testing::Test {
protected:
    test::LogCapture log_;
    std::filesystem::path folder_ = log_.folder() / "airports";

    void SetUp() override { std::filesystem::create_directory(folder_); }
};

TEST_F(Folders, CleanFolderRemovesFilesAndSubFoldersWithWhatTheyHold) {
    test::writeBytes(folder_ / "EDDS.xml", "x");
    test::writeBytes(folder_ / "notes.txt", "x");
    std::filesystem::create_directory(folder_ / "empty");
    std::filesystem::create_directories(folder_ / "full" / "deeper");
    test::writeBytes(folder_ / "full" / "LSZH.xml", "x");
    test::writeBytes(folder_ / "full" / "deeper" / "EGLL.xml", "x");
    gf_cleanFolder(folder_);
    EXPECT_TRUE(std::filesystem::is_directory(folder_));
    EXPECT_EQ(gf_countDirectoryEntries(folder_), 0U);

    gf_cleanFolder(log_.folder() / "missing");
    test::writeBytes(log_.folder() / "file", "x");
    gf_cleanFolder(log_.folder() / "file");
    EXPECT_TRUE(std::filesystem::exists(log_.folder() / "file"));
    EXPECT_THAT(log_.lines(), ElementsAre("Cleaning folder: " + folder_.string(),
                                          "Cleaning folder: " + (log_.folder() / "missing").string(),
                                          "Cleaning folder: " + (log_.folder() / "file").string()));
}

TEST_F(Folders, CountAndListXmlFiles) {
    for (const char* name : {"a.xml", "B.XML", "c.xml.bak", "d.txt"}) {
        test::writeBytes(folder_ / name, "x");
    }
    std::filesystem::create_directory(folder_ / "e.xml");
    EXPECT_EQ(gf_countDirectoryEntries(folder_), 5U);
    EXPECT_EQ(gf_countDirectoryEntries(log_.folder() / "missing"), 0U);
    EXPECT_THAT(gf_listXmlFiles(folder_), UnorderedElementsAre(folder_ / "a.xml", folder_ / "B.XML"));
    EXPECT_TRUE(gf_listXmlFiles(log_.folder() / "missing").empty());
}

}  // namespace
