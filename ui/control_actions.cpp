#include "ui/control_actions.h"

#include <algorithm>
#include <array>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "airports/park_airports_seam.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/parameters_file.h"
#include "core/settings.h"
#include "core/strings.h"
#include "core/text_conversion.h"
#include "platform/window/user32.h"
#include "run/run_flags.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/message_line.h"
#include "ui/radius.h"

namespace {

constexpr WPARAM kEnter = 13;
constexpr std::int32_t kNewPathRestartDelaySec = 3;
constexpr std::int32_t kScanRestartDelaySec = 2;

// The integer settings picked in a combo box.
const std::array<IntChoiceParameter*, 7> kIntChoices{&MATCHING_DEPTH, &MAX_PARK_SEL, &RANGE,       &AIRP_RANGE,
                                                     &AR_ABOVE_HEIGHT, &AIRP_HEIGHT, &MAX_LIVE_SEL};

// Ends the run for new settings, to start again after the delay; a stop
// already asked for keeps its own reason and delay.
void lf_requestRestart(std::int32_t delaySec) {
    gf_requestRunStop(ClosingReason::NewSettings, delaySec);
}

void lf_enable(const ControlBinding& binding, bool enable) { EnableWindow(binding.window, enable ? TRUE : FALSE); }

void lf_repaintControlPanel() { InvalidateRect(MainWindow::hwnd, &MainWindow::controlPanelRect, TRUE); }

// The UTF-8 text of the main window's control; empty for a control that is
// missing (logged) or a text that is no valid UTF-16 (logged).
std::string lf_getTextFromId(std::uint16_t controlId) {
    const HWND control = GetDlgItem(MainWindow::hwnd, controlId);
    if (control == nullptr) {
        gf_writeLogPlain(fmtlib::format("GetDlgItem failed for ID {}", controlId));
        return {};
    }
    std::u16string wide(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, u'\0');
    wide.resize(static_cast<std::size_t>(GetWindowTextW(control, wide.data(), static_cast<int>(wide.size()))));
    try {
        return gf_utf16ToUtf8(wide);
    } catch (const win32::Utf8ConversionException& error) {
        gf_writeLogPlain(fmtlib::format("{} {}", "lf_getTextFromId", error.what()));
        return {};
    }
}

std::string lf_upperCased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), toUpperChar);
    return text;
}

// The index and text of the entry picked in the combo box, when the command
// is its CBN_SELCHANGE. Throws win32::Utf8ConversionException for an entry
// that is no valid UTF-16.
std::optional<std::pair<int, std::string>> lf_getComboSelection(HWND hwnd, std::uint16_t controlId, WPARAM wParam) {
    if (LOWORD(wParam) != controlId || HIWORD(wParam) != CBN_SELCHANGE) {
        return std::nullopt;
    }
    const HWND comboBox = GetDlgItem(hwnd, controlId);
    const auto index = static_cast<int>(SendMessageW(comboBox, CB_GETCURSEL, 0, 0));
    const LRESULT length = SendMessageW(comboBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index == CB_ERR || length == CB_ERR) {
        return std::nullopt;
    }
    std::u16string wide(static_cast<std::size_t>(length) + 1, u'\0');
    wide.resize(static_cast<std::size_t>(
        SendMessageW(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.data()))));
    return std::pair{index, gf_utf16ToUtf8(wide)};
}

bool lf_handleCheckBoxes(HWND hwnd, std::uint16_t controlId) {
    for (BoolControlParameter* setting : gf_parameterGroups().checkBoxes) {
        if (setting->controlId != controlId) {
            continue;
        }
        // Not automatic: the click only asks, the box is ticked here.
        const bool on = IsDlgButtonChecked(hwnd, controlId) != BST_CHECKED;
        CheckDlgButton(hwnd, controlId, on ? BST_CHECKED : BST_UNCHECKED);
        setting->value = on;
        setting->save();
        if (on && (setting == &SCAN_LIVERIES || setting == &SCAN_AIRPORTS) && beforeFirstConnection) {
            lf_requestRestart(kScanRestartDelaySec);
        }
        lf_repaintControlPanel();
        return true;
    }
    return false;
}

void lf_unblockCallsign() {
    BLOCK_CALLSIGN.value = "";
    BLOCK_CALLSIGN.save();
    gf_setTbText(BLOCK_CALLSIGN);
    lf_enable(unblockButton, false);
    blockCallsignRequested = true;
}

bool lf_handleButtons(std::uint16_t controlId) {
    if (controlId == unblockButton.controlId) {
        lf_unblockCallsign();
    } else if (controlId == reReadButton.controlId) {
        reReadRequested = true;
        lf_enable(reReadButton, false);
        lf_enable(DESTINATION, false);
    } else if (controlId == flushStaticButton.controlId) {
        flushStaticRequested = true;
        lf_enable(flushStaticButton, false);
    } else {
        return false;
    }
    return true;
}

