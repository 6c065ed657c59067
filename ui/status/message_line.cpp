#include "ui/status/message_line.h"

#include <algorithm>
#include <mutex>
#include <string>

#include "core/format.h"
#include "core/log.h"
#include "platform/window/user32.h"
#include "ui/status/main_window.h"
#include "ui/status/window_updates.h"

namespace {

// Work cycles (about one a second) a message stays before it clears itself.
constexpr std::int32_t kMessageLifetimeCycles = 25;

// With MainWindow::messageMutex held: the line is repainted on the next
// WM_PAINT.
void lf_invalidateMessageLine() { gf_repaint(WindowRegion::MessageLine); }

// With MainWindow::messageMutex held.
void lf_setMessage(std::string_view text) {
    MainWindow::messageText.assign(text);
    MainWindow::messageStamp = text.empty() ? 0 : std::max(1, MainWindow::updateCounter.load());
}

}  // namespace

void gf_showMessage(std::string_view text, bool log) {
    const std::lock_guard lock(MainWindow::messageMutex);
    if (!MainWindow::errorText.empty()) {
        return;
    }
    lf_setMessage(text);
    if (log && !text.empty()) {
        gf_writeLogIfRunning(text);
    }
    lf_invalidateMessageLine();
}

void gf_clearMessage() { gf_showMessage({}, false); }

void gf_showError(std::string_view text) {
    const std::lock_guard lock(MainWindow::messageMutex);
    lf_setMessage({});
    MainWindow::errorText.assign(text);
    gf_writeLogIfRunning(fmtlib::format("Error {}", text));
    lf_invalidateMessageLine();
}

void gf_clearError() {
    const std::lock_guard lock(MainWindow::messageMutex);
    MainWindow::errorText.clear();
    lf_invalidateMessageLine();
}

void gf_countUpdateCycle() {
    const std::lock_guard lock(MainWindow::messageMutex);
    const std::int32_t counter = ++MainWindow::updateCounter;
    const std::int32_t stamp = MainWindow::messageStamp;
    if (stamp != 0 && counter >= stamp + kMessageLifetimeCycles) {
        lf_setMessage({});
        lf_invalidateMessageLine();
    }
}
