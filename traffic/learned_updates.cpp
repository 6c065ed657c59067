#include "traffic/learned_updates.h"

#include <cstdint>
#include <gsl/gsl>

#include "airports/learned_airport_file.h"
#include "platform/window/user32.h"
#include "ui/main_window.h"

void gf_countLearnedUpdate() {
    ++learnedUpdateCount;
    const auto shown = gsl::narrow<std::int32_t>(learnedUpdateCount);
    if (MainWindow::updateCount.exchange(shown) != shown) {
        InvalidateRect(MainWindow::hwnd, &MainWindow::statisticsRect, TRUE);
    }
}
