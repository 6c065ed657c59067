#include "traffic/stands/stand_search.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "core/random.h"
#include "core/rounding.h"
#include "core/settings.h"
#include "liveries/aircraft_database.h"
#include "records/week_slot.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/stand_lookup.h"
#include "traffic/stands/learned_updates.h"
#include "traffic/stands/stand_fit.h"
#include "traffic/stands/stands_by_position.h"
#include "traffic/stream_geometry.h"
#include "traffic/traffic_state.h"

namespace {

// All in nautical miles (1852 m each).
constexpr double kStandAtPositionNm = 0.029697624190064796;  // 55 m
constexpr double kTooSmallStandNm = 0.010799136069114472;    // 20 m: a too small stand is still taken
constexpr double kOptionFallbackNm = 0.0458963282937365;     // 85 m
constexpr double kLearnedRadiusMarginNm = 0.0005399568034557236;  // 1 m
constexpr double kFartherThanAnyNm = 900.0;
// Two aircraft on neighbouring stands touch when their stands lie closer
// than their half spans together plus 10 percent.
constexpr double kSpanMargin = 1.1;

// The stand choice: a pass takes no stand scoring worse than this.
constexpr std::int32_t kFirstScoreBound = 100;
constexpr std::size_t kCandidateRoom = 256;
// An airport of this many stands or fewer may offer the next half hour.
constexpr std::size_t kNextSlotMostStands = 10;
// Outside the US an airliner looks at the gates first 90 times in 100.
constexpr unsigned kGatesFirstPercent = 90;
constexpr const char* kPrivateAirline = "PVT";

// The answer kept for the last position asked.
struct PositionAnswer {
    GeoPosition position;
    bool valid = false;
    std::string standName;
};
PositionAnswer lastPositionAnswer;

// The places of the stands near the point of a search; the storage is kept
// from search to search.
std::vector<std::size_t> nearStandPlaces;

bool lf_hasMatchingOption(const ParkPosition& stand, const AcIdentity& aircraft) {
    return !aircraft.strings.callsign.empty() &&
           std::any_of(stand.options.begin(), stand.options.end(),
                       [&](const ParkOption& option) { return gf_optionMatchesAircraft(option, aircraft); });
}

// One candidate of the stand choice; a smaller score fits better.
struct StandCandidate {
    std::string name;
    std::int32_t score = 0;
    std::int32_t matches = 0;  // 1: an option of the stand names the aircraft
};

// A pass of the stand choice offers the stands of one kind to one of two
// size tests: sized (the stand is big enough; the score counts size steps
// of spare room) or any size (the score is the size difference in whole
// nautical miles, so that every stand of the kind scores alike).
enum class SizeTest { sized, anySize };
using StandKind = bool (*)(const ParkPosition&);
struct CandidatePass {
    StandKind kind;
    SizeTest sizeTest;
};

bool lf_isHeliStand(const ParkPosition& stand) { return stand.heli; }
bool lf_isRampStand(const ParkPosition& stand) { return stand.ramp; }
bool lf_isCargoStand(const ParkPosition& stand) { return stand.cargo && !stand.heli; }
bool lf_isFixedWingStand(const ParkPosition& stand) { return !stand.heli; }
bool lf_isGeneralRampStand(const ParkPosition& stand) { return stand.ramp && !stand.cargo && !stand.heli; }
bool lf_isGate(const ParkPosition& stand) { return !stand.cargo && !stand.heli && !stand.ramp; }

std::optional<std::int32_t> lf_score(const ParkPosition& stand, double halfSpanNm, SizeTest sizeTest) {
    if (sizeTest == SizeTest::anySize) {
        return gf_roundToInt(std::fabs(halfSpanNm - stand.radiusNm));
    }
    if (!gf_standBigEnough(stand, halfSpanNm)) {
        return std::nullopt;
    }
    return gf_roundToInt((stand.radiusNm - halfSpanNm) / gf_standSizeStepNm(halfSpanNm));
}

// Appends the stands of the pass that score no worse than the best so far
// and have no traffic of their own at the time of week.
void lf_runPass(std::vector<StandCandidate>& candidates, const CandidatePass& pass, const AcIdentity& aircraft,
                std::uint64_t timeOfWeek) {
    std::int32_t bound = kFirstScoreBound;
    for (const ParkPosition& stand : parkPositions) {
        if (!pass.kind(stand)) {
            continue;
        }
        const std::optional<std::int32_t> score = lf_score(stand, aircraft.halfSpanNm, pass.sizeTest);
        if (!score || *score > bound) {
            continue;
        }
        if (std::any_of(stand.options.begin(), stand.options.end(), [&](const ParkOption& option) {
                return gf_optionCoversSlot(option, gf_weekdayOf(timeOfWeek), gf_halfHourOf(timeOfWeek));
            })) {
            continue;  // kept free for its traffic
        }
        bound = *score;
        candidates.push_back({stand.name, *score, lf_hasMatchingOption(stand, aircraft) ? 1 : 0});
    }
}

bool lf_gatesFirst() {
    return parkAirport.load().code.starts_with('K') || randomEngine() % 100 < kGatesFirstPercent;
}

// The passes in their order, by the kind of aircraft.
std::vector<CandidatePass> lf_passesFor(const AcIdentity& aircraft) {
    using enum SizeTest;
    if (aircraft.category == AircraftCategory::Rotorcraft) {
        return {{lf_isHeliStand, sized}, {lf_isRampStand, sized}, {lf_isHeliStand, anySize}, {lf_isRampStand, anySize}};
    }
    if (aircraft.cargo) {
        return {{lf_isCargoStand, sized},
                {lf_isCargoStand, anySize},
                {lf_isFixedWingStand, sized},
                {lf_isFixedWingStand, anySize}};
    }
    if (aircraft.category == AircraftCategory::Light || aircraft.category == AircraftCategory::Buzjets ||
        aircraft.strings.airline == kPrivateAirline) {
        return {{lf_isGeneralRampStand, sized}, {lf_isGeneralRampStand, anySize}};
    }
    const StandKind first = lf_gatesFirst() ? lf_isGate : lf_isGeneralRampStand;
    const StandKind second = first == lf_isGate ? lf_isGeneralRampStand : lf_isGate;
    return {{first, sized}, {first, anySize}, {second, sized}, {second, anySize}};
}

}  // namespace

