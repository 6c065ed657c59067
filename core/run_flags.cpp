#include "core/run_flags.h"

#include "core/core_state.h"

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
