#include "core/closing_reason.h"

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
