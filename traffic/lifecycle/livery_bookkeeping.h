#pragma once
// The live traffic's livery bookkeeping: the livery kept for each aircraft
// id (an aircraft made again wears the same one), the liveries the
// simulator refused to create, and the aircraft for which no livery
// matched. Worker thread only.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "traffic/aircraft_records.h"
#include "traffic/traffic_state.h"

// The title kept for the id; empty when there is none, and when the
// simulator has refused it since (the entry is then dropped).
std::string_view gf_takeKeptLivery(std::uint32_t aircraftId);

// The simulator refused to create the aircraft (while the run is not
// stopping): shows and logs it and remembers the title and the kind. The
// twentieth refused title ends the run: throws qrx::UserErrorException 81.
void gf_onCreateFailed(const AcIdentity& identity);

// The uncreatable kinds, each after two blanks, in the set's order.
std::vector<std::string> gf_listUncreatableTitles();

// With LOG on, "\nNo match found for:", every unmatched label in order and
// an empty line; nothing when every aircraft matched.
void gf_logUnmatched();
