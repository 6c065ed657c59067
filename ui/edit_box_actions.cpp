#include "ui/edit_box_actions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "airports/airport_list.h"
#include "airports/airports_state.h"
#include "core/core_state.h"
#include "core/format.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "platform/window/user32.h"
#include "simlink/simlink_state.h"
#include "ui/control_action_support.h"
#include "ui/destination.h"
#include "ui/status/control_texts.h"
#include "ui/status/message_line.h"
#include "ui/status/program_resources.h"
#include "ui/status/window_updates.h"

namespace fs = std::filesystem;

namespace {

constexpr WPARAM kEnter = 13;
constexpr std::int32_t kNewPathRestartDelaySec = 3;
constexpr std::size_t kShortestCallsign = 4;
constexpr std::size_t kLongestCallsign = 8;
constexpr std::size_t kIcaoLength = 4;
constexpr std::string_view kCommunityFolder = "Community";
constexpr float kShortestFitHours = 0.5F;
constexpr float kLongestFitHours = 24.0F;
constexpr std::int32_t kLongestFitSlot = 47;  // MAX_FIT of 24 hours

void lf_blockCallsign() {
    const std::string typed = gf_getTextFromId(BLOCK_CALLSIGN.controlId);
    if (typed.empty()) {
        gf_unblockCallsign();
        return;
    }
    if (typed.size() < kShortestCallsign || typed.size() > kLongestCallsign) {
        gf_showMessage(fmtlib::format("callsign '{}' is not valid", typed), true);
        return;
    }
    const std::string callsign = gf_upperCased(typed);
    if (BLOCK_CALLSIGN.value == callsign) {
        gf_showMessage(fmtlib::format("callsign '{}' was already set ...", callsign), false);
        return;
    }
    BLOCK_CALLSIGN.value = callsign;
    BLOCK_CALLSIGN.save();
    gf_setTbText(BLOCK_CALLSIGN);
    gf_enableControl(unblockButton, true);
    blockCallsignRequested = true;
    gf_showMessage(fmtlib::format("live aircraft with callsign '{}' will be blocked", callsign), true);
}

void lf_processDestination() {
    const std::string typed = gf_getTextFromId(DESTINATION.controlId);
    if (typed.empty()) {
        DESTINATION.value = "";
        DESTINATION.save();
        gf_setTbText(DESTINATION);
        gf_enableControl(reReadButton, true);
        gf_showMessage("destination set to empty", true);
        return;
    }
    if (typed.size() != kIcaoLength) {
        gf_showMessage(fmtlib::format("destination '{}' is not valid", typed), true);
        return;
    }
    const std::string icao = gf_upperCased(typed);
    if (DESTINATION.value == icao) {
        gf_showMessage(fmtlib::format("destination '{}' was already set ...", icao), false);
    } else if (const AirportRecord* airport = gf_findAirportByCode(icao)) {
        gf_setDestination(icao, {airport->lat, airport->lon});
    } else {
        gf_showMessage(fmtlib::format("destination '{}' is unknown ...", icao), false);
    }
}

// The callsign whose object id the worker looks up; not kept in
// parameters.xml.
void lf_askObjectId() {
    const std::string callsign = gf_upperCased(gf_getTextFromId(CALLSIGN_2_OBJECTID.controlId));
    if (callsign.empty() && CALLSIGN_2_OBJECTID.value.empty()) {
        return;
    }
    CALLSIGN_2_OBJECTID.value = callsign;
    gf_setTbText(CALLSIGN_2_OBJECTID);
    objectIdLookupRequested = true;
}

// Also the answer to error 150 of the start-up, which then waits with a
// SYSTEM ERROR for the user: the restart promised here replaces it.
void lf_restartForCommunityPath() {
    gf_showMessage(fmtlib::format("Community path found, {} will restart ...", kProductName), true);
    gf_requestRestartReplacingSystemError(kNewPathRestartDelaySec);
}

bool lf_holdsCommunity(const fs::path& folder) { return fs::is_directory(folder / kCommunityFolder); }

// The typed path without a last folder "Community" (and its separator);
// empty when it does not end in one.
std::string lf_withoutCommunity(const std::string& text) {
    std::string path = text;
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) {
        path.pop_back();
    }
    const std::size_t suffixSize = kCommunityFolder.size() + 1;
    if (path.size() <= suffixSize || !path.ends_with(kCommunityFolder)) {
        return {};
    }
    const char separator = path[path.size() - suffixSize];
    return separator == '\\' || separator == '/' ? path.substr(0, path.size() - suffixSize) : std::string{};
}

// A packages path typed for the chosen simulator: kept when it holds the
// folder Community, or is that folder; the run restarts with it.
void lf_newSimPath(StringParameter& installPath, const std::string& text) {
    gf_clearError();
    gf_clearMessage();
    if (text.empty()) {
        return;
    }
    try {
        if (!fs::exists(text)) {
            gf_showMessage(fmtlib::format("This install path does not exist: {}", text), true);
            return;
        }
        if (fs::is_directory(text) && lf_holdsCommunity(text)) {
            installPath.setValueAndSave(text);
            lf_restartForCommunityPath();
            return;
        }
        const std::string packagesPath = lf_withoutCommunity(text);
        if (!packagesPath.empty() && lf_holdsCommunity(packagesPath)) {
            installPath.setValueAndSave(packagesPath);
            lf_restartForCommunityPath();
            return;
        }
    } catch (const fs::filesystem_error& error) {
        gf_showMessage(error.what(), true);
        return;
    }
    gf_showMessage("This path exists but is not a path to Community ...", true);
}

