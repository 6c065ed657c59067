#include "traffic/stands/stand_options.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <unordered_map>

#include "core/format.h"
#include "core/half_hours.h"
#include "core/log.h"
#include "liveries/aircraft_database.h"
#include "records/week_slot.h"
#include "traffic/stand_lookup.h"
#include "traffic/stands/learned_updates.h"

namespace {

using Arrivals = std::unordered_map<std::uint32_t, StandArrival>;

// An option is extended while fewer half hours than this have passed since
// its arrival was recorded.
constexpr std::int64_t kCargoWindowHalfHours = 12;
constexpr std::int64_t kHeavyWindowHalfHours = 8;
constexpr std::int64_t kWindowHalfHours = 6;
constexpr std::uint32_t kLastHalfHour = 47;

std::int64_t lf_extensionWindow(const AcIdentity& aircraft) {
    if (aircraft.cargo) {
        return kCargoWindowHalfHours;
    }
    return aircraft.category == AircraftCategory::Heavy ? kHeavyWindowHalfHours : kWindowHalfHours;
}

ParkOption* lf_findOption(std::vector<ParkOption>& options, std::uint32_t sequence) {
    const auto found = std::find_if(options.begin(), options.end(),
                                    [&](const ParkOption& option) { return option.sequence == sequence; });
    return found == options.end() ? nullptr : &*found;
}

bool lf_isKeyedOption(const ParkOption& option, bool fromArchive, bool real, std::uint32_t weekday,
                      const std::string& key) {
    return option.fromArchive == fromArchive && option.real == real &&
           option.day == static_cast<std::int32_t>(weekday) && option.registration == key;
}

// The stand file knows when this aircraft stands here on this weekday, and
// it is not now: nothing is learned.
bool lf_archiveGivesOtherHours(const ParkPosition& stand, bool real, std::uint32_t weekday, const std::string& key,
                               std::uint32_t halfHour) {
    return std::any_of(stand.options.begin(), stand.options.end(), [&](const ParkOption& option) {
        return lf_isKeyedOption(option, true, real, weekday, key) && !option.timeSlots.test(halfHour);
    });
}

ParkOption* lf_findLearned(ParkPosition& stand, bool real, std::uint32_t weekday, const std::string& key) {
    const auto found = std::find_if(stand.options.begin(), stand.options.end(), [&](const ParkOption& option) {
        return lf_isKeyedOption(option, false, real, weekday, key);
    });
    return found == stand.options.end() ? nullptr : &*found;
}

// A new option for now; its arrival is recorded when asked.
void lf_addNewOption(ParkPosition& stand, const LiveAc& aircraft, bool real, std::uint64_t timeOfWeek,
                     const std::string& key, Arrivals* arrivals) {
    const LearnedOption option =
        gf_addLearnedOption(stand, aircraft, real, timeOfWeek, gf_storedCallsign(aircraft.identity.strings.callsign), key);
    if (option.added && arrivals != nullptr) {
        (*arrivals)[aircraft.identity.aircraftId] = {timeOfWeek, option.sequence};
    }
}

// What the option learning of either kind shares: the key, the stand, the
// stand file's own hours for the aircraft, the count of learned updates and
// the boundary that turns a bad half hour into false. learn gets the stand,
// the key and the learned option of the weekday and key (null: none yet).
template <class Learn>
bool lf_learnOption(std::uint32_t standId, const LiveAc& aircraft, std::uint64_t timeOfWeek, bool real, Learn learn) {
    const std::string key = gf_standOptionKey(aircraft.identity);
    ParkPosition* stand = gf_findStandById(standId);
    if (key.empty() || stand == nullptr) {
        return false;
    }
    const std::uint32_t weekday = gf_weekdayOf(timeOfWeek);
    const std::uint32_t halfHour = gf_halfHourOf(timeOfWeek);
    try {
        if (lf_archiveGivesOtherHours(*stand, real, weekday, key, halfHour)) {
            return false;
        }
        learn(*stand, key, lf_findLearned(*stand, real, weekday, key));
        gf_countLearnedUpdate();
        return true;
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("{}: hh_now: {}, {}", "lt_addStandOption", halfHour, error.what()));
        return false;
    }
}

