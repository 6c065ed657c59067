#include "core/run_flags.h"

#include "core/core_state.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

struct ReasonText {
    ClosingReason reason;
    std::string_view text;
};

constexpr std::array<ReasonText, 8> kReasonTexts{{
    {ClosingReason::NotYetSet, "NOT YET SET"},
    {ClosingReason::SimWasClosed, "SIM WAS CLOSED"},
    {ClosingReason::NewFlight, "NEW FLIGHT"},
    {ClosingReason::NewSettings, "NEW SETTINGS"},
    {ClosingReason::UserClosedSim, "USER CLOSED SIM"},
    {ClosingReason::SimConnectError, "SIMCONNECT ERROR"},
    {ClosingReason::ReaderError, "READER ERROR"},
    {ClosingReason::SystemError, "SYSTEM ERROR"},
}};

}  // namespace

std::string_view gf_closingReasonText(ClosingReason reason) {
    const auto found = std::find_if(kReasonTexts.begin(), kReasonTexts.end(),
                                    [reason](const ReasonText& entry) { return entry.reason == reason; });
    if (found == kReasonTexts.end()) {
        throw std::out_of_range("invalid unordered_map<K, T> key");
    }
    return found->text;
}

bool gf_stopFlagSet() { return runStopRequested || userCloseRequested; }

bool gf_requestRunStop(ClosingReason reason, std::int32_t delaySec) {
    if (runStopRequested.exchange(true)) {
        return false;
    }
    closingReason = reason;
    restartDelaySec = delaySec;
    return true;
}

bool gf_requestRestartReplacingSystemError(std::int32_t delaySec) {
    if (gf_requestRunStop(ClosingReason::NewSettings, delaySec)) {
        return true;
    }
    if (closingReason != ClosingReason::SystemError) {
        return false;
    }
    // The delay first: the worker reads it once it sees the new reason.
    restartDelaySec = delaySec;
    auto systemError = ClosingReason::SystemError;
    return closingReason.compare_exchange_strong(systemError, ClosingReason::NewSettings);
}

void gf_requestUserClose() {
    userCloseRequested = true;
    runStopRequested = true;
    auto notYetSet = ClosingReason::NotYetSet;
    closingReason.compare_exchange_strong(notYetSet, ClosingReason::UserClosedSim);
}
