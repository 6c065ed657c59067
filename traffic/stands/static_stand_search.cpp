#include "traffic/stands/static_stand_search.h"

#include <algorithm>
#include <exception>
#include <gsl/gsl>
#include <string>

#include "airports/airports_state.h"
#include "core/format.h"
#include "core/log.h"
#include "core/random.h"
#include "core/settings.h"
#include "liveries/aircraft_database.h"
#include "records/week_slot.h"
#include "traffic/stand_lookup.h"
#include "traffic/stands/live_parking.h"
#include "traffic/stands/stand_search.h"
#include "traffic/stands/stands_internal.h"
#include "traffic/traffic_state.h"

namespace {

constexpr std::uint32_t kRealOptions = 1;
constexpr std::uint32_t kSoftOptions = 0;
constexpr std::size_t kOptionRoom = 256;
constexpr std::int32_t kLastHalfHour = 47;

bool lf_isWantedKind(const ParkOption& option, std::uint32_t kind) {
    switch (kind) {
        case kRealOptions: return option.real;
        case kSoftOptions: return !option.real;
        default: return true;
    }
}

bool lf_contains(const std::vector<std::uint32_t>& ids, std::uint32_t id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// An active static aircraft on a neighbour stand would touch an aircraft of
// the type on this stand.
bool lf_neighbourWouldTouch(const ParkPosition& stand, const std::string& type) {
    const double halfSpanNm = gf_getHalfWingspanNm(type);
    return std::any_of(parkedAircraft.begin(), parkedAircraft.end(), [&](const ParkedAc& parked) {
        return parked.simState == SimState::Active && lf_contains(stand.neighbourIds, parked.standId) &&
               parked.identity.halfSpanNm + halfSpanNm >
                   gf_greatCircleDistanceNm({parked.standLatDeg, parked.standLonDeg}, gf_standPosition(stand));
    });
}

// Empty texts never name anything.
bool lf_sameText(const std::string& text, const std::string& other) { return !text.empty() && text == other; }
bool lf_namesCallsign(const ParkOption& option, const std::string& callsign) {
    return lf_sameText(callsign, option.callsign) || lf_sameText(callsign, option.callsignSuffix);
}

bool lf_hasCandidateFor(const std::vector<ParkCandidate>& candidates, const ParkOption& option) {
    return std::any_of(candidates.begin(), candidates.end(), [&](const ParkCandidate& candidate) {
        return lf_sameText(candidate.registration, option.registration) || lf_namesCallsign(option, candidate.callsign);
    });
}

// The aircraft of the option is there already: a static one, a candidate
// (of this search too, so that one aircraft is never offered two stands) or
// a live parked one.
bool lf_isPresent(const ParkOption& option, const std::vector<ParkCandidate>& candidates) {
    return lf_hasCandidateFor(parkCandidates, option) || lf_hasCandidateFor(candidates, option) ||
           std::any_of(parkedAircraft.begin(), parkedAircraft.end(),
                       [&](const ParkedAc& parked) {
                           const LiveAcStrings& strings = parked.identity.strings;
                           return lf_namesCallsign(option, strings.firstCallsign) ||
                                  lf_sameText(strings.registration, option.registration);
                       }) ||
           std::any_of(liveParkedList.begin(), liveParkedList.end(),
                       [&](const LiveParkedEntry& entry) { return lf_namesCallsign(option, entry.callsign); });
}

ParkOption& lf_optionNumbered(ParkPosition& stand, std::uint32_t sequence) {
    return *std::find_if(stand.options.begin(), stand.options.end(),
                         [&](const ParkOption& option) { return option.sequence == sequence; });
}

// The option of a static aircraft that stands here comes first, so that it
// may stay; without one the options are shuffled.
void lf_orderOptions(ParkPosition& stand, std::vector<std::uint32_t>& sequences) {
    for (const ParkedAc& parked : parkedAircraft) {
        if (parked.standId != stand.standId) {
            continue;
        }
        const LiveAcStrings& strings = parked.identity.strings;
        const auto own = std::find_if(sequences.begin(), sequences.end(), [&](std::uint32_t sequence) {
            const ParkOption& option = lf_optionNumbered(stand, sequence);
            return ((!option.callsign.empty() && strings.callsign == option.callsign + "*") ||
                    (!option.callsignSuffix.empty() && strings.callsign == option.callsignSuffix + "*")) &&
                   strings.airline == option.airline && strings.type == option.type;
        });
        if (own != sequences.end()) {
            std::rotate(sequences.begin(), own, own + 1);
            return;
        }
    }
    std::shuffle(sequences.begin(), sequences.end(), randomEngine);
}

// The aircraft of the option still stands there in the half hour after
// now: by the option's hours, or after midnight by an option of the next
// weekday for the same airline and type from half hour 0.
bool lf_continues(const ParkPosition& stand, const ParkOption& option, std::uint64_t timeOfWeek) {
    if (option.callsignSuffix.empty()) {
        return true;
    }
    const std::uint64_t next = gf_nextWeekSlot(timeOfWeek);
    if (gf_weekdayOf(next) == gf_weekdayOf(timeOfWeek)) {
        return option.timeSlots.test(gf_halfHourOf(next));
    }
    return std::any_of(stand.options.begin(), stand.options.end(), [&](const ParkOption& other) {
        return gf_optionCoversSlot(other, gf_weekdayOf(next), 0) && other.airline == option.airline &&
               other.type == option.type;
    });
}

void lf_searchStand(ParkPosition& stand, std::uint64_t timeOfWeek, std::uint64_t searched, std::uint32_t kind,
                    std::int32_t fit, std::vector<ParkCandidate>& candidates) {
    if (stand.neighbourTaken || (stand.heli && !HELICOPTERS.value)) {
        return;
    }
    std::vector<std::uint32_t> sequences;
    sequences.reserve(kOptionRoom);
    for (const ParkOption& option : stand.options) {
        if (gf_optionCounts(option) && lf_isWantedKind(option, kind) &&
            (WEEK.value || option.day == static_cast<std::int32_t>(gf_weekdayOf(searched))) &&
            option.timeSlots.test(gf_halfHourOf(searched)) && !lf_neighbourWouldTouch(stand, option.type)) {
            sequences.push_back(option.sequence);
        }
    }
    if (sequences.empty()) {
        return;
    }
    if (sequences.size() >= 2 && RANDOM.value) {
        lf_orderOptions(stand, sequences);
    }
    ParkOption& option = lf_optionNumbered(stand, sequences.front());
    if (lf_isPresent(option, candidates)) {
        option.aircraftPresent = true;
        return;
    }
    candidates.push_back({stand.standId, fit, option.airline, option.type, option.callsign, option.callsignSuffix,
                          option.registration, lf_continues(stand, option, timeOfWeek)});
    gf_takeStand(stand);
}

bool lf_fitsHalfHoursBack(const ParkOption& option, std::int32_t halfHour, std::int32_t window) {
    for (std::int32_t slot = halfHour; slot >= std::max(halfHour - window, 0); --slot) {
        if (option.timeSlots.test(static_cast<std::size_t>(slot))) {
            return true;
        }
    }
    return false;
}

bool lf_isAircraftsOption(const ParkOption& option, const AcIdentity& aircraft, std::uint32_t weekday) {
    const LiveAcStrings& strings = aircraft.strings;
    return option.day == static_cast<std::int32_t>(weekday) && option.registration == strings.registration &&
           option.airline == strings.airline && option.type == strings.type;
}

}  // namespace

void lf_searchStands(std::uint64_t timeOfWeek, std::uint32_t kind, std::uint32_t fit,
                     std::vector<ParkCandidate>& candidates) {
    try {
        const std::uint64_t searched = gf_weekSlotBack(timeOfWeek, fit);
        const auto candidateFit = gsl::narrow<std::int32_t>(fit);
        for (ParkPosition& stand : parkPositions) {
            if (!stand.reserved && !stand.taken) {
                lf_searchStand(stand, timeOfWeek, searched, kind, candidateFit, candidates);
            }
        }
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("{}: day: {}, offset {}: {}", "lf_searchStands",
                                   fmtlib::format("[{},{}]", gf_weekdayOf(timeOfWeek), gf_halfHourOf(timeOfWeek)), fit,
                                   error.what()));
    }
}

bool gf_candidateFitsSlots(const ParkOption& option, const AcIdentity& aircraft, std::uint32_t weekday,
                           std::int32_t halfHour, std::int32_t window, std::int32_t* identityMatched) {
    if (!lf_isAircraftsOption(option, aircraft, weekday)) {
        return false;
    }
    if (identityMatched != nullptr) {
        *identityMatched = -1;
    }
    return lf_fitsHalfHoursBack(option, halfHour, window);
}

bool gf_candidateFitsSlotsWrapped(const ParkOption& option, const AcIdentity& aircraft, std::uint32_t weekday,
                                  std::int32_t window, std::int32_t* identityMatched) {
    return gf_candidateFitsSlots(option, aircraft, weekday, kLastHalfHour, window, identityMatched);
}

void gf_takeStand(ParkPosition& stand) {
    stand.taken = true;
    for (const std::uint32_t neighbourId : stand.neighbourIds) {
        if (ParkPosition* neighbour = gf_findStandById(neighbourId)) {
            neighbour->neighbourTaken = true;
        }
    }
}
