#include "run/run_lifecycle_seam.h"

#include "core/format.h"
#include "run/run_flags.h"
#include "ui/message_line.h"

namespace {

constexpr std::int32_t kReaderErrorRestartDelayS = 15;

}  // namespace

void onReaderStopped(std::string_view readerName, std::string_view errorText) {
    gf_showMessage(fmtlib::format("The {} has stopped with error: {}", readerName, errorText), true);
    gf_requestRunStop(ClosingReason::ReaderError, kReaderErrorRestartDelayS);
}
