#include "run/run_lifecycle.h"

#include <cstdint>

#include "core/format.h"
#include "core/run_flags.h"
#include "ui/status/message_line.h"

namespace {

constexpr std::int32_t kReaderErrorRestartDelayS = 15;

}  // namespace

void onReaderStopped(std::string_view readerName, std::string_view errorText) {
    gf_showMessage(fmtlib::format("The {} has stopped with error: {}", readerName, errorText), true);
    gf_requestRunStop(ClosingReason::ReaderError, kReaderErrorRestartDelayS);
}