// A real option when the aircraft leaves: the stay recorded at its arrival
// is extended to now, or a new option is made for now.
void lf_recordDeparture(ParkPosition& stand, const LiveAc& aircraft, std::uint64_t timeOfWeek, const std::string& key) {
    const auto arrival = stand.realArrivals.find(aircraft.identity.aircraftId);
    if (arrival == stand.realArrivals.end()) {
        lf_addNewOption(stand, aircraft, true, timeOfWeek, key, nullptr);
        return;
    }
    if (arrival->second.timeOfWeek != timeOfWeek &&
        !lf_extendLearnedOption(timeOfWeek, stand, arrival->second.optionSequence, arrival->second, aircraft, key,
                                true)) {
        lf_addNewOption(stand, aircraft, true, timeOfWeek, key, nullptr);
    }
    stand.realArrivals.erase(arrival);
}

// A soft option of this weekday that lacks now, on a revisit or to be
// extended.
void lf_reviseSoftOption(ParkPosition& stand, const LiveAc& aircraft, std::uint64_t timeOfWeek, const std::string& key,
                         std::uint32_t sequence, bool extend) {
    const auto arrival = stand.softArrivals.find(aircraft.identity.aircraftId);
    if (arrival == stand.softArrivals.end()) {
        lf_addNewOption(stand, aircraft, false, timeOfWeek, key, extend ? nullptr : &stand.softArrivals);
        return;
    }
    if (arrival->second.timeOfWeek != timeOfWeek &&
        !lf_extendLearnedOption(timeOfWeek, stand, sequence, arrival->second, aircraft, key, false)) {
        if (!extend) {
            return;
        }
        lf_addNewOption(stand, aircraft, false, timeOfWeek, key, nullptr);
    }
    if (extend) {
        stand.softArrivals.erase(arrival);
    }
}

}  // namespace

bool lt_addStandOption(std::uint32_t standId, const LiveAc& aircraft, std::uint64_t timeOfWeek, bool leaving) {
    return lf_learnOption(standId, aircraft, timeOfWeek, true,
                          [&](ParkPosition& stand, const std::string& key, ParkOption* learned) {
                              const std::uint32_t halfHour = gf_halfHourOf(timeOfWeek);
                              if (learned != nullptr && learned->timeSlots.test(halfHour)) {
                                  return;
                              }
                              if (leaving) {
                                  lf_recordDeparture(stand, aircraft, timeOfWeek, key);
                              } else if (learned != nullptr) {
                                  learned->timeSlots.set(halfHour);
                              } else {
                                  lf_addNewOption(stand, aircraft, true, timeOfWeek, key, &stand.realArrivals);
                              }
                          });
}

bool lt_addSoftStandOption(std::uint32_t standId, const LiveAc& aircraft, bool revisit, std::uint64_t timeOfWeek,
                           bool extend) {
    return lf_learnOption(standId, aircraft, timeOfWeek, false,
                          [&](ParkPosition& stand, const std::string& key, ParkOption* learned) {
                              const std::uint32_t halfHour = gf_halfHourOf(timeOfWeek);
                              if (learned == nullptr) {
                                  lf_addNewOption(stand, aircraft, false, timeOfWeek, key, &stand.softArrivals);
                              } else if (learned->timeSlots.test(halfHour)) {
                                  return;
                              } else if (!revisit && !extend) {
                                  learned->timeSlots.set(halfHour);
                              } else {
                                  lf_reviseSoftOption(stand, aircraft, timeOfWeek, key, learned->sequence, extend);
                              }
                          });
}

LearnedOption gf_addLearnedOption(ParkPosition& stand, const LiveAc& aircraft, bool real, std::uint64_t timeOfWeek,
                                  const std::string& callsign, const std::string& key) {
    if (key.empty()) {
        return {};
    }
    HalfHourSet hours;
    hours.set(gf_halfHourOf(timeOfWeek));
    const auto weekday = static_cast<std::int32_t>(gf_weekdayOf(timeOfWeek));
    if (std::any_of(stand.options.begin(), stand.options.end(), [&](const ParkOption& option) {
            return option.registration == key && option.day == weekday && option.timeSlots == hours &&
                   option.callsign == callsign;
        })) {
        return {};
    }
    ParkOption option;
    if (const std::optional<RegcodeRecord> record = gf_lookupRegcode(key)) {
        option.airline = record->operatorCode.empty() ? record->airline : record->operatorCode;
        option.type = record->type;
    } else {
        option.airline = aircraft.identity.strings.airline;
        option.type = aircraft.identity.strings.type;
    }
    option.registration = key;
    option.callsign = callsign;
    option.timeSlots = hours;
    option.sequence = static_cast<std::uint32_t>(stand.options.size() + 1);
    option.day = weekday;
    option.fromArchive = false;
    option.real = real;
    stand.options.push_back(std::move(option));
    return {stand.options.back().sequence, true};
}

