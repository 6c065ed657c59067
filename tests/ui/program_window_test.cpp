// The user interface as the program starts it (gf_runGui): on the X display
// when there is one (Xvfb in the test command), with a screenshot in the
// build folder, else headless. The window opens with its controls and the
// worker starts; the test's working folder is not the program's (it has no
// "docs"), so the worker shows error 41 and waits until the user closes the
// window, which ends the message loop with the window's position saved.

// Google Test first: FLTK's drawing header brings Xlib's macros (None).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "airports/airports_state.h"
#include "core/core_state.h"
#include "core/data_paths.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "platform/window/backend.h"
#include "platform/window/inspect.h"
#include "platform/window/user_input.h"
#include "run/worker.h"
#include "scanner/addon_airport_scan.h"
#include "scanner/scanner_state.h"
#include "support/png_file.h"
#include "ui/gui.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/support/main_window_fixture.h"
#include "ui/support/status_states.h"
#include "ui/window_procedure.h"

namespace {

using platform::window::Backend;

constexpr int kControlCount = 42;

class ProgramWindow : public test::SettingsFileTest {
protected:
    ProgramWindow() : savedDataFolder_(productDataFolder) {
        productDataFolder = path.parent_path();
        test::resetMainWindowState();
        workerStarter = gf_startWorker;  // as the program's start fills it
    }
    ~ProgramWindow() override {
        DestroyWindow(MainWindow::hwnd);
        MainWindow::hwnd = nullptr;
        MSG quit{};
        PeekMessageW(&quit, nullptr, 0, 0, PM_REMOVE);  // the quit of WM_DESTROY
        for (ControlBinding* binding : test::mainWindowControls()) {
            binding->window = nullptr;
            binding->previousWindowProc = nullptr;
        }
        productDataFolder = savedDataFolder_;
        test::resetMainWindowState();
    }

