#include "simlink/user_aircraft.h"

#include <chrono>
#include <mutex>
#include <string>

#include "core/core_state.h"
#include "core/great_circle.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "simlink/sim_client.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/sim_results.h"
#include "simlink/user_aircraft_model.h"
#include "ui/status/main_window.h"
#include "ui/status/window_updates.h"

namespace sc = platform::simconnect;

UserStandHooks userStandHooks;

namespace {

// A jump of the user aircraft farther than this between two replies is a
// new flight.
constexpr double kTeleportDistanceNm = 10.0;
// The user aircraft stands still at this ground speed or below.
constexpr double kStandingStillKt = 2.0;
constexpr std::int64_t kSecondsPerDay = 86400;
// Bytes of the ATC MODEL field of definition 408 (STRING32).
constexpr std::size_t kAtcModelFieldSize = 32;

// Link thread: the position of the previous user-aircraft reply; (0, 0) at
// the start of a run.
GeoPosition previousUserPosition;
// Set on the link's thread when a flight ends; the worker then keeps the
// user's stand.
std::atomic<bool> userStandReservationDue{false};
// Worker thread: the stand found at the user position last time.
std::string lastUserStandName;

void lf_repaintStatus() { gf_repaint(WindowRegion::StatusBlock); }

UserAcData lf_readUserAcData(const sc::RecvSimObjectData& message) {
    sc::DatumReader reader(message.data);
    UserAcData data;
    for (double* field : {&data.latitudeDeg, &data.longitudeDeg, &data.pitchRad, &data.bankRad, &data.headingRad,
                          &data.altitudeFt, &data.altAboveGroundFt, &data.groundVelocityKt}) {
        *field = reader.float64();
    }
    for (std::int64_t* field : {&data.zuluTimeS, &data.zuluDayOfYear, &data.zuluYear, &data.lightStates}) {
        *field = reader.int64();
    }
    return data;
}

// Seconds since 1970 of the simulator's zulu year, day and time (proleptic
// Gregorian calendar): 2024, day 1, time 0 gives 1704067200. 0 for a date
// that is no time between 1970 and 9999.
std::uint64_t lf_simUtcSeconds(const UserAcData& data) {
    using namespace std::chrono;
    if (data.zuluYear < 1970 || data.zuluYear > 9999 || data.zuluDayOfYear < 1 || data.zuluDayOfYear > 366 ||
        data.zuluTimeS < 0 || data.zuluTimeS > kSecondsPerDay) {
        return 0;
    }
    const sys_days yearStart{year{static_cast<int>(data.zuluYear)} / January / 1};
    const std::int64_t days = yearStart.time_since_epoch().count() + data.zuluDayOfYear - 1;
    return static_cast<std::uint64_t>(days * kSecondsPerDay + data.zuluTimeS);
}

void lf_onUserAircraftData(const sc::RecvSimObjectData& message) {
    UserAcData data = lf_readUserAcData(message);
    if (data.altitudeFt < 0.0) {
        data.altitudeFt = 0.0;
    }
    {
        const std::lock_guard lock(simQueueMutex);
        userAcData = data;
    }
    const GeoPosition position = gf_userPosition(data);
    if (gf_isPositionKnown(previousUserPosition) && gf_isPositionKnown(position) &&
        gf_greatCircleDistanceNm(previousUserPosition, position) > kTeleportDistanceNm) {
        gf_writeLogPlain("Teleport");
        gf_requestRunStop(ClosingReason::NewFlight, 45);
    }
    previousUserPosition = position;
    simUtcSeconds = lf_simUtcSeconds(data);
    userObjectId = message.objectId;
}

void lf_onUserOnGround(const sc::RecvSimObjectData& message) {
    if (gf_isPositionKnown(gf_userPosition(userAcData))) {
        userOnGround = sc::DatumReader(message.data).int64() != 0;
        userOnGroundKnown = true;
    }
    simDataArrived = true;
}

void lf_onStaticAttitude(const sc::RecvSimObjectData& message) {
    sc::DatumReader reader(message.data);
    const double cgToGroundFt = reader.float64();
    const double pitchRad = reader.float64();
    gf_pushSimResult({message.objectId, 0, 0, SimResultKind::StaticCg, cgToGroundFt, pitchRad});
}

// Worker thread: the stand at the user position; empty while the hooks are
// unset.
std::string lf_findUserStand(const UserAcData& data) {
    return userStandHooks.findStandAt != nullptr ? userStandHooks.findStandAt(gf_userPosition(data)) : std::string();
}

// Worker thread: the stand under the user aircraft in the window.
void lf_showUserStand(const UserAcData& data) {
    std::string name = lf_findUserStand(data);
    if (name != lastUserStandName) {
        MainWindow::userStandText = name;
        lf_repaintStatus();
    }
    lastUserStandName = std::move(name);
}

void lf_reserveUserStand(const UserAcData& runCopy, const UserAcData& latest) {
    userStandReservationDue = false;
    if (!userOnGroundKnown || runCopy.groundVelocityKt > kStandingStillKt) {
        return;
    }
    const std::string stand = lf_findUserStand(latest);
    if (!stand.empty() && userStandHooks.keepReservedStand != nullptr) {
        userStandHooks.keepReservedStand(stand);
    }
}

// simQueueMutex held: asks for the user aircraft's data with one definition,
// logging the failure text and ending the run when the call fails.
void lf_requestUserData(SimRequestId request, SimDefinitionId definition, const char* failureText) {
    if (sc::SimConnect_RequestDataOnSimObject(hSimConnect, gf_simId(request), gf_simId(definition),
                                              sc::kObjectIdUser, sc::Period::Once) < 0) {
        gf_writeLog(failureText);
        gf_reportSimConnectError();
    }
}

}  // namespace

