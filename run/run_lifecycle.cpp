#include "run/run_lifecycle.h"

#include <cstdint>

#include "core/calendar.h"
#include "core/format.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "ui/status/message_line.h"
#include "ui/status/program_resources.h"

namespace {

constexpr std::int32_t kReaderErrorRestartDelayS = 15;

}  // namespace

void onReaderStopped(std::string_view readerName, std::string_view errorText) {
    gf_showMessage(fmtlib::format("The {} has stopped with error: {}", readerName, errorText), true);
    gf_requestRunStop(ClosingReason::ReaderError, kReaderErrorRestartDelayS);
}

void gf_handleSimDisconnected() {
    if (runStopRequested) {
        return;
    }
    gf_writeLog(fmtlib::format("{} Flight Simulator no longer connected, {} will stop ...", gf_currentTimeOfDay(),
                               kProductName));
    gf_requestRunStop(ClosingReason::SimWasClosed, 0);
}
