#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "core/settings.h"
#include "support/settings_file_fixture.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::Pair;

using SavingParameters = test::SettingsFileTest;

TEST_F(SavingParameters, EachKindSetsItsEntryOrAppendsIt) {
    writeEntries({{"RANGE", "40"}, {"WEEK", "false"}, {"DESTINATION", ""}});
    RANGE.value = 65;
    RANGE.save();
    WEEK.value = true;
    WEEK.save();
    DESTINATION.setValueAndSave("LSZH");
    MAX_LIVE_SEL.value = 75;
    MAX_LIVE_SEL.save();

    EXPECT_THAT(fileEntries(), ElementsAre(Pair("RANGE", "65"), Pair("WEEK", "true"), Pair("DESTINATION", "LSZH"),
                                           Pair("MAX_LIVE_SEL", "75")));
    EXPECT_EQ(DESTINATION.value, "LSZH");
    EXPECT_THAT(log.lines(), ElementsAre("RANGE=65", "WEEK=true", "DESTINATION=\"LSZH\"", "MAX_LIVE_SEL=75"));
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".tmp"));
}

TEST_F(SavingParameters, FirstSaveCreatesTheProgramsFolderAndTheFile) {
    ASSERT_FALSE(std::filesystem::exists(path.parent_path()));
    SCAN_AIRPORTS.value = false;
    SCAN_AIRPORTS.save();
    EXPECT_THAT(fileEntries(), ElementsAre(Pair("SCAN_AIRPORTS", "false")));
}

// The damaged file gives way to one holding only the saved setting, but the
// user's file is kept beside it.
TEST_F(SavingParameters, DamagedFileIsKeptAndReplacedByTheSavedSetting) {
    std::filesystem::create_directories(path.parent_path());
    test::writeBytes(path, "<parameters><parameter name=\"RANGE\"");
    AIRP_RANGE.value = 25;
    AIRP_RANGE.save();
    EXPECT_THAT(fileEntries(), ElementsAre(Pair("AIRP_RANGE", "25")));
    EXPECT_EQ(test::readBytes(path.string() + ".bad"), "<parameters><parameter name=\"RANGE\"");
    EXPECT_THAT(log.lines(), Contains(HasSubstr("it is kept as '" + path.string() + ".bad'")));
}

// Left without "value", the entry would read false at the next start,
// whatever was saved.
TEST_F(SavingParameters, EntryWithoutValueGetsTheSavedValue) {
    std::filesystem::create_directories(path.parent_path());
    test::writeBytes(path, "<parameters><parameter name=\"LOG\"/></parameters>");
    LOG.value = true;
    LOG.save();
    EXPECT_THAT(fileEntries(), ElementsAre(Pair("LOG", "true")));
}

TEST_F(SavingParameters, FailedSaveIsLoggedAndTheValueStays) {
    test::writeBytes(path.parent_path(), "");  // a file where the program's folder should be
    RANGE.value = 80;
    RANGE.save();
    EXPECT_EQ(RANGE.value, 80);
    EXPECT_THAT(log.lines(), ElementsAre("RANGE=80", "Saving '" + path.string() + "' failed"));
}

// A settings folder that cannot take the file (read-only, full, or a file
// in its place) fails every save: the message line says so once, naming the
// file and the reason, and again only after a save has succeeded in between.
TEST_F(SavingParameters, FailedSavesAreShownOnceInTheMessageLine) {
    const auto messageLine = [] {
        const std::lock_guard lock(MainWindow::messageMutex);
        return MainWindow::messageText;
    };
    // The system's own reason for a file that cannot be made below a file.
#ifdef _WIN32
    const std::string reason = "No such file or directory";
#else
    const std::string reason = "Not a directory";
#endif
    const std::string shown =
        "Settings cannot be saved to '" + path.string() + "': " + reason + "; changes hold until the program ends";
    test::writeBytes(path.parent_path(), "");  // a file where the program's folder should be
    RANGE.value = 80;
    RANGE.save();
    EXPECT_EQ(messageLine(), shown);
    gf_clearMessage();
    WEEK.value = true;
    WEEK.save();
    EXPECT_EQ(messageLine(), "");
    EXPECT_EQ(RANGE.value, 80);
    EXPECT_TRUE(WEEK.value);

    std::filesystem::remove(path.parent_path());
    RANGE.save();
    EXPECT_EQ(fileValue("RANGE"), "80");
    std::filesystem::remove_all(path.parent_path());
    test::writeBytes(path.parent_path(), "");
    WEEK.save();
    EXPECT_EQ(messageLine(), shown);
    gf_clearMessage();
}

TEST_F(SavingParameters, RemovingAnEntry) {
    writeEntries({{"MSFS_2020", "true"}, {"RANGE", "40"}});
    EXPECT_TRUE(MSFS_2020.removeFromFile());
    EXPECT_FALSE(MSFS_2020.removeFromFile());
    EXPECT_THAT(fileEntries(), ElementsAre(Pair("RANGE", "40")));
    EXPECT_THAT(log.lines(), ElementsAre("Parameter 'MSFS_2020' removed"));

    test::writeBytes(path, "<parameters><parameter");
    EXPECT_FALSE(RANGE.removeFromFile());
    EXPECT_EQ(test::readBytes(path), "<parameters><parameter");
    std::filesystem::remove(path);
    EXPECT_FALSE(RANGE.removeFromFile());
    EXPECT_FALSE(std::filesystem::exists(path));
}

// The window saves while the worker saves: every save rewrites the whole
// file, and none may lose another's change or leave a torn file.
TEST_F(SavingParameters, SavesFromTwoThreadsAllSurvive) {
    writeEntries({{"RANGE", "40"}});
    constexpr int kSaves = 200;
    std::thread window([] {
        for (int i = 0; i < kSaves; ++i) {
            BLOCK_CALLSIGN.setValueAndSave("CS" + std::to_string(i));
        }
    });
    std::thread worker([] {
        for (int i = 0; i < kSaves; ++i) {
            LAST_EPOCH_TIME.value = i;
            LAST_EPOCH_TIME.save();
        }
    });
    window.join();
    worker.join();

    EXPECT_EQ(fileValue("BLOCK_CALLSIGN"), "CS" + std::to_string(kSaves - 1));
    EXPECT_EQ(fileValue("LAST_EPOCH_TIME:"), std::to_string(kSaves - 1));
    EXPECT_EQ(fileValue("RANGE"), "40");
    EXPECT_EQ(fileEntries().size(), 3U);
    EXPECT_THAT(log.lines(), testing::Not(Contains(HasSubstr("failed"))));
}

}  // namespace
