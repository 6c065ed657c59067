#include "simlink/parking_controls.h"

#include <array>

#include "core/settings.h"
#include "simlink/simlink_state.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/window_updates.h"

namespace {

// Minutes to the next renewal shown right after one.
constexpr std::int32_t kMinutesBetweenRenewals = 19;

void lf_enable(const std::array<ControlBinding*, 10>& controls, bool enable) {
    for (ControlBinding* control : controls) {
        gf_enableControl(*control, enable);
    }
}

}  // namespace

void gf_lockParkingControls() {
    staticParkingBusy.exchange(true);
    lf_enable({&parking_percentage, &INITIAL_LOAD_ONLY, &PARK_FAKE, &PARK_SOFT, &MAX_PARK_SEL, &MAX_LIVE_SEL,
               &MAX_FIT_FL, &WEEK, &flushStaticButton, &reReadButton},
              false);
    gf_clearMessage();
    gf_repaint(WindowRegion::ControlPanel);
}

void gf_unlockParkingControls() {
    staticParkingBusy.exchange(false);
    MainWindow::minutesToRenewal = kMinutesBetweenRenewals;
    gf_repaint(WindowRegion::ControlPanel);
    lf_enable({&MAX_PARK_SEL, &MAX_LIVE_SEL, &parking_percentage, &INITIAL_LOAD_ONLY, &PARK_SOFT, &PARK_FAKE,
               &MAX_FIT_FL, &WEEK, &flushStaticButton, &reReadButton},
              true);
    gf_clearMessage();
    gf_repaint(WindowRegion::ControlPanel);
}
