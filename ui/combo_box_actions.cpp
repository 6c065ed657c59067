#include "ui/combo_box_actions.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "airports/learned_airport_file.h"
#include "airports/airports_state.h"
#include "core/core_state.h"
#include "core/data_paths.h"
#include "core/format.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "core/text_conversion.h"
#include "liveries/livery_scan.h"
#include "platform/window/user32.h"
#include "scanner/addon_airport_scan.h"
#include "scanner/scanner_state.h"
#include "simlink/simlink_state.h"
#include "ui/control_action_support.h"
#include "ui/radius.h"
#include "ui/status/control_texts.h"
#include "ui/status/message_line.h"
#include "ui/status/parameter_controls.h"
#include "ui/status/window_updates.h"

namespace {

constexpr std::int32_t kNewSimulatorRestartDelaySec = 3;
constexpr std::string_view kMsfs2020 = "MSFS 2020";

// The integer settings picked in a combo box.
const std::array<IntChoiceParameter*, 7> kIntChoices{&MATCHING_DEPTH, &MAX_PARK_SEL, &RANGE,       &AIRP_RANGE,
                                                     &AR_ABOVE_HEIGHT, &AIRP_HEIGHT, &MAX_LIVE_SEL};

// The index and text of the entry picked in the combo box, when the command
// is its CBN_SELCHANGE.
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

void lf_switchOnAndSave(BoolControlParameter& scan) {
    scan.value = true;
    scan.save();
    gf_setCheckBox(scan);
}

// What was scanned belongs to the simulator before: its liveries and
// airports are scanned again at the restart.
void lf_switchSimulator() {
    std::error_code error;
    std::filesystem::remove(dataPaths.liveriesCatalogFile, error);
    if (error && error != std::errc::no_such_file_or_directory) {
        throw std::filesystem::filesystem_error("remove", dataPaths.liveriesCatalogFile, error);
    }
    gf_requestLiveryCatalogRebuild();
    addonAirportFound = false;
    lf_switchOnAndSave(SCAN_AIRPORTS);
    lf_switchOnAndSave(SCAN_LIVERIES);
    gf_showMessage(fmtlib::format("Switching Simulator to {}", msfs2020Selected ? "MSFS 2020" : "MSFS 2024"), true);
    ALL_INSTALL_PATH.value = "";
    gf_setTbText(ALL_INSTALL_PATH);
    if (!msfs2020Selected) {
        VAVOVEVIDE24_VERSION.setValueAndSave("");
    }
    gf_requestRestart(kNewSimulatorRestartDelaySec);
}

// The picked text as the setting's value, saved; true when it changed.
bool lf_pickedText(StringChoiceParameter& setting, const std::string& text) {
    if (setting.value == text) {
        return false;
    }
    setting.value = text;
    setting.save();
    return true;
}

void lf_pickedIntChoice(IntChoiceParameter& setting, std::size_t index) {
    if (index >= setting.choices.size()) {
        return;
    }
    const std::int32_t chosen = setting.clamped(setting.choices[index]);
    if (setting.value.exchange(chosen) != chosen) {
        setting.save();
    }
    gf_setTbInt(setting);
    if (&setting == &RANGE) {
        gf_setRadiusNm(RANGE.value);
    } else if (&setting == &MAX_PARK_SEL) {
        gf_showRespondDelay();
    } else if (&setting == &MAX_LIVE_SEL) {
        if (parkingActive) {
            parkingParamsChanged = true;
        } else {
            userMaxLiveSel = static_cast<std::uint32_t>(chosen);
        }
        liveTrimRequested = true;  // the worker owns the aircraft
    }
}

}  // namespace

bool gf_handleComboBoxes(HWND hwnd, WPARAM wParam) {
    if (const auto picked = lf_getComboSelection(hwnd, SIM_CHOICE.controlId, wParam)) {
        if (lf_pickedText(SIM_CHOICE, picked->second)) {
            msfs2020Selected = picked->second == kMsfs2020;
            lf_switchSimulator();
        }
        return true;
    }
    if (const auto picked = lf_getComboSelection(hwnd, AI_PACKAGE_SELECTOR.controlId, wParam)) {
        if (lf_pickedText(AI_PACKAGE_SELECTOR, picked->second)) {
            gf_setTbText(AI_PACKAGE_SELECTOR);
        }
        return true;
    }
    for (IntChoiceParameter* setting : kIntChoices) {
        if (const auto picked = lf_getComboSelection(hwnd, setting->controlId, wParam)) {
            lf_pickedIntChoice(*setting, static_cast<std::size_t>(picked->first));
            // The labels of the parking limits show a limit of 0 in colour.
            gf_repaint(WindowRegion::ControlPanel);
            return true;
        }
    }
    return false;
}
