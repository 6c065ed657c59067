#pragma once
// The traffic options that live aircraft teach the park airport's stands:
// when an aircraft arrives at a stand, stands on it or leaves it, the stand
// learns (or extends) an option of that aircraft for the weekday and half
// hours it stood there. Real options record what was seen; soft options
// record a plausible stand for an aircraft that was not seen parking. The
// learned file keeps them, and static parking later fills stands by them.
//
// An aircraft's options are keyed by its registration, or by its callsign
// when it has none; callsigns are stored without one trailing underscore.
// Times of week: weekday in the low, half hour in the high 32 bits.
// Worker thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "airports/park_stands.h"
#include "traffic/aircraft_records.h"

// Records a real option of the aircraft on the stand at the time of week;
// leaving: it leaves the stand now. True when the stand's options were
// changed or confirmed (each such call counts as a learned update); false
// without a key, for an unknown stand, when the stand file gives the
// aircraft other hours on this weekday, or on a half hour outside 0 to 47
// (logged "lt_addStandOption: hh_now: {}, {}").
bool lt_addStandOption(std::uint32_t standId, const LiveAc& aircraft, std::uint64_t timeOfWeek, bool leaving);

// The same for a soft option. revisit: the aircraft comes back to a stand
// that holds its soft arrival; extend: its recorded stay is to be extended
// to now (it is not on the ground at the park airport yet).
bool lt_addSoftStandOption(std::uint32_t standId, const LiveAc& aircraft, bool revisit, std::uint64_t timeOfWeek,
                           bool extend);

// The number of the option added, and whether one was: nothing is added
// for an empty key or when the stand has this option (key, day, the one
// half hour, callsign) already.
struct LearnedOption {
    std::uint32_t sequence = 0;
    bool added = false;
};
// Adds a learned option for the half hour of the time of week. Its airline
// and type come from the registration record of the key when the database
// has one (its operator before its airline), else from the aircraft. Its
// number follows the stand's last place (its count of options + 1), so that
// it never shares a number with an option before it, also when the last one
// stopped counting (number 0).
LearnedOption gf_addLearnedOption(ParkPosition& stand, const LiveAc& aircraft, bool real, std::uint64_t timeOfWeek,
                                  const std::string& callsign, const std::string& key);

// Extends the option recorded at the arrival to the time of week: every
// half hour since then is set on it, onto a new option of the new weekday
// for the half hours after midnight. False when more than the aircraft's
// window of half hours (12 for cargo, 8 for a Heavy, else 6) has passed,
// when the stand holds no option of that number, or when no option of the
// new weekday could be added: the caller then records the time of week on
// an option of its own. The arrival takes the time of week (and the new
// option's number).
bool lf_extendLearnedOption(std::uint64_t timeOfWeek, ParkPosition& stand, std::uint32_t sequence,
                            StandArrival& arrival, const LiveAc& aircraft, const std::string& key, bool real);

// Sets the half hours of the list, taken from its end (oldest first), on
// the option with the number; false when there is none or a half hour lies
// outside 0 to 47 (logged "updateOptions exception:{}").
bool updateOptions(std::vector<ParkOption>& options, std::vector<std::uint32_t> halfHours, std::uint32_t sequence);
// The list (newest first) runs over midnight: its half hours up to 47 go on
// the earlier day's option, the others, but the newest, on the later day's.
// False when the later day's option is missing or a half hour lies outside
// 0 to 47 (logged "updateOptionsWrapped exception:{}").
bool updateOptionsWrapped(std::vector<ParkOption>& options, std::vector<std::uint32_t> halfHours,
                          std::uint32_t earlierSequence, std::uint32_t laterSequence);

// The callsign (without one trailing underscore) becomes the option's first
// callsign when it has none, else its second when it is neither of them.
void gf_addCallsignToOption(std::vector<ParkOption>& options, std::uint32_t sequence, const std::string& callsign);

// The key of an aircraft's options: its registration, else its callsign
// without one trailing underscore; empty when it has neither.
std::string gf_standOptionKey(const AcIdentity& aircraft);
// The callsign as options store it: without one trailing underscore.
std::string gf_storedCallsign(const std::string& callsign);