UserAcData gf_requestUserAircraftData() {
    UserAcData copy;
    {
        const std::lock_guard lock(simQueueMutex);
        if (!simRequestError && hSimConnect != nullptr) {
            lf_requestUserData(SimRequestId::UserAircraft, SimDefinitionId::UserAircraft,
                               "SimConnect request user ac position fails");
        }
        copy = userAcData;
    }
    lf_showUserStand(copy);
    if (userStandReservationDue) {
        lf_reserveUserStand(copy, copy);
    }
    return copy;
}

void gf_requestUserAircraftTitle() {
    const std::lock_guard lock(simQueueMutex);
    if (hSimConnect == nullptr) {
        return;
    }
    lf_requestUserData(SimRequestId::UserTitle, SimDefinitionId::UserTitle, "SimConnect request user ac title fails");
    lf_requestUserData(SimRequestId::UserModel, SimDefinitionId::UserModel, "SimConnect reques user ac model fails");
}

void gf_reserveUserStand(const UserAcData& runCopy) {
    UserAcData latest;
    {
        const std::lock_guard lock(simQueueMutex);
        latest = userAcData;
    }
    lf_reserveUserStand(runCopy, latest);
}

void gf_requestUserStandReservation() { userStandReservationDue = true; }

void onSimObjectData(const sc::RecvSimObjectData& message) {
    switch (static_cast<SimRequestId>(message.requestId)) {
        case SimRequestId::StaticAttitude: lf_onStaticAttitude(message); return;
        case SimRequestId::UserTitle: onUserAircraftTitle(sc::DatumReader(message.data).stringV()); return;
        case SimRequestId::UserModel: detectUserAircraftModel(sc::DatumReader(message.data).text(kAtcModelFieldSize)); return;
        case SimRequestId::UserOnGround: lf_onUserOnGround(message); return;
        case SimRequestId::UserAircraft: lf_onUserAircraftData(message); return;
        default: return;
    }
}

void gf_resetUserAircraft() {
    userOnGroundKnown = false;
    userHalfSpanKnown = false;
    userObjectId = 2;
    userStandReservationDue = false;
    previousUserPosition = {};
    lastUserStandName.clear();
    gf_resetUserAircraftTitle();
    const std::lock_guard lock(simQueueMutex);
    userAcData = {};
}