std::vector<ParkPosition>::iterator gf_findStandByName(const std::string& name) {
    return std::find_if(parkPositions.begin(), parkPositions.end(),
                        [&](const ParkPosition& stand) { return stand.name == name; });
}

std::string gf_findStandAtPosition(const GeoPosition& position) {
    if (parkPositions.empty() || !userOnGround) {
        return {};
    }
    if (lastPositionAnswer.valid && std::fabs(lastPositionAnswer.position.latDeg - position.latDeg) < kSamePositionDeg &&
        std::fabs(lastPositionAnswer.position.lonDeg - position.lonDeg) < kSamePositionDeg) {
        return lastPositionAnswer.standName;
    }
    const ParkPosition* nearest = nullptr;
    double nearestNm = kFartherThanAnyNm;
    for (const ParkPosition& stand : parkPositions) {
        const double distanceNm = gf_greatCircleDistanceNm(position, gf_standPosition(stand));
        if (distanceNm <= kStandAtPositionNm && distanceNm < nearestNm) {
            nearest = &stand;
            nearestNm = distanceNm;
        }
    }
    lastPositionAnswer = {position, true, nearest == nullptr ? std::string{} : nearest->name};
    return lastPositionAnswer.standName;
}

void gf_forgetStandAtPosition() { lastPositionAnswer = {}; }

std::vector<ParkPosition>::iterator gf_findStandNearPoint(const GeoPosition& point, const LiveAc& aircraft,
                                                          double radiusNm, bool allowOptionFallback) {
    const AcIdentity& identity = aircraft.identity;
    auto best = parkPositions.end();
    auto fallback = parkPositions.end();
    auto tooSmall = parkPositions.end();
    double bestNm = kFartherThanAnyNm;
    double fallbackNm = kFartherThanAnyNm;
    bool fallbackAllowed = allowOptionFallback;
    const auto consider = [&](std::vector<ParkPosition>::iterator stand) {
        const double distanceNm = gf_greatCircleDistanceNm(point, gf_standPosition(*stand));
        const bool bigEnough = gf_standBigEnough(*stand, identity.halfSpanNm);
        if (distanceNm <= radiusNm && distanceNm < bestNm) {
            if (bigEnough || distanceNm <= kTooSmallStandNm) {
                best = stand;
                bestNm = distanceNm;
                tooSmall = bigEnough ? tooSmall : stand;
            }
            fallbackAllowed = false;
        } else if (fallbackAllowed && distanceNm <= kOptionFallbackNm && distanceNm < fallbackNm && bigEnough &&
                   lf_hasMatchingOption(*stand, identity)) {
            fallback = stand;
            fallbackNm = distanceNm;
        }
    };
    // A stand beyond both the radius and the fallback's reach changes
    // nothing, so the stands near the point, in their order, give the same
    // answer as all of them.
    if (gf_standPlacesNear(point, std::max(radiusNm, kOptionFallbackNm), nearStandPlaces)) {
        for (const std::size_t place : nearStandPlaces) {
            consider(parkPositions.begin() + static_cast<std::ptrdiff_t>(place));
        }
    } else {
        for (auto stand = parkPositions.begin(); stand != parkPositions.end(); ++stand) {
            consider(stand);
        }
    }
    const auto found = best != parkPositions.end() ? best : fallback;
    if (found == parkPositions.end() || found->heli != (identity.category == AircraftCategory::Rotorcraft)) {
        return parkPositions.end();
    }
    if (found == tooSmall) {
        found->radiusNm = identity.halfSpanNm - kLearnedRadiusMarginNm;
        found->radiusChanged = true;
        gf_countLearnedUpdate();
    }
    return found;
}

