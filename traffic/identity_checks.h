#pragma once
// Small tests on identities that intake, spawning and stands share.

#include <optional>
#include <string>
#include <string_view>

#include "records/live_ac_strings.h"

// The airline and type of two records (identities, registration records)
// are both equal, byte for byte.
template <class First, class Second>
bool gf_equalStrings(const First& first, const Second& second) {
    return first.airline == second.airline && first.type == second.type;
}

// The callsign can serve as the simulator's tail number: not empty, not the
// feed's "@@@@@@@@" and shorter than 9 characters.
bool gf_isUsableCallsign(const LiveAcStrings& strings);

// The airline a callsign names: at least 4 characters, three letters and a
// digit first ("KLM1234", "klm1" give "KLM"); none otherwise.
std::optional<std::string> gf_callsignAirlineCode(std::string_view callsign);

// Sets the airline to the one the callsign names; false (nothing changed)
// when it names none.
bool gf_airlineFromCallsign(LiveAcStrings& strings);

// The callsign ends in "_": the feed's mark of a second aircraft under the
// same callsign.
bool gf_hasGhostSuffix(std::string_view callsign);
