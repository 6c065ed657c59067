#pragma once
// The run's state for one test: a settings file and Log.txt of the test's
// own, every run flag, counter, aircraft list and status field of the main
// window at its start value before and after the test, and a clock the test
// drives (FakeClock) in place of the worker's.

#include <chrono>
#include <vector>

#include "run/run_clock.h"
#include "support/settings_file_fixture.h"

namespace test {

// A run clock that stands still until the code under test sleeps: each
// sleep is recorded and moves the clock on by its length. advance() moves
// it as a slow step would.
class FakeClock {
public:
    FakeClock();
    ~FakeClock();
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    void advance(std::chrono::microseconds duration) { now_ += duration; }
    // Time since the clock was put in place.
    std::chrono::microseconds elapsed() const { return now_; }
    const std::vector<std::chrono::milliseconds>& sleeps() const { return sleeps_; }
    // Called after each sleep, with the clock moved on.
    void onSleep(std::function<void()> action) { onSleep_ = std::move(action); }

private:
    std::chrono::microseconds now_{0};
    std::vector<std::chrono::milliseconds> sleeps_;
    std::function<void()> onSleep_;
};

// A main window of the test's own on the headless backend, as
// MainWindow::hwnd, so that the worker's messages (WM_APP+1, WM_APP+2) can
// be read back.
class TestMainWindow {
public:
    TestMainWindow();
    ~TestMainWindow();
    TestMainWindow(const TestMainWindow&) = delete;
    TestMainWindow& operator=(const TestMainWindow&) = delete;

    // The messages posted to the window since the last call, in order.
    std::vector<unsigned> takePosted();
};

class RunTest : public SettingsFileTest {
protected:
    RunTest();
    ~RunTest() override;

    // Every run global back to its start value.
    static void resetRunState();
};

}  // namespace test
