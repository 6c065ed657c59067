#include "traffic/manager/tick_driver.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <optional>

#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/units.h"
#include "records/clock.h"
#include "simlink/sim_client.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/active_live_count.h"
#include "traffic/aircraft_by_position.h"
#include "traffic/aircraft_labels.h"
#include "traffic/aircraft_records.h"
#include "traffic/farthest_active.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/intake/report_intake.h"
#include "traffic/lifecycle/ghost_callsigns_index.h"
#include "traffic/lifecycle/simulator_results.h"
#include "traffic/lifecycle/static_aircraft.h"
#include "traffic/movement/position_update.h"
#include "traffic/stands/stands_by_position.h"
#include "traffic/stands/static_parking.h"
#include "traffic/traffic_state.h"

namespace sc = platform::simconnect;

namespace {

// The pace of the commands, in ticks: one removal per 0.1 s, one creation
// per 0.5 s, the aircraft in range every 0.2 s, the user aircraft's state
// once a second.
constexpr std::int32_t kRemovalPeriodTicks = 10;
constexpr std::int32_t kCreationPeriodTicks = 50;
constexpr std::int32_t kInRangePeriodTicks = 20;
constexpr std::int32_t kUserStatePeriodTicks = 100;
// The reports dropped at the full adding stack are logged once a minute.
constexpr std::int32_t kDropLogPeriodTicks = 6000;
// Above this frame rate a simulator frame is short enough for the tick to
// wait for the command-queue lock; below it the tick drops its positions.
constexpr float kWaitForLockAboveFps = 50.0F;

bool lf_isDue(std::int32_t periodTicks) { return tickCounter.load() % periodTicks == 0; }

// Moves every live aircraft one tick, erases the records flagged on the way
// (also those flagged while another aircraft was updated) and hands this
// tick's positions to the simulator link.
void updateAllLiveAc() {
    {
        const ActiveLiveCountKeeper activeCount;
        const FarthestActiveKeeper farthestActive;
        const GhostCallsignsKeeper ghostMarks;
        const StandsByPositionKeeper standCells;
        const AircraftByPositionKeeper aircraftCells;
        for (LiveAc& aircraft : liveAircraft) {
            updateLiveAc(aircraft);
        }
    }
    std::erase_if(liveAircraft, [](const LiveAc& aircraft) { return aircraft.eraseBuffered || aircraft.eraseRemoved; });

    std::unique_lock lock(simQueueMutex, std::try_to_lock);
    if (!lock.owns_lock()) {
        if (simFrameRate.load() <= kWaitForLockAboveFps) {
            positionBuffers.back().clear();
            return;
        }
        lock.lock();
    }
    positionBuffers.swapUnlocked();
}

// Removals leave one per 10 ticks; creations one per 50 ticks, live before
// static, and a new static aircraft is prepared only on a 50th tick without
// a waiting live request.
void paceSimQueues() {
    if (!lf_isDue(kRemovalPeriodTicks)) {
        return;
    }
    if (!removalQueue.empty()) {
        {
            const std::lock_guard lock(simQueueMutex);
            simRemoveQueue.push_back(removalQueue.front());
        }
        removalQueue.pop_front();
    }
    if (!lf_isDue(kCreationPeriodTicks)) {
        return;
    }
    if (!liveCreateQueue.empty()) {
        gf_queueCreate(liveCreateQueue.front());
        liveCreateQueue.pop_front();
        return;
    }
    if (!staticCreateQueue.empty()) {
        gf_queueCreate(staticCreateQueue.front());
        staticCreateQueue.pop_front();
    }
    if (!parkCandidates.empty()) {
        createNextStaticAc();
    }
}

// Judges at most two reports from the front of the adding stack, whatever
// their playback tick, so that a burst of datagrams never stretches one
// tick. Each report leaves the stack whatever becomes of it: one that cannot
// be taken in is logged and dropped, and the tick goes on. Once a minute the
// reports the full stack dropped are counted in one line.
void lf_takeReports() {
    const std::lock_guard lock(feedMutex);
    for (std::size_t taken = 0; taken < kReportsTakenPerTick; ++taken) {
        std::optional<LiveAcUpdate> report = addingStack.takeFront();
        if (!report) {
            break;
        }
        try {
            acceptReport(*report);
        } catch (const std::exception& error) {
            gf_writeLog(fmtlib::format("{} exception: {}, hexid:{}", "acceptReport", error.what(), report->aircraftId));
        }
    }
    if (lf_isDue(kDropLogPeriodTicks)) {
        if (const std::uint64_t dropped = addingStack.takeDroppedCount(); dropped != 0) {
            gf_writeLog(fmtlib::format("{} reports dropped in the last minute, the adding stack was full", dropped));
        }
    }
}

// The create request of the most recently spawned aircraft.
void lf_buildCreateRequest() {
    if (creationList.empty()) {
        return;
    }
    const std::uint32_t aircraftId = creationList.back();
    creationList.pop_back();
    const LiveAc* found = gf_findLiveAircraft(aircraftId);
    if (found == nullptr) {
        return;  // erased in this tick
    }
    const AcIdentity& identity = found->identity;
    if (identity.strings.callsign.empty()) {
        gf_writeLog(fmtlib::format("{} {} objectid = 0?", "lf_handleAddingStack", gf_describeAc(identity)));
        return;
    }
    const PositionBlock& position = found->position;
    CreateRequest request;
    request.initPos = {position.latitudeDeg,
                       position.longitudeDeg,
                       position.altitudeFt,
                       position.pitchRad * kDegreesPerRadian,
                       position.bankRad * kDegreesPerRadian,
                       position.headingRad * kDegreesPerRadian,
                       0,
                       0};
    request.tailNumber = identity.strings.callsign;
    request.liveryTitle = identity.liveryTitle;
    request.aircraftId = aircraftId;
    liveCreateQueue.push_back(std::move(request));
}

void requestAircraftInRange() {
    if (lf_isDue(kInRangePeriodTicks)) {
        const std::lock_guard lock(simQueueMutex);
        if (!simRequestError && hSimConnect != nullptr &&
            sc::SimConnect_RequestDataOnSimObjectType(hSimConnect, gf_simId(SimRequestId::AircraftInRange),
                                                      gf_simId(SimDefinitionId::AircraftInRange),
                                                      trafficRadiusMeters.load(), sc::SimObjectType::Aircraft) < 0) {
            gf_writeLog("SimConnect request ac within range fails");
            gf_reportSimConnectError();
        }
    }
    if (lf_isDue(kUserStatePeriodTicks)) {
        if (userStateSender != nullptr) {
            userStateSender();
        }
        runUserAcData = gf_requestUserAircraftData();
    }
}

}  // namespace

void lf_handleAddingStack() {
    gf_processSimResults();
    updateAllLiveAc();
    paceSimQueues();
    lf_takeReports();
    lf_buildCreateRequest();
    requestAircraftInRange();
    tickCounter.fetch_add(1);
}
