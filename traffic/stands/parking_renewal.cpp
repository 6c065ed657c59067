#include "traffic/stands/parking_renewal.h"

#include <algorithm>

#include "airports/park_stands.h"
#include "core/format.h"
#include "core/great_circle.h"
#include "core/strings.h"
#include "liveries/aircraft_database.h"
#include "records/week_slot.h"
#include "simlink/parking_controls.h"
#include "traffic/removal.h"
#include "traffic/stand_lookup.h"
#include "traffic/stands/live_parking.h"
#include "traffic/stands/static_parking.h"
#include "traffic/stands/static_stand_search.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/window_updates.h"

namespace {

constexpr auto kLastHalfHour = static_cast<std::int32_t>(kHalfHoursPerDay) - 1;

std::vector<ParkCandidate>::iterator lf_candidateAt(std::uint32_t standId) {
    return std::find_if(parkCandidates.begin(), parkCandidates.end(),
                        [standId](const ParkCandidate& candidate) { return candidate.standId == standId; });
}

void lf_keep(const ParkedAc& aircraft) {
    const LiveAcStrings& strings = aircraft.identity.strings;
    keptParked.push_back({std::string(aircraft.identity.liveryTitle), strings.airline, strings.type, strings.callsign,
                          strings.registration, aircraft.arrivalSlot, aircraft.standId});
}

void lf_remove(const ParkedAc& aircraft) {
    staticRemovals.push_back({std::string(aircraft.identity.liveryTitle), aircraft.standId});
}

// The candidate is this very aircraft: the same airline, and its static
// callsign is the candidate's callsign (or suffix) with the star.
bool lf_isSameAircraft(const ParkedAc& aircraft, const ParkCandidate& candidate) {
    const LiveAcStrings& strings = aircraft.identity.strings;
    return candidate.airline == strings.airline && (gf_equalsWithStar(candidate.callsign, strings.callsign) ||
                                                    gf_equalsWithStar(candidate.callsignSuffix, strings.callsign));
}

// A candidate on a neighbour stand whose aircraft would touch this one.
std::vector<ParkCandidate>::iterator lf_touchingNeighbourCandidate(const ParkedAc& aircraft,
                                                                   const ParkPosition& stand) {
    for (const std::uint32_t neighbourId : stand.neighbourIds) {
        const auto candidate = lf_candidateAt(neighbourId);
        const ParkPosition* neighbour = gf_findStandById(neighbourId);
        if (candidate == parkCandidates.end() || neighbour == nullptr) {
            continue;
        }
        const double distanceNm = gf_greatCircleDistanceNm({aircraft.standLatDeg, aircraft.standLonDeg},
                                                           {neighbour->latDeg, neighbour->lonDeg});
        if (gf_getHalfWingspanNm(candidate->type) + gf_getHalfWingspanNm(aircraft.identity.strings.type) >
            distanceNm) {
            return candidate;
        }
    }
    return parkCandidates.end();
}

// One of the stand's options is the aircraft's and was seen within the
// widest fit of the last search, counted back from now.
bool lf_stillFits(const ParkedAc& aircraft, const ParkPosition& stand, std::uint64_t timeOfWeek) {
    const std::int32_t maxFit = std::min(std::max(realFit, softFit), kLastHalfHour);
    const std::uint32_t weekday = gf_weekdayOf(timeOfWeek);
    const auto halfHour = static_cast<std::int32_t>(gf_halfHourOf(timeOfWeek));
    // The window reaches into the day before: from its last half hour back.
    const std::uint32_t dayBefore = gf_weekdayOf(gf_weekSlotBack(timeOfWeek, gf_halfHourOf(timeOfWeek) + 1));
    return std::any_of(stand.options.begin(), stand.options.end(), [&](const ParkOption& option) {
        return gf_candidateFitsSlots(option, aircraft.identity, weekday, halfHour, maxFit) ||
               (halfHour - maxFit < 0 &&
                gf_candidateFitsSlotsWrapped(option, aircraft.identity, dayBefore, maxFit - halfHour - 1));
    });
}

void lf_removeStatic(const StaticRemoval& removal) {
    const auto aircraft = std::find_if(parkedAircraft.begin(), parkedAircraft.end(), [&](const ParkedAc& parked) {
        return parked.standId == removal.standId;
    });
    if (aircraft != parkedAircraft.end() &&
        (aircraft->simState == SimState::Active || aircraft->simState == SimState::RemovingFromSim)) {
        removeAircraftFromSim(*aircraft);
    }
}

void lf_removeLiveAt(std::uint32_t standId) {
    for (LiveAc& aircraft : liveAircraft) {
        if (aircraft.standId == standId) {
            removeAircraftFromSim(aircraft);
            return;
        }
    }
}

// Live parked aircraft hold their stands; the stands of the static ones
// stay open to the search, and the review settles who stays.
void lf_markLiveParkedStands() {
    for (const LiveParkedEntry& entry : liveParkedList) {
        if (ParkPosition* stand = gf_findStandById(entry.standId)) {
            gf_takeStand(*stand);
        }
    }
}

void lf_collectLiveParkedWithin(std::int64_t wanted) {
    gf_collectLiveParked();
    const std::int64_t excess = static_cast<std::int64_t>(liveParkedList.size()) - wanted;
    if (wanted >= 1 && excess >= 1) {
        gf_showMessage(fmtlib::format("Parking adjustments: {} more live ac than wanted", excess), true);
        gf_removeLiveParked(static_cast<std::size_t>(excess));
        gf_collectLiveParked();
    }
}

}  // namespace