// The number of a box's text, or nothing for a text that is no number
// (answered in the message line; a number out of range is also logged).
template <class Number, class Parse>
std::optional<Number> lf_parseNumber(const std::string& text, std::string_view function, Parse parse) {
    try {
        const Number number = parse(text);
        if constexpr (std::is_floating_point_v<Number>) {
            if (!std::isfinite(number)) {
                throw std::invalid_argument("not a finite number");
            }
        }
        return number;
    } catch (const std::invalid_argument&) {
        gf_showMessage(fmtlib::format("invalid input: {}", text), false);
    } catch (const std::exception& error) {
        gf_writeLogPlain(fmtlib::format("{}: {}, h={} ", function, error.what(), text));
        gf_showMessage(fmtlib::format("invalid input: {}", text), false);
    }
    return std::nullopt;
}

// The setting from its box; an empty box stands for 0. True when it changed.
bool lf_processTbInt(IntControlParameter& setting) {
    const std::string text = gf_getTextFromId(setting.controlId);
    const auto number = text.empty() ? std::optional<int>{0}
                                     : lf_parseNumber<int>(text, "lf_processTbInt",
                                                           [](const std::string& digits) { return std::stoi(digits); });
    if (!number) {
        return false;
    }
    if (*number == setting.value) {
        gf_showMessage(fmtlib::format("Same {} value {}, no changes made", setting.name, *number), true);
        return false;
    }
    setting.value = setting.clamped(*number);
    if (&setting != &parking_percentage) {  // the target holds for this run only
        setting.save();
    }
    gf_setTbInt(setting);
    gf_showMessage(fmtlib::format("The new {} is {}", setting.name, setting.value.load()), false);
    return true;
}

// MAX_FIT_FL from its box, kept on the half hours of MAX_FIT; an empty box
// gives the longest fit. True when it changed.
bool lf_processTbFloat() {
    const std::string text = gf_getTextFromId(MAX_FIT_FL.controlId);
    if (text.empty()) {
        MAX_FIT.value = kLongestFitSlot;
        MAX_FIT.save();
        MAX_FIT_FL.value = kLongestFitHours;
        gf_setTbFloat(MAX_FIT_FL);
        return true;
    }
    const auto hours =
        lf_parseNumber<float>(text, "lf_processTbFloat", [](const std::string& digits) { return std::stof(digits); });
    if (!hours) {
        return false;
    }
    if (*hours == MAX_FIT_FL.value) {
        gf_showMessage(fmtlib::format("Same {} value {}, no changes made", MAX_FIT_FL.name, *hours), true);
        return false;
    }
    const float clampedHours = std::clamp(*hours, kShortestFitHours, kLongestFitHours);
    MAX_FIT.value = MAX_FIT.clamped(static_cast<std::int32_t>(std::lround(2.0F * clampedHours)) - 1);
    MAX_FIT.save();
    MAX_FIT_FL.value = std::clamp(static_cast<float>(MAX_FIT.value + 1) * 0.5F, kShortestFitHours, kLongestFitHours);
    gf_setTbFloat(MAX_FIT_FL);
    gf_showMessage(fmtlib::format("The new {} is {:.1F}", MAX_FIT_FL.name, MAX_FIT_FL.value.load()), false);
    return true;
}

void lf_handleEditEnter(const ControlBinding& box) {
    gf_clearMessage();
    if (&box == &BLOCK_CALLSIGN) {
        lf_blockCallsign();
    } else if (&box == &DESTINATION) {
        lf_processDestination();
    } else if (&box == &CALLSIGN_2_OBJECTID) {
        lf_askObjectId();
    } else if (&box == &ALL_INSTALL_PATH) {
        lf_newSimPath(msfs2020Selected ? MSFS_INSTALL_PATH : MSFS_2024_INSTALL_PATH,
                      gf_getTextFromId(ALL_INSTALL_PATH.controlId));
    } else if (&box == &parking_percentage) {
        // Like the other parking controls: recalculated soon, and kept
        // with the park airport's own settings.
        if (lf_processTbInt(parking_percentage)) {
            gf_showRespondDelay();
        }
    } else if (parkingActive && lf_processTbFloat()) {
        gf_showRespondDelay();
    }
}

}  // namespace

LRESULT gf_editBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    static const std::array<ControlBinding*, 6> editBoxes{&ALL_INSTALL_PATH, &BLOCK_CALLSIGN,     &CALLSIGN_2_OBJECTID,
                                                          &DESTINATION,      &parking_percentage, &MAX_FIT_FL};
    const auto box = std::find_if(editBoxes.begin(), editBoxes.end(),
                                  [hwnd](const ControlBinding* binding) { return binding->window == hwnd; });
    if (box == editBoxes.end()) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_CHAR && wParam == kEnter) {
        try {
            lf_handleEditEnter(**box);
        } catch (const std::exception& error) {
            gf_writeLogPlain(fmtlib::format("lf_editBoxProcedure exception {}", error.what()));
        }
        if (*box == &parking_percentage || *box == &MAX_FIT_FL) {
            return 0;
        }
    }
    return CallWindowProcW((*box)->previousWindowProc, hwnd, message, wParam, lParam);
}

void gf_unblockCallsign() {
    const std::string callsign = BLOCK_CALLSIGN.value;
    if (callsign.empty()) {
        return;
    }
    BLOCK_CALLSIGN.value = "";
    BLOCK_CALLSIGN.save();
    gf_setTbText(BLOCK_CALLSIGN);
    gf_enableControl(unblockButton, false);
    blockCallsignRequested = true;
    gf_showMessage(fmtlib::format("no more blocking of live aircraft '{}'", callsign), true);
}
