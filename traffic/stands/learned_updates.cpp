#include "traffic/stands/learned_updates.h"

#include <cstdint>
#include <gsl/gsl>

#include "airports/airports_state.h"
#include "airports/learned_airport_file.h"
#include "ui/status/main_window.h"
#include "ui/status/window_updates.h"

void gf_countLearnedUpdate() {
    ++learnedUpdateCount;
    const auto shown = gsl::narrow<std::int32_t>(learnedUpdateCount);
    if (MainWindow::updateCount.exchange(shown) != shown) {
        gf_repaint(WindowRegion::Statistics);
    }
}
