#include "ui/control_actions.h"

#include <exception>

#include "core/core_state.h"
#include "core/format.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "ui/check_box_actions.h"
#include "ui/combo_box_actions.h"
#include "ui/control_action_support.h"
#include "ui/edit_box_actions.h"
#include "ui/status/message_line.h"
#include "ui/status/window_updates.h"

namespace {

bool lf_handleButtons(std::uint16_t controlId) {
    if (controlId == unblockButton.controlId) {
        if (BLOCK_CALLSIGN.value.empty()) {
            gf_showMessage("Nothing to block or unblock...", false);
        } else {
            gf_unblockCallsign();
        }
    } else if (controlId == reReadButton.controlId) {
        reReadRequested = true;
        gf_enableControl(reReadButton, false);
        gf_enableControl(DESTINATION, false);
    } else if (controlId == flushStaticButton.controlId) {
        gf_showMessage("All static parked aircraft will be removed ...", false);
        flushStaticRequested = true;
        gf_enableControl(flushStaticButton, false);
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool gf_handleWmCommand(HWND hwnd, WPARAM wParam) {
    const std::uint16_t controlId = LOWORD(wParam);
    try {
        if (lf_handleButtons(controlId) || gf_handleCheckBoxes(hwnd, controlId) || gf_handleComboBoxes(hwnd, wParam)) {
            return true;
        }
    } catch (const std::exception& error) {
        gf_writeLogPlain(fmtlib::format("lf_HandleWMCOMMAND exception {}", error.what()));
        return false;
    }
    gf_repaint(WindowRegion::ControlPanel);
    return false;
}
