#include "core/core_state.h"

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
std::atomic<bool> parkedLightsRequested{false};
std::atomic<bool> liveTrimRequested{false};
std::atomic<bool> parkingRenewalRequested{false};
std::atomic<double> lastFeedTimestamp{0.0};
std::atomic<int> runningWorkers{0};
SharedText simulatorKind{"MSFS"};

void gf_resetCoreState() {
    userCloseRequested = false;
    runStopRequested = false;
    closingReason = ClosingReason::NotYetSet;
    simDataArrived = false;
    beforeFirstConnection = true;
}