    static bool hasDisplay() {
        const char* display = std::getenv("DISPLAY");
        return display != nullptr && *display != '\0';
    }

private:
    std::filesystem::path savedDataFolder_;
};

// What the X server shows of the window, read on the UI thread.
struct Screenshot {
    int attempts = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    std::array<std::uint8_t, 3> pixel(int x, int y) const {
        const auto offset = static_cast<std::size_t>((y * width + x) * 3);
        return {rgb[offset], rgb[offset + 1], rgb[offset + 2]};
    }
};

using Rgb = std::array<std::uint8_t, 3>;
constexpr Rgb kRed{0xFF, 0, 0};
constexpr Rgb kGreen{0x32, 0xCD, 0x32};
constexpr Rgb kYellow{0xFF, 0xFF, 0};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kLightBlue{0x99, 0xCC, 0xFF};

// The message line, a light of the status block and the control area show
// their colours: the window is painted through. On a loaded machine the X
// server can show a just-mapped window black for a while.
bool lf_looksPainted(const Screenshot& shot) {
    return shot.width == 880 && shot.height == 476 && shot.pixel(870, 470) == kRed &&
           shot.pixel(410, 45) == kGreen && shot.pixel(870, 300) == kLightBlue;
}

constexpr int kScreenshotAttempts = 40;
constexpr double kScreenshotRetryS = 0.05;

// Runs on the UI thread (an FLTK awake callback): paints what is due,
// reads the window's pixels and then closes it as the user does; a window
// not yet painted through is read again a little later, a few times.
void lf_screenshotAndClose(void* result) {
    auto& shot = *static_cast<Screenshot*>(result);
    ++shot.attempts;
    UpdateWindow(MainWindow::hwnd);
    Fl_Window* shown = Fl::first_window();
    shown->wait_for_expose();
    Fl::flush();
    shown->make_current();
    shot.width = shown->w();
    shot.height = shown->h();
    std::unique_ptr<std::uint8_t[]> pixels(fl_read_image(nullptr, 0, 0, shot.width, shot.height));
    shot.rgb.assign(pixels.get(), pixels.get() + static_cast<std::ptrdiff_t>(shot.width * shot.height * 3));
    if (!lf_looksPainted(shot) && shot.attempts < kScreenshotAttempts) {
        Fl::add_timeout(kScreenshotRetryS, lf_screenshotAndClose, result);
        return;
    }
    platform::window::closeWindow(MainWindow::hwnd);
}

// A run in full swing, as the other subsystems would have set it, so that
// the screenshot shows every part of the status panel. Set before the
// window exists; the worker stops at the working folder before it changes
// any of it.
void lf_showRunningTraffic() {
    test::showFlightRunning();
    MainWindow::userStandText = "GATE B 24";
    MainWindow::liveryCount = 1834;
    MainWindow::simaddonAirportCount = 35;
    MainWindow::thirdpAirportCount = 12;
    test::showRealTrafficConnected(MainWindow::readerReceiving, MainWindow::readerReceiving);
    test::showParkAirportLoaded();
    test::showStaticParkingDone();
    parkingActive = true;
    MainWindow::minutesToRenewal = 7;
    tbloFileCount = 3;
}

TEST_F(ProgramWindow, OpensWithItsControlsStartsTheWorkerAndEndsWhenClosed) {
    const bool onDisplay = hasDisplay();
    ASSERT_TRUE(platform::window::selectBackend(onDisplay ? Backend::fltk : Backend::headless));
    writeEntries({{"MAIN_WINDOW_X", "60"}, {"MAIN_WINDOW_Y", "50"}});
    lf_showRunningTraffic();

    Screenshot shot;
    std::atomic<bool> sawWorkerWait{false};
    std::atomic<bool> guiEnded{false};
    const auto errorLine = [] {
        const std::lock_guard lock(MainWindow::messageMutex);
        return MainWindow::errorText;
    };
    if (onDisplay) {
        // FLTK creates the lock of its callback queue, unguarded, at the
        // queue's first use: that use is here, before the thread that queues
        // the screenshot exists.
        Fl::awake([](void*) {});
    }
    std::thread user([&] {
        // The window is up once its last control exists, and the worker has
        // stopped at the working folder once its error is shown.
        while (flushStaticButton.window.load() == nullptr || errorLine().empty()) {
            if (guiEnded) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        // The worker waits with its error shown; it ends only on a close.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        sawWorkerWait = !userCloseRequested && errorLine() == "41: Vantrel must be run from the Vantrel folder!";
        if (onDisplay) {
            Fl::awake(lf_screenshotAndClose, &shot);
        } else {
            PostMessageW(MainWindow::hwnd, WM_CLOSE, 0, 0);
        }
    });
    const int exitCode = gf_runGui(nullptr);
    guiEnded = true;
    user.join();

    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(sawWorkerWait);
    EXPECT_TRUE(userCloseRequested);
    EXPECT_EQ(closingReason, ClosingReason::SystemError);
    EXPECT_THAT(log.lines(), testing::Contains("===> Exiting: SYSTEM ERROR"));
    EXPECT_TRUE(std::filesystem::is_directory(productDataFolder));
    EXPECT_EQ(fileValue("MAIN_WINDOW_X"), "60");
    EXPECT_EQ(fileValue("MAIN_WINDOW_Y"), "50");
    const auto window = platform::window::inspectWindow(MainWindow::hwnd);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->text, u"Vantrel");
    EXPECT_EQ(platform::window::childWindows(MainWindow::hwnd).size(), static_cast<std::size_t>(kControlCount));

    if (!onDisplay) {
        return;
    }
    ASSERT_EQ((std::array{shot.width, shot.height}), (std::array{880, 476}));
    ASSERT_TRUE(vantrel::test::writePng(VANTREL_BINARY_DIR "/main_window_screenshot.png", shot.width, shot.height,
                                        shot.rgb));
    EXPECT_EQ(shot.pixel(870, 470), kRed);  // the error line
    EXPECT_EQ(shot.pixel(860, 50), kBlack);
    EXPECT_EQ(shot.pixel(410, 45), kGreen);  // the simulator's light
    EXPECT_EQ(shot.pixel(440, 45), kGreen);  // RealTraffic's
    EXPECT_EQ(shot.pixel(870, 300), kLightBlue);
    EXPECT_EQ(shot.pixel(870, 440), kBlack);
    // Pixels of the colour in the rectangle x0..x1-1, y0..y1-1.
    const auto count = [&shot](Rgb colour, int x0, int y0, int x1, int y1) {
        int found = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                found += shot.pixel(x, y) == colour ? 1 : 0;
            }
        }
        return found;
    };
    EXPECT_GT(count(kYellow, 0, 448, 400, 476), 50);   // the error's text
    EXPECT_GT(count(kGreen, 0, 0, 300, 28), 20);       // the version
    EXPECT_GT(count(kGreen, 0, 30, 390, 112), 200);    // the simulator, the user aircraft and the counts
    EXPECT_GT(count(kGreen, 455, 60, 720, 112), 35);   // the readers, QNH and live count
    EXPECT_GT(count(kBlack, 0, 140, 640, 392), 1000);  // the labels and lines of the control area
    EXPECT_GT(count(kGreen, 0, 395, 880, 448), 200);   // the park airport's statistics
}

}  // namespace
