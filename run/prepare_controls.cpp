#include <initializer_list>

#include "core/settings.h"
#include "run/init_program.h"
#include "simlink/simlink_state.h"
#include "ui/status/control_texts.h"
#include "ui/status/window_updates.h"

namespace {

// The percentage static parking starts from at every start-up.
constexpr std::int32_t kStartParkingPercentage = 30;

void lf_enableAll(std::initializer_list<const ControlBinding*> controls, bool enabled) {
    for (const ControlBinding* control : controls) {
        gf_enableControl(*control, enabled);
    }
}

// A combo box enabled as asked, filled with its choices and the value
// selected.
template <class Combo>
void lf_fill(const Combo& combo, bool enabled) {
    gf_enableControl(combo, enabled);
    combo.fillComboBox();
}

}  // namespace

void prepareControls() {
    lf_enableAll({&LOG, &ALWAYS_ON_TOP, &NAV_LIGHTS_WHILE_PARKED, &GUID_CHANGES, &SCAN_LIVERIES, &LIG_AUTOMATIC,
                  &LIG_PRIORITIZE, &SCAN_AIRPORTS},
                 true);
    gf_enableControl(LEARN_SOFT, false);
    lf_fill(MATCHING_DEPTH, true);
    lf_enableAll({&LIGHT_AIRCRAFT, &HELICOPTERS, &HIGH_PERF_AIRCRAFT}, true);
    lf_fill(RANGE, !AUTO_RANGE.value);
    gf_enableControl(AUTO_RANGE, true);
    lf_fill(AR_ABOVE_HEIGHT, AUTO_RANGE.value);
    lf_enableAll({&COLLISION_USER_GND, &COLLISION_USER_AIR, &COLLISION_LIVE_PARKED_GND, &BLOCK_CALLSIGN}, true);
    gf_enableControl(unblockButton, !BLOCK_CALLSIGN.value.empty());
    lf_fill(MAX_PARK_SEL, true);
    lf_fill(MAX_LIVE_SEL, true);
    gf_enableControl(STRAIGHT_PBS_ONLY, true);
    gf_enableControl(CALLSIGN_2_OBJECTID, false);  // the main loop enables it
    lf_fill(AI_PACKAGE_SELECTOR, LIG_AUTOMATIC.value);
    lf_fill(SIM_CHOICE, true);
    msfs2020Selected = SIM_CHOICE.value == "MSFS 2020";
    gf_enableControl(CALLSIGN_OBJECTIDS, msfs2020Selected);
    gf_enableControl(DESTINATION, false);
    lf_fill(AIRP_RANGE, true);
    lf_fill(AIRP_HEIGHT, true);
    gf_enableControl(reReadButton, false);
    lf_enableAll({&PARK_FAKE, &WEEK, &PARK_SOFT}, true);
    gf_enableControl(parking_percentage, false);
    parking_percentage.value = kStartParkingPercentage;
    gf_setTbInt(parking_percentage);
    gf_clearControlText(parking_percentage.controlId);
    gf_enableControl(INITIAL_LOAD_ONLY, true);
    gf_enableControl(MAX_FIT_FL, false);
    MAX_FIT_FL.value = static_cast<float>(MAX_FIT.value) * 0.5F + 0.5F;
    gf_clearControlText(MAX_FIT_FL.controlId);
    gf_enableControl(flushStaticButton, false);
}
