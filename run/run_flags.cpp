#include "run/run_flags.h"

std::atomic<bool> runStopRequested{false};
std::atomic<bool> userCloseRequested{false};
std::atomic<ClosingReason> closingReason{ClosingReason::NotYetSet};
std::atomic<std::int32_t> restartDelaySec{0};
std::atomic<bool> simDataArrived{false};
std::atomic<bool> beforeFirstConnection{true};
std::atomic<bool> flushStaticRequested{false};
std::atomic<bool> reReadRequested{false};
std::atomic<bool> blockCallsignRequested{false};
std::atomic<bool> objectIdLookupRequested{false};
std::atomic<bool> parkingRenewalRequested{false};

bool gf_requestRunStop(ClosingReason reason, std::int32_t delaySec) {
    if (runStopRequested.exchange(true)) {
        return false;
    }
    closingReason = reason;
    restartDelaySec = delaySec;
    return true;
}

void gf_requestUserClose() {
    userCloseRequested = true;
    runStopRequested = true;
    auto notYetSet = ClosingReason::NotYetSet;
    closingReason.compare_exchange_strong(notYetSet, ClosingReason::UserClosedSim);
}
