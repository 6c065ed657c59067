#pragma once
// Why a run ends, and the text by which the log names the reason.

#include <cstdint>
#include <string_view>

// Why a run ended; the code is also what lf_closingDown logs.
enum class ClosingReason : std::uint32_t {
    NotYetSet = 0,        // "NOT YET SET"
    SimWasClosed = 1,     // "SIM WAS CLOSED"
    NewFlight = 2,        // "NEW FLIGHT"
    NewSettings = 3,      // "NEW SETTINGS"
    UserClosedSim = 4,    // "USER CLOSED SIM"
    SimConnectError = 5,  // "SIMCONNECT ERROR"
    ReaderError = 6,      // "READER ERROR"
    SystemError = 7,      // "SYSTEM ERROR"
};

// The reason's text, as "Exiting: {}" logs it ("SIM WAS CLOSED"). Throws
// std::out_of_range "invalid unordered_map<K, T> key" for a code outside
// the table.
std::string_view gf_closingReasonText(ClosingReason reason);