bool lf_handleComboBoxes(HWND hwnd, WPARAM wParam) {
    if (const auto picked = lf_getComboSelection(hwnd, SIM_CHOICE.controlId, wParam)) {
        if (!(SIM_CHOICE.value == picked->second)) {
            SIM_CHOICE.value = picked->second;
            SIM_CHOICE.save();
            lf_requestRestart(kNewPathRestartDelaySec);
        }
        return true;
    }
    if (const auto picked = lf_getComboSelection(hwnd, AI_PACKAGE_SELECTOR.controlId, wParam)) {
        if (!(AI_PACKAGE_SELECTOR.value == picked->second)) {
            AI_PACKAGE_SELECTOR.value = picked->second;
            AI_PACKAGE_SELECTOR.save();
        }
        return true;
    }
    for (IntChoiceParameter* setting : kIntChoices) {
        const auto picked = lf_getComboSelection(hwnd, setting->controlId, wParam);
        if (!picked) {
            continue;
        }
        const auto index = static_cast<std::size_t>(picked->first);
        if (index < setting->choices.size()) {
            const std::int32_t chosen = setting->clamped(setting->choices[index]);
            if (setting->value.exchange(chosen) != chosen) {
                setting->save();
            }
            if (setting == &RANGE) {
                gf_setRadiusNm(RANGE.value);
            }
        }
        // The labels of the parking limits show a limit of 0 in colour.
        lf_repaintControlPanel();
        return true;
    }
    return false;
}

// Enter in the box of the setting; the other boxes' Enter does nothing yet.
void lf_handleEditEnter(const ControlBinding& box) {
    if (&box == &BLOCK_CALLSIGN) {
        const std::string callsign = lf_upperCased(lf_getTextFromId(BLOCK_CALLSIGN.controlId));
        if (callsign.empty()) {
            lf_unblockCallsign();
            return;
        }
        BLOCK_CALLSIGN.value = callsign;
        BLOCK_CALLSIGN.save();
        gf_setTbText(BLOCK_CALLSIGN);
        lf_enable(unblockButton, true);
        blockCallsignRequested = true;
    } else if (&box == &CALLSIGN_2_OBJECTID) {
        CALLSIGN_2_OBJECTID.value = lf_upperCased(lf_getTextFromId(CALLSIGN_2_OBJECTID.controlId));
        gf_setTbText(CALLSIGN_2_OBJECTID);
        objectIdLookupRequested = true;
    } else if (&box == &ALL_INSTALL_PATH) {
        const std::string path = lf_getTextFromId(ALL_INSTALL_PATH.controlId);
        if (path.empty()) {
            return;
        }
        StringParameter& installPath = SIM_CHOICE.value == "MSFS 2020" ? MSFS_INSTALL_PATH : MSFS_2024_INSTALL_PATH;
        installPath.setValueAndSave(path);
        ALL_INSTALL_PATH.value = path;
        lf_requestRestart(kNewPathRestartDelaySec);
    }
}

}  // namespace

bool gf_handleWmCommand(HWND hwnd, WPARAM wParam) {
    const std::uint16_t controlId = LOWORD(wParam);
    try {
        if (lf_handleButtons(controlId) || lf_handleCheckBoxes(hwnd, controlId) || lf_handleComboBoxes(hwnd, wParam)) {
            return true;
        }
    } catch (const std::exception& error) {
        gf_writeLogPlain(fmtlib::format("{} exception {}", "lf_HandleWMCOMMAND", error.what()));
        return false;
    }
    lf_repaintControlPanel();
    return false;
}

LRESULT gf_editBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    static const std::array<ControlBinding*, 6> editBoxes{&ALL_INSTALL_PATH, &BLOCK_CALLSIGN,     &CALLSIGN_2_OBJECTID,
                                                          &DESTINATION,      &parking_percentage, &MAX_FIT_FL};
    const auto box = std::find_if(editBoxes.begin(), editBoxes.end(),
                                  [hwnd](const ControlBinding* binding) { return binding->window == hwnd; });
    if (box == editBoxes.end()) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_CHAR && wParam == kEnter) {
        lf_handleEditEnter(**box);
    }
    return CallWindowProcW((*box)->previousWindowProc, hwnd, message, wParam, lParam);
}

void gf_setDestination(const std::string& icao, GeoPosition position) {
    DESTINATION.value = icao;
    DESTINATION.save();
    gf_setTbText(DESTINATION);
    gf_showMessage(fmtlib::format("New destination: {}", icao), true);
    gf_addParkAirport(icao, position);
    lf_enable(reReadButton, false);
}
