#include "simlink/object_identification.h"

#include <algorithm>
#include <mutex>
#include <string>

#include "core/core_state.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "simlink/sim_client.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/sim_results.h"
#include "simlink/user_aircraft.h"
#include "ui/status/message_line.h"
#include "ui/status/program_resources.h"

namespace sc = platform::simconnect;

namespace {

// Bytes of the ATC ID field of definition 404 (STRING32).
constexpr std::size_t kAtcIdFieldSize = 32;
// Known objects higher above the ground than this get no ground data.
constexpr double kGroundDataCeilingFt = 2500.0;
// Aircraft ids above this are live aircraft, the others static parked ones.
constexpr std::uint32_t kHighestStaticAircraftId = 10000;

// The block of definition 404.
struct InRangeData {
    double altAboveGroundFt = 0.0;
    double groundAltitudeFt = 0.0;
    std::int64_t onGround = 0;
    std::string atcId;
};

InRangeData lf_readInRangeData(const sc::RecvSimObjectData& message) {
    sc::DatumReader reader(message.data);
    InRangeData data;
    data.altAboveGroundFt = reader.float64();
    data.groundAltitudeFt = reader.float64();
    data.onGround = reader.int64();
    data.atcId = reader.text(kAtcIdFieldSize);
    return data;
}

// Removes the element by moving the last one into its place.
template <class Element>
void lf_swapRemove(std::vector<Element>& list, typename std::vector<Element>::iterator element) {
    *element = std::move(list.back());
    list.pop_back();
}

// The aircraft id of the first sent creation with this tail number, taken out
// of sentCreates; 0 when there is none.
std::uint32_t lf_takeSentCreate(const std::string& tailNumber) {
    if (tailNumber.empty()) {
        return 0;
    }
    const auto sent = std::find_if(sentCreates.begin(), sentCreates.end(),
                                   [&](const SentCreate& entry) { return entry.tailNumber == tailNumber; });
    if (sent == sentCreates.end()) {
        return 0;
    }
    const std::uint32_t aircraftId = sent->aircraftId;
    lf_swapRemove(sentCreates, sent);
    return aircraftId;
}

// Our own new object: out of the simulator's AI control at once, frozen on
// the next frame, and reported to the traffic manager.
void lf_takeOverCreatedObject(std::uint32_t objectId, std::uint32_t aircraftId, const InRangeData& data) {
    {
        const std::lock_guard lock(simQueueMutex);
        sc::SimConnect_AIReleaseControl(hSimConnect, objectId, gf_simId(SimRequestId::ReleaseControl));
        gf_appendEventCmd({objectId, SimEventId::FreezeLatitudeLongitudeSet, 1});
        gf_appendEventCmd({objectId, SimEventId::FreezeAltitudeSet, 1});
        gf_appendEventCmd({objectId, SimEventId::FreezeAttitudeSet, 1});
    }
    if (aircraftId > kHighestStaticAircraftId) {
        gf_pushSimResult({objectId, aircraftId, 0, SimResultKind::LiveCreated, 0.0, data.altAboveGroundFt});
    } else {
        gf_pushSimResult({objectId, aircraftId, 0, SimResultKind::StaticCreated, 0.0, 0.0});
    }
}

void lf_onNewObject(std::uint32_t objectId, const InRangeData& data) {
    const std::uint32_t aircraftId = lf_takeSentCreate(data.atcId);
    if (aircraftId == 0) {
        gf_writeLogPlain(fmtlib::format(
            "just spawned, but not by {}, oid: {}, callsign '{}', altaboveGnd:{:.0f} ft, onground:{}, gnd_alt:{:.0f} ft",
            kProductName, objectId, data.atcId, data.altAboveGroundFt, data.onGround, data.groundAltitudeFt));
        return;
    }
    lf_takeOverCreatedObject(objectId, aircraftId, data);
}

void lf_onKnownObject(std::uint32_t objectId, const InRangeData& data) {
    if (data.altAboveGroundFt > kGroundDataCeilingFt || data.atcId.empty() || data.atcId.back() == '*') {
        return;
    }
    gf_pushSimResult({objectId, data.onGround != 0 ? 1U : 0U, 0, SimResultKind::GroundData, data.groundAltitudeFt,
                      data.altAboveGroundFt});
}

void lf_onCreateObjectFailed(std::uint32_t sendId) {
    // A stored packet id of 0 was not available: it answers no exception.
    const auto sent = std::find_if(sentCreates.begin(), sentCreates.end(),
                                   [&](const SentCreate& entry) { return entry.sendId != 0 && entry.sendId == sendId; });
    if (sent == sentCreates.end()) {
        return;
    }
    const std::uint32_t aircraftId = sent->aircraftId;
    lf_swapRemove(sentCreates, sent);
    if (aircraftId != 0) {
        gf_pushSimResult({0, aircraftId, 0, SimResultKind::CreateFailed, 0.0, 0.0});
    }
}

}  // namespace

