#include "traffic/identity_checks.h"

#include "core/strings.h"

namespace {

// The feed's placeholder for a missing callsign.
constexpr std::string_view kNoCallsign = "@@@@@@@@";
// Callsigns from this length on do not fit the simulator's tail number.
constexpr std::size_t kUnusableCallsignLength = 9;

bool lf_isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool lf_isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool gf_isUsableCallsign(const LiveAcStrings& strings) {
    const std::string& callsign = strings.callsign;
    return !callsign.empty() && callsign != kNoCallsign && callsign.size() < kUnusableCallsignLength;
}

std::optional<std::string> gf_callsignAirlineCode(std::string_view callsign) {
    if (callsign.size() < 4 || !lf_isLetter(callsign[0]) || !lf_isLetter(callsign[1]) || !lf_isLetter(callsign[2]) ||
        !lf_isDigit(callsign[3])) {
        return std::nullopt;
    }
    std::string code(callsign.substr(0, 3));
    for (char& c : code) {
        c = toUpperChar(c);
    }
    return code;
}

bool gf_airlineFromCallsign(LiveAcStrings& strings) {
    std::optional<std::string> code = gf_callsignAirlineCode(strings.callsign);
    if (!code) {
        return false;
    }
    strings.airline = std::move(*code);
    return true;
}

bool gf_hasGhostSuffix(std::string_view callsign) { return callsign.ends_with('_'); }
