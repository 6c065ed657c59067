#pragma once
// The live traffic's livery bookkeeping: the livery kept for each aircraft
// id (an aircraft made again wears the same one), the liveries the
// simulator refused to create, and the aircraft for which no livery
// matched. Worker thread only.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "traffic/aircraft_records.h"

// Aircraft id to the livery title (a view into the livery catalogue).
extern std::unordered_map<std::uint32_t, std::string_view> keptLiveries;

// Type code, a blank and airline code of each aircraft whose livery the
// simulator refused. The refused titles themselves are
// liveryCatalog.refusedTitles, which the matching ladders pass over. Both
// last as long as the program.
extern std::set<std::string> uncreatableKinds;

// Labels (gf_describeAcWithRegistration) of aircraft for which no livery
// matched, in the order they were found, so that later reports of the same
// aircraft do not try again in this run.
class UnmatchedAircraft {
public:
    void insert(const std::string& label);
    bool contains(const std::string& label) const { return members_.contains(label); }
    const std::vector<std::string>& inOrder() const { return order_; }
    void clear();

private:
    std::vector<std::string> order_;
    std::unordered_set<std::string> members_;
};
extern UnmatchedAircraft unmatchedAircraft;

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