std::vector<ParkPosition>::iterator gf_chooseStandForAircraft(std::uint64_t timeOfWeek, const AcIdentity& aircraft,
                                                              bool allowNextSlot) {
    std::vector<StandCandidate> candidates;
    candidates.reserve(kCandidateRoom);
    for (const CandidatePass& pass : lf_passesFor(aircraft)) {
        if (!candidates.empty()) {
            break;
        }
        lf_runPass(candidates, pass, aircraft, timeOfWeek);
    }
    if (candidates.empty()) {
        if (allowNextSlot && parkPositions.size() <= kNextSlotMostStands) {
            return gf_chooseStandForAircraft(gf_nextWeekSlot(timeOfWeek), aircraft, false);
        }
        return parkPositions.end();
    }
    if (RANDOM.value) {
        std::shuffle(candidates.begin(), candidates.end(), randomEngine);
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const StandCandidate& a, const StandCandidate& b) {
        return a.matches != b.matches ? a.matches > b.matches : a.score < b.score;
    });
    return gf_findStandByName(candidates.front().name);
}

std::vector<std::uint32_t>::const_iterator gf_findCollidingNeighbour(const std::vector<std::uint32_t>& neighbourIds,
                                                                     const ParkPosition& target,
                                                                     const LiveAc& aircraft) {
    return std::find_if(neighbourIds.begin(), neighbourIds.end(), [&](std::uint32_t neighbourId) {
        const auto holder = std::find_if(liveAircraft.begin(), liveAircraft.end(),
                                         [&](const LiveAc& live) { return live.standId == neighbourId; });
        return holder != liveAircraft.end() && holder->simState == SimState::Active &&
               (holder->groundPhase == GroundPhase::Parked || holder->groundPhase == GroundPhase::PushingBack) &&
               holder->identity.strings.callsign != aircraft.identity.strings.callsign &&
               gf_neighbourWouldTouch(*holder, neighbourId, target, aircraft.identity.strings.type);
    });
}

bool gf_neighbourWouldTouch(const LiveAc& holder, std::uint32_t neighbourId, const ParkPosition& target,
                            const std::string& parkingType) {
    const ParkPosition* neighbour = gf_findStandById(neighbourId);
    if (neighbour == nullptr || (neighbour->latDeg == 0.0 && neighbour->lonDeg == 0.0)) {
        return false;
    }
    return kSpanMargin * (gf_getHalfWingspanNm(holder.identity.strings.type) + gf_getHalfWingspanNm(parkingType)) >=
           gf_greatCircleDistanceNm(gf_standPosition(*neighbour), gf_standPosition(target));
}

bool gf_isUserStand(const ParkPosition& stand) {
    if (!reservedStandText.empty() && stand.name == reservedStandText) {
        return true;
    }
    const std::string userStand = gf_findStandAtPosition(gf_userPosition(runUserAcData));
    return !userStand.empty() && stand.name == userStand;
}

bool gf_optionMatchesAircraft(const ParkOption& option, const AcIdentity& aircraft) {
    const LiveAcStrings& strings = aircraft.strings;
    return gf_optionCounts(option) && option.real &&
           (option.callsign == strings.callsign || option.callsignSuffix == strings.callsign ||
            (option.airline == strings.airline && option.type == strings.type));
}

bool gf_optionCoversSlot(const ParkOption& option, std::uint32_t weekday, std::uint32_t halfHour) {
    return gf_optionCounts(option) && option.day == static_cast<std::int32_t>(weekday) && option.timeSlots.test(halfHour);
}
