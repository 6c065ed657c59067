#include "traffic/intake/identity_changes.h"

#include <optional>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "liveries/aircraft_database.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "traffic/identity_checks.h"
#include "traffic/lifecycle/ghost_callsigns_index.h"
#include "traffic/lifecycle/livery_bookkeeping.h"
#include "traffic/traffic_state.h"

namespace {

// A report's text replaces the aircraft's own when it says something new:
// it is not empty and differs.
bool lf_isNew(const std::string& own, const std::string& given) { return !given.empty() && given != own; }

void lf_adopt(std::string& own, const std::string& given) {
    if (lf_isNew(own, given)) {
        own = given;
    }
}

// The registration's record describes another aircraft than the one flown:
// another airline or type, unless the aircraft already flies for the
// record's operator.
bool lf_recordTellsAnotherAircraft(const std::optional<RegcodeRecord>& record, const LiveAcStrings& own) {
    return record && !gf_equalStrings(*record, own) &&
           (record->operatorCode.empty() || record->operatorCode != own.airline);
}

// The aircraft becomes the record's: its operator (else its airline) and
// type, and loses its livery.
void lf_becomeRecordsAircraft(LiveAc& aircraft, const RegcodeRecord& record) {
    LiveAcStrings& own = aircraft.identity.strings;
    own.airline = record.operatorCode.empty() ? record.airline : record.operatorCode;
    own.type = record.type;
    gf_resetLivery(aircraft);
}

}  // namespace

void gf_adoptRoute(LiveAc& aircraft, const LiveAcUpdate& report) {
    LiveAcStrings& own = aircraft.identity.strings;
    lf_adopt(own.destination, report.strings.destination);
    lf_adopt(own.origin, report.strings.origin);
}

void gf_adoptIdentity(LiveAc& aircraft, const LiveAcUpdate& report) {
    gf_adoptRoute(aircraft, report);
    LiveAcStrings& own = aircraft.identity.strings;
    if (lf_isNew(own.callsign, report.strings.callsign)) {
        gf_setLiveCallsign(aircraft, report.strings.callsign);
    }
    lf_adopt(own.registration, report.strings.registration);
}

bool gf_checkRoute(LiveAc& aircraft, const LiveAcUpdate& report) {
    LiveAcStrings& own = aircraft.identity.strings;
    const LiveAcStrings& given = report.strings;
    bool filled = false;
    if (!given.destination.empty() && own.destination.empty()) {
        own.destination = given.destination;
        filled = true;
    }
    if (!given.origin.empty() && own.origin.empty()) {
        own.origin = given.origin;
        filled = true;
    }
    const auto changed = [](const std::string& mine, const std::string& theirs) {
        return !mine.empty() && !theirs.empty() && mine != theirs;
    };
    if (!changed(own.destination, given.destination) || !changed(own.origin, given.origin)) {
        return !filled;
    }
    // Back to the park airport it left from: the same flight, seen the other way.
    if (own.origin == parkAirport.load().iata && given.destination == own.origin) {
        return !filled;
    }
    own.origin = given.origin;
    own.destination = given.destination;
    if (aircraft.onGround && aircraft.groundPhase != GroundPhase::Parking &&
        aircraft.groundPhase != GroundPhase::Parked) {
        gf_setGroundPhase(aircraft, GroundPhase::Taxi);
        aircraft.targetHeadingRad = aircraft.position.headingRad;
    }
    return false;
}

void gf_resetLivery(LiveAc& aircraft) {
    keptLiveries.erase(aircraft.identity.aircraftId);
    aircraft.identity.liveryTitle = {};
    gf_setGroundPhase(aircraft, GroundPhase::Birth);
}

bool gf_checkRegistrationLivery(LiveAc& aircraft, const LiveAcUpdate& report) {
    LiveAcStrings& own = aircraft.identity.strings;
    const std::string& registration = report.strings.registration;
    const auto installed = liveryCatalog.regcodeTitles.find(registration);
    if (installed != liveryCatalog.regcodeTitles.end()) {
        if (installed->second == aircraft.identity.liveryTitle) {
            return false;
        }
        if (const std::optional<RegcodeRecord> record = gf_lookupRegcode(registration)) {
            own.airline = record->airline;
            own.type = record->type;
        }
        gf_resetLivery(aircraft);
        return true;
    }
    if (registration == own.registration) {
        return false;
    }
    const std::optional<RegcodeRecord> record = gf_lookupRegcode(registration);
    if (!lf_recordTellsAnotherAircraft(record, own)) {
        return false;
    }
    lf_becomeRecordsAircraft(aircraft, *record);
    return true;
}

bool gf_checkRegistrationOperator(LiveAc& aircraft, LiveAcUpdate& report) {
    const std::optional<RegcodeRecord> record = gf_lookupRegcode(report.strings.registration);
    if (!lf_recordTellsAnotherAircraft(record, aircraft.identity.strings) ||
        !gf_airlineFromCallsign(report.strings)) {
        return false;
    }
    const std::string& flownFor = report.strings.airline;
    if (flownFor != record->airline && (record->operatorCode.empty() || flownFor != record->operatorCode)) {
        return false;
    }
    lf_becomeRecordsAircraft(aircraft, *record);
    return true;
}

int gf_checkRegistration(LiveAc& aircraft, LiveAcUpdate& report) {
    LiveAcStrings& own = aircraft.identity.strings;
    const std::string& registration = report.strings.registration;
    if (registration.empty()) {
        return 1;
    }
    int result = 1;
    // A registration that only repeated the callsign may be replaced by a
    // real one without asking the operator.
    bool pairTest = false;
    if (!own.registration.empty()) {
        pairTest = !(own.registration == own.callsign && registration != own.registration);
        if (pairTest && registration != own.registration && gf_checkRegistrationOperator(aircraft, report)) {
            result = 0;
        }
    }
    if (own.registration.empty() || !pairTest) {
        result = gf_checkRegistrationLivery(aircraft, report) ? 0 : 1;
    }
    own.registration = registration;
    return result;
}

