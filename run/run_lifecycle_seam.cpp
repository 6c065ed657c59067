#include "run/run_lifecycle_seam.h"

#include "core/calendar.h"
#include "core/format.h"
#include "core/log.h"
#include "run/run_flags.h"
#include "ui/program_resources.h"

void gf_handleSimDisconnected() {
    if (runStopRequested) {
        return;
    }
    gf_writeLog(fmtlib::format("{} Flight Simulator no longer connected, {} will stop ...", gf_currentTimeOfDay(),
                               kProductName));
    gf_requestRunStop(ClosingReason::SimWasClosed, 0);
}
