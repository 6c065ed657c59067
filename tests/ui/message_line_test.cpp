// The message line: messages with their stamp and their end 25 work cycles
// later, errors that hold the line, the log, and every thread at once.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "core/log.h"
#include "platform/window/headless.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/support/main_window_fixture.h"

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::Not;

class MessageLine : public test::SettingsFileTest {
protected:
    MessageLine() { test::resetMainWindowState(); }
    ~MessageLine() override { test::resetMainWindowState(); }

    static std::string shownText() {
        const std::lock_guard lock(MainWindow::messageMutex);
        return MainWindow::errorText.empty() ? MainWindow::messageText : MainWindow::errorText;
    }
};

TEST_F(MessageLine, AMessageIsStampedWithTheCycleCountAndAtLeastOne) {
    struct Case {
        std::int32_t counter;
        std::string text;
        std::int32_t stamp;
    };
    for (const Case& shown : {Case{0, "first", 1}, Case{7, "later", 7}, Case{7, "", 0}}) {
        MainWindow::updateCounter = shown.counter;
        gf_showMessage(shown.text, false);
        EXPECT_EQ(shownText(), shown.text);
        EXPECT_EQ(MainWindow::messageStamp, shown.stamp) << shown.counter << " '" << shown.text << "'";
    }
}

TEST_F(MessageLine, OnlyMessagesAskedForAndErrorsReachTheLog) {
    gf_showMessage("logged", true);
    gf_showMessage("only shown", false);
    gf_showMessage("", true);
    gf_clearMessage();
    gf_showError("3: no liveries");
    EXPECT_THAT(log.lines(), ElementsAre("logged", "Error 3: no liveries"));
}

TEST_F(MessageLine, AMessageClearsItselfAfter25CyclesAnEmptyOneIsNeverStamped) {
    MainWindow::updateCounter = 3;
    gf_showMessage("Your liveries will be scanned", false);
    for (int cycle = 4; cycle < 28; ++cycle) {
        gf_countUpdateCycle();
    }
    EXPECT_EQ(MainWindow::updateCounter, 27);
    EXPECT_EQ(shownText(), "Your liveries will be scanned");
    gf_countUpdateCycle();
    EXPECT_EQ(shownText(), "");
    EXPECT_EQ(MainWindow::messageStamp, 0);

    gf_showMessage("a later message", false);
    EXPECT_EQ(MainWindow::messageStamp, 28);
}

TEST_F(MessageLine, AnErrorHoldsTheLineUntilItIsClearedAndDropsMessages) {
    gf_showMessage("before", false);
    gf_showError("Exception in runTraffic");
    EXPECT_EQ(MainWindow::messageText, "");
    EXPECT_EQ(MainWindow::messageStamp, 0);

    gf_showMessage("dropped", true);
    gf_clearMessage();
    for (int cycle = 0; cycle < 30; ++cycle) {
        gf_countUpdateCycle();
    }
    EXPECT_EQ(shownText(), "Exception in runTraffic");
    EXPECT_THAT(log.lines(), Not(Contains("dropped")));

    gf_clearError();
    EXPECT_EQ(shownText(), "");
    gf_showMessage("after", false);
    EXPECT_EQ(shownText(), "after");
}

class MessageLineThreads : public test::MainWindowTest {};

// The worker, the simulator link and the readers write the line while the UI
// thread paints it and other threads log: every line stays whole, nothing
// waits for ever (the message line's lock is always taken before the log's).
TEST_F(MessageLineThreads, EveryThreadWritesTheLineWhileTheWindowPaintsIt) {
    constexpr int kWriters = 6;
    constexpr int kRounds = 300;
    std::atomic<int> running{kWriters + 1};
    std::vector<std::thread> threads;
    for (int writer = 0; writer < kWriters; ++writer) {
        threads.emplace_back([writer, &running] {
            for (int round = 0; round < kRounds; ++round) {
                const std::string text = "writer " + std::to_string(writer) + " round " + std::to_string(round);
                switch ((writer + round) % 4) {
                case 0:
                    gf_showMessage(text, true);
                    break;
                case 1:
                    gf_showError(text);
                    break;
                case 2:
                    gf_clearError();
                    gf_clearMessage();
                    break;
                default:
                    gf_countUpdateCycle();
                }
            }
            --running;
        });
    }
    threads.emplace_back([&running] {
        for (int round = 0; round < kRounds; ++round) {
            gf_writeLog("logger round " + std::to_string(round));
        }
        --running;
    });
    while (running > 0) {
        pumpPending();
        platform::window::takeHeadlessPaints();
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    pumpPending();

    const std::vector<std::string> lines = log.lines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.rfind("===> logger round ", 0) == 0; }),
              kRounds);
    for (const std::string& line : lines) {
        EXPECT_TRUE(line.rfind("writer ", 0) == 0 || line.rfind("Error writer ", 0) == 0 ||
                    line.rfind("===> logger round ", 0) == 0)
            << line;
    }
    EXPECT_EQ(MainWindow::updateCounter, kWriters * kRounds / 4);
}

}  // namespace
