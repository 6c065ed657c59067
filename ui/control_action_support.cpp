#include "ui/control_action_support.h"

#include <algorithm>

#include "airports/learned_airport_file.h"
#include "airports/airports_state.h"
#include "core/core_state.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "core/strings.h"
#include "core/text_conversion.h"
#include "platform/window/user32.h"
#include "records/clock.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/program_resources.h"

namespace {

// The periodic work, which serves the recalculation, runs every 15 cycles.
constexpr std::uint32_t kPeriodicWorkCycles = 15;

}  // namespace

std::string gf_getTextFromId(std::uint16_t controlId) {
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
        gf_writeLogPlain(fmtlib::format("{} {}", "lf_getWideTextFromId", error.what()));
        return {};
    }
}

std::string gf_upperCased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), toUpperChar);
    return text;
}

void gf_requestRestart(std::int32_t delaySec) { gf_requestRunStop(ClosingReason::NewSettings, delaySec); }

void gf_markParkingChanged() {
    if (parkingActive) {
        parkingParamsChanged = true;
    }
}

void gf_showRespondDelay() {
    if (!parkingActive) {
        return;
    }
    parkingParamsChanged = true;
    if (INITIAL_LOAD_ONLY.value) {
        gf_clearMessage();
        return;
    }
    const std::uint32_t cycle = cycleCounter;
    const std::uint32_t seconds = kPeriodicWorkCycles * (cycle / kPeriodicWorkCycles + 1) - cycle;
    gf_showMessage(fmtlib::format("{} will respond in {} second{} ...", kProductName, seconds,
                                  gf_pluralSuffix(seconds)),
                   false);
    parkingRenewalRequested = true;
}
