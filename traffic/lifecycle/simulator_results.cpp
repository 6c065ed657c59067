#include "traffic/lifecycle/simulator_results.h"

#include <algorithm>
#include <gsl/util>
#include <mutex>
#include <vector>

#include "core/format.h"
#include "core/log.h"
#include "simlink/sim_commands.h"
#include "simlink/sim_results.h"
#include "simlink/simlink_state.h"
#include "traffic/aircraft_commands.h"
#include "traffic/aircraft_records.h"
#include "traffic/lifecycle/aircraft_activation.h"
#include "traffic/lifecycle/livery_bookkeeping.h"
#include "traffic/removal.h"
#include "traffic/traffic_state.h"

namespace {

// The simulator's static CG height is believed from 1 to 35 ft; its static
// pitch from above -1 degree up to 2.5 degrees, else 0.7 degrees is taken.
constexpr double kLowestStaticCgFt = 1.0;
constexpr double kHighestStaticCgFt = 35.0;
constexpr double kLowestStaticPitchRad = -0.017453292519943295;
constexpr double kHighestStaticPitchRad = 0.04363323129985824;
constexpr double kFallbackStaticPitchRad = 0.012217304763960306;

template <class Record, class Match>
typename std::vector<Record>::iterator lf_find(std::vector<Record>& records, Match match) {
    return std::find_if(records.begin(), records.end(), match);
}

LiveAc* lf_findByObjectId(std::uint32_t objectId) {
    if (objectId == 0) {
        return nullptr;  // no live aircraft without object is meant
    }
    const auto found = lf_find(liveAircraft, [&](const LiveAc& aircraft) { return aircraft.objectId == objectId; });
    return found == liveAircraft.end() ? nullptr : &*found;
}

void lf_onLiveCreated(const SimResult& result) {
    LiveAc* found = gf_findLiveAircraft(result.value);
    if (found == nullptr) {
        return;
    }
    if (onAircraftCreated(*found, result)) {
        createdList.push_back({result.objectId, result.value, static_cast<std::int32_t>(result.reserved), result.kind});
        return;
    }
    // No object of ours to take: the aircraft goes, and so does whatever
    // the simulator made for it (never the user aircraft), else it would
    // stand frozen there for ever.
    found->eraseRemoved = true;
    if (result.objectId > userObjectId.load()) {
        removalQueue.push_back(result.objectId);
    }
}

void lf_onGroundData(const SimResult& result) {
    LiveAc* aircraft = lf_findByObjectId(result.objectId);
    if (aircraft == nullptr) {
        return;
    }
    if (result.value == 1 && !aircraft->onGround && aircraft->groundTicks < 2 &&
        aircraft->simState != SimState::RemovingFromSim && aircraft->groundPhase != GroundPhase::TakeOff) {
        if (aircraft->flareStage != 0 || aircraft->landing) {
            gf_startLandingRoll(*aircraft);
        }
        aircraft->onGround = true;
        aircraft->altStepFt = 0.0;
        aircraft->groundTicks = 1;
    }
    aircraft->heightAboveGroundFt = result.b;
    if (aircraft->onGround || aircraft->groundTicks >= 2) {
        aircraft->position.altitudeFt = aircraft->identity.staticCgHeightFt + result.a;
    }
}

void lf_onStaticCg(const SimResult& result) {
    LiveAc* aircraft = lf_findByObjectId(result.objectId);
    if (aircraft == nullptr) {
        return;
    }
    AcIdentity& identity = aircraft->identity;
    if (result.a >= kLowestStaticCgFt && result.a <= kHighestStaticCgFt) {
        identity.staticCgHeightFt = result.a;
    }
    identity.staticPitchRad = result.b <= kLowestStaticPitchRad || result.b > kHighestStaticPitchRad
                                  ? kFallbackStaticPitchRad
                                  : result.b;
}

// The record is dropped (the last one takes its place) before the refusal
// is counted, which may end the run.
template <class Record>
void lf_dropRefused(std::vector<Record>& records, std::uint32_t aircraftId) {
    const auto found =
        lf_find(records, [&](const Record& record) { return record.identity.aircraftId == aircraftId; });
    if (found == records.end()) {
        return;
    }
    const AcIdentity identity = found->identity;
    if (found != std::prev(records.end())) {
        *found = std::move(records.back());
    }
    records.pop_back();
    gf_onCreateFailed(identity);
}

void lf_apply(const SimResult& result) {
    switch (result.kind) {
        case SimResultKind::LiveCreated: lf_onLiveCreated(result); break;
        case SimResultKind::StaticCreated:
            createdList.push_back(
                {result.objectId, result.value, static_cast<std::int32_t>(result.reserved), result.kind});
            break;
        case SimResultKind::Removed: onObjectRemoved(result.objectId); break;
        case SimResultKind::GroundData: lf_onGroundData(result); break;
        case SimResultKind::StaticCg: lf_onStaticCg(result); break;
        case SimResultKind::CreateFailed:
            if (gf_isLiveAircraftId(result.value)) {
                lf_dropRefused(liveAircraft, result.value);
            } else {
                lf_dropRefused(parkedAircraft, result.value);
            }
            break;
        default: break;  // kind 5 and unknown kinds are not ours
    }
}

}  // namespace

void gf_processSimResults() {
    const std::lock_guard lock(simResultMutex);
    // Emptied however the step ends; the list keeps its room.
    const auto emptyResults = gsl::finally([] { simResults.clear(); });
    for (const SimResult& result : simResults) {
        lf_apply(result);
    }
    if (!createdList.empty()) {
        activateCreatedAircraft();
    }
}

void gf_startLandingRoll(LiveAc& aircraft) {
    PositionBlock& position = aircraft.position;
    const AcIdentity& identity = aircraft.identity;
    aircraft.pitchRecovery = true;
    aircraft.takeOffPending = true;
    aircraft.headingAtLastFlapsRad = position.headingRad;
    aircraft.landing = false;
    aircraft.wideStandSearch = true;
    gf_setSpoilers(aircraft, true);
    if (identity.category != AircraftCategory::Light) {
        gf_setSpoilersThrottles(aircraft.objectId, true, identity.reverseThrust);
    }
    const double rolloutTicks = identity.rolloutTicks;
    if (rolloutTicks <= 0.0) {
        gf_writeLog(fmtlib::format("{} ! onGround slots {:.1f}", identity.strings.callsign, rolloutTicks));
        aircraft.pitchStepRad = identity.staticPitchRad;
        aircraft.bankStepRad = 0.0;
    } else {
        aircraft.pitchStepRad = (identity.staticPitchRad - position.pitchRad) / rolloutTicks;
        aircraft.bankStepRad = -position.bankRad / rolloutTicks;
    }
    coupledCheckQueue.push_back(identity.aircraftId);
}