bool lf_extendLearnedOption(std::uint64_t timeOfWeek, ParkPosition& stand, std::uint32_t sequence,
                            StandArrival& arrival, const LiveAc& aircraft, const std::string& key, bool real) {
    if (arrival.timeOfWeek == timeOfWeek) {
        return true;
    }
    if (lf_findOption(stand.options, sequence) == nullptr) {
        return false;
    }
    const std::int64_t halfHoursStood = gf_halfHoursBetween(arrival.timeOfWeek, timeOfWeek);
    if (halfHoursStood < 1 || halfHoursStood >= lf_extensionWindow(aircraft.identity)) {
        return false;
    }
    std::vector<std::uint32_t> halfHours;  // newest first
    for (std::int64_t back = 0; back < halfHoursStood; ++back) {
        halfHours.push_back(gf_halfHourOf(gf_weekSlotBack(timeOfWeek, static_cast<std::uint32_t>(back))));
    }
    const std::string& callsign = aircraft.identity.strings.callsign;
    if (gf_weekdayOf(timeOfWeek) == gf_weekdayOf(arrival.timeOfWeek)) {
        updateOptions(stand.options, std::move(halfHours), sequence);
        gf_addCallsignToOption(stand.options, sequence, callsign);
    } else {
        const LearnedOption added =
            gf_addLearnedOption(stand, aircraft, real, timeOfWeek, gf_storedCallsign(callsign), key);
        if (!added.added) {
            return false;
        }
        updateOptionsWrapped(stand.options, std::move(halfHours), sequence, added.sequence);
        gf_addCallsignToOption(stand.options, sequence, callsign);
        gf_addCallsignToOption(stand.options, added.sequence, callsign);
        arrival.optionSequence = added.sequence;
    }
    arrival.timeOfWeek = timeOfWeek;
    return true;
}

bool updateOptions(std::vector<ParkOption>& options, std::vector<std::uint32_t> halfHours, std::uint32_t sequence) {
    try {
        ParkOption* option = lf_findOption(options, sequence);
        if (option == nullptr) {
            return false;
        }
        for (; !halfHours.empty(); halfHours.pop_back()) {
            option->timeSlots.set(halfHours.back());
        }
        return true;
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("{} exception:{}", "updateOptions", error.what()));
        return false;
    }
}

bool updateOptionsWrapped(std::vector<ParkOption>& options, std::vector<std::uint32_t> halfHours,
                          std::uint32_t earlierSequence, std::uint32_t laterSequence) {
    try {
        ParkOption* earlier = lf_findOption(options, earlierSequence);
        if (!halfHours.empty() && halfHours.back() != 0) {
            // The earlier day's half hours come first, up to its last one.
            for (bool lastSet = false; !halfHours.empty() && !lastSet; halfHours.pop_back()) {
                lastSet = halfHours.back() == kLastHalfHour;
                if (earlier != nullptr) {
                    earlier->timeSlots.set(halfHours.back());
                }
            }
        }
        ParkOption* later = lf_findOption(options, laterSequence);
        if (later == nullptr) {
            return false;
        }
        // The newest half hour is the later option's own already.
        for (; halfHours.size() >= 2; halfHours.pop_back()) {
            later->timeSlots.set(halfHours.back());
        }
        return true;
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("{} exception:{}", "updateOptionsWrapped", error.what()));
        return false;
    }
}

void gf_addCallsignToOption(std::vector<ParkOption>& options, std::uint32_t sequence, const std::string& callsign) {
    const std::string stored = gf_storedCallsign(callsign);
    ParkOption* option = lf_findOption(options, sequence);
    if (stored.empty() || option == nullptr) {
        return;
    }
    if (option->callsign.empty()) {
        option->callsign = stored;
    } else if (stored != option->callsign && stored != option->callsignSuffix) {
        option->callsignSuffix = stored;
    }
}

std::string gf_storedCallsign(const std::string& callsign) {
    return callsign.ends_with('_') ? callsign.substr(0, callsign.size() - 1) : callsign;
}

std::string gf_standOptionKey(const AcIdentity& aircraft) {
    const LiveAcStrings& strings = aircraft.strings;
    return strings.registration.empty() ? gf_storedCallsign(strings.callsign) : strings.registration;
}