void keepOrRemoveParked(const ParkedAc& aircraft, std::vector<ParkCandidate>::iterator candidate,
                        std::uint64_t timeOfWeek) {
    // When the candidate's option was seen, against the aircraft's arrival,
    // both counted back from now within the week's cycle: the candidate
    // wins when it was seen more recently than the aircraft arrived (a
    // Sunday arrival lies before a Monday sighting).
    const std::int64_t seenAgo = candidate->fit;
    if (seenAgo < gf_halfHoursBetween(aircraft.arrivalSlot, timeOfWeek)) {
        lf_remove(aircraft);
        return;
    }
    lf_keep(aircraft);
    parkCandidates.erase(candidate);
}

void reviewParkedAircraft(std::uint64_t timeOfWeek) {
    for (const ParkedAc& aircraft : parkedAircraft) {
        if (aircraft.simState != SimState::Active) {
            continue;
        }
        if (const auto candidate = lf_candidateAt(aircraft.standId); candidate != parkCandidates.end()) {
            if (lf_isSameAircraft(aircraft, *candidate)) {
                lf_keep(aircraft);
                parkCandidates.erase(candidate);
            } else {
                keepOrRemoveParked(aircraft, candidate, timeOfWeek);
            }
            continue;
        }
        const ParkPosition* stand = gf_findStandById(aircraft.standId);
        if (stand == nullptr) {
            lf_remove(aircraft);
            continue;
        }
        if (const auto candidate = lf_touchingNeighbourCandidate(aircraft, *stand); candidate != parkCandidates.end()) {
            keepOrRemoveParked(aircraft, candidate, timeOfWeek);
        } else if (lf_stillFits(aircraft, *stand, timeOfWeek)) {
            lf_keep(aircraft);
        } else {
            lf_remove(aircraft);
        }
    }
}

void trimParkingSelection(std::int64_t wanted) {
    std::int64_t excess = static_cast<std::int64_t>(parkCandidates.size() + keptParked.size() + liveParkedList.size()) -
                          wanted;
    for (; excess >= 1; --excess) {
        if (!parkCandidates.empty()) {
            parkCandidates.pop_back();
        } else if (!keptParked.empty()) {
            staticRemovals.push_back({keptParked.back().liveryTitle, keptParked.back().standId});
            keptParked.pop_back();
        } else if (!liveParkedList.empty()) {
            lf_removeLiveAt(liveParkedList.back().standId);
            liveParkedList.pop_back();
        } else {
            return;
        }
    }
}

void gf_applyParkingAdjustments() {
    const std::uint64_t timeOfWeek = logTimeOfWeek();
    gf_lockParkingControls();
    MainWindow::softStandsUsed = false;
    gf_repaint(WindowRegion::Statistics);
    staticRemovals.clear();
    keptParked.clear();
    liveParkedList.clear();
    parkCandidates.clear();
    gf_clearStandStates();
    markReservedStands();
    const std::int64_t wanted = updateWantedParkedCount();
    lf_collectLiveParkedWithin(wanted);
    lf_markLiveParkedStands();
    const auto kept = static_cast<std::int64_t>(liveParkedList.size());
    if (wanted - static_cast<std::int64_t>(parkCandidates.size()) != kept) {
        fitParkedAircraft(timeOfWeek, wanted, kept);
    }
    reviewParkedAircraft(timeOfWeek);
    trimParkingSelection(wanted);
    gf_sortCandidatesBestLast();
    gf_showMessage(fmtlib::format("Parking adjustments: {} to be removed, {} to be added", staticRemovals.size(),
                                  parkCandidates.size()),
                   true);
    for (const StaticRemoval& removal : staticRemovals) {
        lf_removeStatic(removal);
    }
    staticRemovals.clear();
    if (!parkCandidates.empty()) {
        gf_lockParkingControls();
    }
}
