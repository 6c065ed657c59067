#include "ui/check_box_actions.h"

#include <string>
#include <string_view>
#include <vector>

#include "airports/learned_airport_file.h"
#include "airports/airports_state.h"
#include "core/core_state.h"
#include "core/format.h"
#include "core/parameters_file.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "liveries/livery_scan.h"
#include "platform/window/user32.h"
#include "ui/control_action_support.h"
#include "ui/radius.h"
#include "ui/status/control_texts.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/program_resources.h"
#include "ui/status/window_updates.h"
#include "ui/window_position.h"

namespace {

constexpr std::int32_t kScanRestartDelaySec = 2;

// The message of a switch that only informs: the text when it is switched
// on, when off, or empty for a cleared message line.
struct SwitchMessages {
    BoolControlParameter* setting;
    std::string whenOn;
    std::string whenOff;
};

const std::vector<SwitchMessages>& lf_switchMessages() {
    static const std::vector<SwitchMessages> messages{
        {&LIG_PRIORITIZE, "Liveries, for airl+model, in lower lfolders that are already available will be skipped",
         ""},
        {&COLLISION_LIVE_PARKED_GND, "",
         "Be aware, no collision avoidance with live aircraft vs parked static on the ground"},
        {&COLLISION_USER_GND, "", "Be aware, no collision avoidance with user aircraft on the ground"},
        {&COLLISION_USER_AIR, "", "Be aware, no collision avoidance with user aircraft in the air"},
        {&SUPPRESS_STUB, "Exclude FSLTL-liveries titles ending with _STUB from scan", ""},
        {&GUID_CHANGES, "", "Be aware, no more livery updates: you miss correct data for Learn, LittleNavMap, etc!"},
        {&AEROWINX,
         fmtlib::format("Aerowinx mode is for users of the Aerowinx simulator only, start {} again to use it",
                        kProductName),
         ""},
    };
    return messages;
}

void lf_showSwitchMessage(const std::string& text) {
    if (text.empty()) {
        gf_clearMessage();
    } else {
        gf_showMessage(text, false);
    }
}

// What a scan switched on says: the things scanned and when the user should
// ask for a scan.
struct ScanSwitch {
    std::string_view what;
    std::string_view advice;
};
constexpr ScanSwitch kLiveryScan{"liveries", "add/removed AI aircraft models/liveries"};
constexpr ScanSwitch kAirportScan{"airports", "add/removed airports"};

// A scan switched on restarts a run that has not reached RealTraffic yet,
// so that the scan runs at once; later it waits for the program's next
// start.
void lf_scanSwitchedOn(const ScanSwitch& scan) {
    if (!beforeFirstConnection) {
        gf_showMessage(fmtlib::format("Your {} will be scanned at the next start of {}, recommended after you have {}",
                                      scan.what, kProductName, scan.advice),
                       false);
        return;
    }
    if (&scan == &kLiveryScan) {
        gf_requestLiveryCatalogRebuild();
    }
    gf_showMessage(fmtlib::format("Your {} will be scanned", scan.what), true);
    gf_requestRestart(kScanRestartDelaySec);
}

void lf_autoRangeSwitched(bool on) {
    parkingParamsChanged = true;
    gf_enableControl(RANGE, !on);
    gf_enableControl(AR_ABOVE_HEIGHT, on);
    if (on) {
        manualRadiusNm = RANGE.value.load();
        gf_updateAutoRange();
        return;
    }
    RANGE.value = manualRadiusNm.load();
    gf_setRadiusNm(manualRadiusNm);
    gf_setTbInt(RANGE);
    gf_clearMessage();
}

// The action of the switch just set to on; false when it has none of its
// own here.
bool lf_switchAction(const BoolControlParameter* setting, bool on) {
    if (setting == &LIG_AUTOMATIC) {
        lf_showSwitchMessage(on ? "" : "The liveries defined by your lfolder parameters will be scanned");
        gf_enableControl(AI_PACKAGE_SELECTOR, on);
    } else if (setting == &INITIAL_LOAD_ONLY) {
        lf_showSwitchMessage(
            on ? "Initial Load Only: static parked aircraft are generated once, no renewal every 20 minutes" : "");
        gf_markParkingChanged();
    } else if (setting == &ALWAYS_ON_TOP) {
        lf_showSwitchMessage(on ? fmtlib::format("{}'s window will remain visible", kProductName) : "");
        gf_keepWindowOnTop(on);
    } else if (setting == &SCAN_LIVERIES || setting == &SCAN_AIRPORTS) {
        if (!on) {
            gf_clearMessage();
        } else {
            lf_scanSwitchedOn(setting == &SCAN_LIVERIES ? kLiveryScan : kAirportScan);
        }
    } else if (setting == &AUTO_RANGE) {
        lf_autoRangeSwitched(on);
    } else if (setting == &NAV_LIGHTS_WHILE_PARKED) {
        parkedLightsRequested = true;  // the worker owns the aircraft
    } else if (setting == &WEEK || setting == &PARK_FAKE || setting == &PARK_SOFT) {
        gf_showRespondDelay();
    } else if (setting == &LEARN_SOFT) {
        userLearnSoft = on;
        gf_markParkingChanged();
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool gf_handleCheckBoxes(HWND hwnd, std::uint16_t controlId) {
    for (BoolControlParameter* setting : gf_parameterGroups().checkBoxes) {
        if (setting->controlId != controlId) {
            continue;
        }
        // Not automatic: the click only asks, the box is ticked here.
        const bool on = IsDlgButtonChecked(hwnd, controlId) != BST_CHECKED;
        CheckDlgButton(hwnd, controlId, on ? BST_CHECKED : BST_UNCHECKED);
        setting->value = on;
        setting->save();
        if (!lf_switchAction(setting, on)) {
            for (const SwitchMessages& messages : lf_switchMessages()) {
                if (messages.setting == setting) {
                    lf_showSwitchMessage(on ? messages.whenOn : messages.whenOff);
                }
            }
        }
        // The labels' colours follow the switches.
        gf_repaint(WindowRegion::ControlPanel);
        return true;
    }
    return false;
}
