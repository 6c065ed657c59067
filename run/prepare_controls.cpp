#include <initializer_list>

#include "core/settings.h"
#include "platform/window/user32.h"
#include "run/init_program.h"
#include "simlink/sim_link_state.h"
#include "ui/controls.h"

namespace {

// The percentage static parking starts from at every start-up.
constexpr std::int32_t kStartParkingPercentage = 30;

void lf_enable(const ControlBinding& control, bool enabled) { EnableWindow(control.window, enabled ? TRUE : FALSE); }

void lf_enableAll(std::initializer_list<const ControlBinding*> controls, bool enabled) {
    for (const ControlBinding* control : controls) {
        lf_enable(*control, enabled);
    }
}

// A combo box enabled as asked, filled with its choices and the value
// selected.
template <class Combo>
void lf_fill(const Combo& combo, bool enabled) {
    lf_enable(combo, enabled);
    combo.fillComboBox();
}

}  // namespace

void prepareControls() {
    lf_enableAll({&LOG, &ALWAYS_ON_TOP, &NAV_LIGHTS_WHILE_PARKED, &GUID_CHANGES, &SCAN_LIVERIES, &LIG_AUTOMATIC,
                  &LIG_PRIORITIZE, &SCAN_AIRPORTS},
                 true);
    lf_enable(LEARN_SOFT, false);
    lf_fill(MATCHING_DEPTH, true);
    lf_enableAll({&LIGHT_AIRCRAFT, &HELICOPTERS, &HIGH_PERF_AIRCRAFT}, true);
    lf_fill(RANGE, !AUTO_RANGE.value);
    lf_enable(AUTO_RANGE, true);
    lf_fill(AR_ABOVE_HEIGHT, AUTO_RANGE.value);
    lf_enableAll({&COLLISION_USER_GND, &COLLISION_USER_AIR, &COLLISION_LIVE_PARKED_GND, &BLOCK_CALLSIGN}, true);
    lf_enable(unblockButton, !BLOCK_CALLSIGN.value.empty());
    lf_fill(MAX_PARK_SEL, true);
    lf_fill(MAX_LIVE_SEL, true);
    lf_enable(STRAIGHT_PBS_ONLY, true);
    lf_enable(CALLSIGN_2_OBJECTID, false);  // the main loop enables it
    lf_fill(AI_PACKAGE_SELECTOR, LIG_AUTOMATIC.value);
    lf_fill(SIM_CHOICE, true);
    msfs2020Selected = SIM_CHOICE.value == "MSFS 2020";
    lf_enable(CALLSIGN_OBJECTIDS, msfs2020Selected);
    lf_enable(DESTINATION, false);
    lf_fill(AIRP_RANGE, true);
    lf_fill(AIRP_HEIGHT, true);
    lf_enable(reReadButton, false);
    lf_enableAll({&PARK_FAKE, &WEEK, &PARK_SOFT}, true);
    lf_enable(parking_percentage, false);
    parking_percentage.value = kStartParkingPercentage;
    gf_setTbInt(parking_percentage);
    gf_clearControlText(parking_percentage.controlId);
    lf_enable(INITIAL_LOAD_ONLY, true);
    lf_enable(MAX_FIT_FL, false);
    MAX_FIT_FL.value = static_cast<float>(MAX_FIT.value) * 0.5F + 0.5F;
    gf_clearControlText(MAX_FIT_FL.controlId);
    lf_enable(flushStaticButton, false);
}