void createAiAircraft(const CreateRequest& request) {
    const std::string title(request.liveryTitle);
    if (sc::SimConnect_AICreateNonATCAircraft(hSimConnect, title.c_str(), request.tailNumber.c_str(), request.initPos,
                                              gf_simId(SimRequestId::CreateAircraft)) < 0) {
        gf_writeLog(fmtlib::format("! Simcon call to create ac in sim failed, hexid:{}, liv: '{}', callsign: {})",
                                   request.aircraftId, title, request.tailNumber));
        gf_reportSimConnectError();
        return;
    }
    std::uint32_t sendId = 0;
    if (sc::SimConnect_GetLastSentPacketID(hSimConnect, &sendId) < 0) {
        gf_writeLog("GetLastSentPacketID");
        sendId = 0;
    }
    sentCreates.push_back({sendId, request.aircraftId, request.tailNumber});
}

void onAircraftInRange(const sc::RecvSimObjectDataByType& message) {
    if (message.requestId != gf_simId(SimRequestId::AircraftInRange) || message.objectId <= userObjectId) {
        return;
    }
    const InRangeData data = lf_readInRangeData(message);
    const auto added = std::find(addedObjectIds.begin(), addedObjectIds.end(), message.objectId);
    if (added == addedObjectIds.end()) {
        lf_onKnownObject(message.objectId, data);
        return;
    }
    lf_swapRemove(addedObjectIds, added);
    lf_onNewObject(message.objectId, data);
}

void onSimConnectException(const sc::RecvException& message) {
    switch (message.exception) {
        case sc::Exception::UnrecognizedId:
            if (gf_isPositionKnown(gf_userPosition(userAcData)) && !runStopRequested && !userCloseRequested) {
                gf_writeLog("SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID");
            }
            return;
        case sc::Exception::VersionMismatch:
            throw qrx::UserErrorException(
                95, fmtlib::format("SimConnect Version Mismatch, dwIndex: {}", message.index));
        case sc::Exception::TooManyObjects:
            gf_showMessage("SimConnect: too many objects (max 1000)", true);
            return;
        case sc::Exception::InvalidDataSize:
            gf_writeLogPlain("SIMCONNECT_EXCEPTION_INVALID_DATA_SIZE");
            return;
        case sc::Exception::CreateObjectFailed:
            lf_onCreateObjectFailed(message.sendId);
            return;
        case sc::Exception::LoadFlightplanFailed:
            gf_writeLog("SimConnect exception: load flight plan failed");
            return;
        case sc::Exception::OperationInvalidForObjectType:
            gf_writeLogPlain("SIMCONNECT_EXCEPTION_OPERATION_INVALID_FOR_OBJECT_TYPE");
            return;
        default:
            gf_writeLog(fmtlib::format("SIMCONNECT_EXCEPTION #{}", static_cast<std::uint32_t>(message.exception)));
            return;
    }
}
