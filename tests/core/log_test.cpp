#include "core/core_state.h"
#include "core/log.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#endif

#include "core/run_flags.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/whole_match.h"

namespace {

using testing::ElementsAre;

// A global whose constructor logs: the log must work before main and
// whatever the order in which files build their globals.
const bool kLoggedFromGlobalConstructor = [] {
    gf_writeLog("from a global constructor");
    return true;
}();

TEST(LogFile, HeaderLineNamesTimeProgramVersionAndSimulators) {
    const test::LogCapture log;
    const auto text = test::readBytes(log.folder() / "Log.txt");
    EXPECT_THAT(text, test::MatchesWhole("(Mon|Tue|Wed|Thu|Fri|Sat|Sun) [A-Z][a-z][a-z] [0-9][0-9] "
                                         "[0-9][0-9]:[0-9][0-9]:[0-9][0-9] [0-9][0-9][0-9][0-9] \\(utc\\) "
                                         "Vantrel version 11\\.0\\.3 for MSFS 2020/2024\n"));
}

TEST(LogFile, WritersAddTheirPrefixesAndWholeLines) {
    EXPECT_TRUE(kLoggedFromGlobalConstructor);
    const test::LogCapture log;
    gf_writeLog("Could not find the AppData path");
    gf_writeLogPlain("exception in processLineSub: x");
    gf_writeLogIndented("QNH reader connected");
    gf_writeLogIfRunning("Parameter 'lfolder1' removed");
    EXPECT_THAT(log.lines(), ElementsAre("===> Could not find the AppData path", "exception in processLineSub: x",
                                         "          QNH reader connected", "Parameter 'lfolder1' removed"));
}

TEST(LogFile, WriteLogIfRunningIsSilentWhileTheRunCloses) {
    const test::LogCapture log;
    for (auto* flag : {&runStopRequested, &userCloseRequested}) {
        flag->store(true);
        gf_writeLogIfRunning("dropped");
        gf_writeLog("still written");
        flag->store(false);
    }
    EXPECT_THAT(log.lines(), ElementsAre("===> still written", "===> still written"));
}

TEST(LogFile, LinesBeforeOpeningAreLost) {
    const test::TempFolder folder;
    const test::WorkingFolder working(folder.path());
    gf_writeLogPlain("before the log of this start");
    gf_openLogFile();
    const auto text = test::readBytes(folder / "Log.txt");
    EXPECT_EQ(text.find("before the log"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

TEST(LogFile, EachStartKeepsTheTwoPreviousLogs) {
    const test::TempFolder folder;
    const test::WorkingFolder working(folder.path());
    gf_openLogFile();
    gf_writeLogPlain("first start");
    EXPECT_FALSE(std::filesystem::exists(folder / "Log0.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder / "Log00.txt"));
    gf_openLogFile();
    gf_writeLogPlain("second start");
    gf_openLogFile();
    gf_writeLogPlain("third start");

    const auto lastLine = [&folder](const char* name) {
        auto text = test::readBytes(folder / name);
        text.pop_back();
        return text.substr(text.rfind('\n') + 1);
    };
    EXPECT_EQ(lastLine("Log00.txt"), "first start");
    EXPECT_EQ(lastLine("Log0.txt"), "second start");
    EXPECT_EQ(lastLine("Log.txt"), "third start");
}

TEST(LogFile, RotationLeavesAPathWithoutDotAlone) {
    const test::TempFolder folder;
    test::writeBytes(folder / "Log", "old");
    gf_rotateLogFiles(folder.path() / "Log");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(LogFile, OpeningFailsClearlyWhenLogTxtCannotBeWritten) {
    const test::TempFolder folder;
    const test::WorkingFolder working(folder.path());
#ifdef _WIN32
    // Another program holds Log.txt open and lets nobody else write to it.
    test::writeBytes(folder / "Log.txt", "held\n");
    const int held = ::_wsopen((folder / "Log.txt").c_str(), _O_RDONLY, _SH_DENYWR);
    ASSERT_GE(held, 0);
#else
    // Log.txt leads into a folder that does not exist (a folder's permissions
    // would not stop root).
    std::filesystem::create_symlink(folder / "missing" / "Log.txt", folder / "Log.txt");
#endif
    std::string failure = "no exception";
    try {
        gf_openLogFile();
    } catch (const std::runtime_error& error) {
        failure = error.what();
    }
#ifdef _WIN32
    ::_close(held);
#endif
    EXPECT_EQ(failure, "Failed to write file Log.txt");
}

// A detached thread may still log while the process exits and its globals
// are destroyed; the log must outlive them.
TEST(LogFileDeathTest, DetachedThreadLogsWhileTheProcessExits) {
    const test::TempFolder folder;
    EXPECT_EXIT(
        {
            std::filesystem::current_path(folder.path());
            gf_openLogFile();
            std::thread([] {
                for (;;) {
                    gf_writeLog("detached thread still logging");
                }
            }).detach();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

// The clock of the repeated lines, moved by the tests.
std::chrono::steady_clock::time_point testLogTime;

// Log.txt with the tests' clock in place.
class LogRepeats : public testing::Test {
protected:
    LogRepeats() { gf_setLogClock([] { return testLogTime; }); }
    static void advance(std::chrono::milliseconds duration) { testLogTime += duration; }

    const test::LogCapture log;
};

TEST_F(LogRepeats, ALineRepeatedWithinASecondIsHeldBackAndCounted) {
    for (int count = 0; count < 5; ++count) {
        gf_writeLogPlain("exception in processLineSub: lat:x");
    }
    gf_writeLog("exception in processLineSub: lat:x");  // another line: its prefix differs
    gf_writeLogPlain("no airport file found");
    advance(std::chrono::milliseconds{999});
    gf_writeLogPlain("exception in processLineSub: lat:x");
    advance(std::chrono::milliseconds{1});
    gf_writeLogPlain("exception in processLineSub: lat:x");
    gf_writeLogPlain("exception in processLineSub: lat:x");
    advance(std::chrono::seconds{1});
    gf_writeLogPlain("no airport file found");  // nothing held back
    EXPECT_THAT(log.lines(), ElementsAre("exception in processLineSub: lat:x",
                                         "===> exception in processLineSub: lat:x", "no airport file found",
                                         "exception in processLineSub: lat:x [5 more held back]",
                                         "no airport file found"));
}

TEST_F(LogRepeats, ManyDifferentLinesLetTheHeldBackCountsOut) {
    gf_writeLogPlain("repeated");
    gf_writeLogPlain("repeated");
    advance(std::chrono::seconds{1});
    for (int index = 0; index < 2000; ++index) {
        gf_writeLogPlain("line " + std::to_string(index));
    }
    const auto lines = log.lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "repeated [1 more held back]"), 1);
    EXPECT_EQ(lines.size(), 2002U);
}

TEST_F(LogRepeats, LogTxtIsRotatedAtItsSizeCap) {
    gf_writeLogPlain("last start");
    gf_openLogFile();
    const std::string filler(4000, 'x');
    std::uintmax_t written = 0;
    int index = 0;
    while (written <= kLogSizeCapBytes) {
        const std::string line = std::to_string(index++) + filler;
        gf_writeLogPlain(line);
        written += line.size() + 1;
    }
    const auto log0 = test::readBytes(log.folder() / "Log0.txt");
    const auto log00 = test::readBytes(log.folder() / "Log00.txt");
    const auto current = test::readBytes(log.folder() / "Log.txt");
    EXPECT_NE(log00.find("last start\n"), std::string::npos);
    EXPECT_LE(log0.size(), kLogSizeCapBytes);
    EXPECT_NE(log0.find("\n0" + filler + "\n"), std::string::npos);
    EXPECT_THAT(current.substr(0, current.find('\n')), testing::EndsWith("(utc) Vantrel version 11.0.3 for MSFS 2020/2024"));
    EXPECT_NE(current.find("\n" + std::to_string(index - 1) + filler + "\n"), std::string::npos);
    EXPECT_LT(current.size(), 2 * (filler.size() + 10) + 200);
}

}  // namespace
