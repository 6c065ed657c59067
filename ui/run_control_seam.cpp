#include "ui/run_control_seam.h"

#include <chrono>

#include "platform/window/user32.h"
#include "run/run_flags.h"
#include "ui/main_window.h"
#include "ui/window_procedure.h"

std::jthread workerThread;

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

bool lf_stopFlagSet() { return runStopRequested || userCloseRequested; }

// Sleeps in short steps until done() holds; false when the token asked to
// stop first.
template <class Predicate>
bool lf_waitUntil(const std::stop_token& stop, Predicate done) {
    while (!done()) {
        if (stop.stop_requested()) {
            return false;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    return !stop.stop_requested();
}

}  // namespace

void gf_runWorkerThread(std::stop_token stop) {
    if (!lf_waitUntil(stop, lf_stopFlagSet)) {
        return;
    }
    if (closingReason == ClosingReason::NewSettings && !userCloseRequested) {
        const auto restartAt = std::chrono::steady_clock::now() + std::chrono::seconds(restartDelaySec.load());
        if (!lf_waitUntil(stop, [restartAt] {
                return userCloseRequested || std::chrono::steady_clock::now() >= restartAt;
            })) {
            return;
        }
        if (!userCloseRequested) {
            closingReason = ClosingReason::NotYetSet;
            runStopRequested = false;
            PostMessageW(MainWindow::hwnd, kStartWorkerMessage, 0, 0);
            return;
        }
    }
    PostMessageW(MainWindow::hwnd, kEndProgramMessage, 0, 0);
}
