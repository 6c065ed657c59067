#include "traffic/stands/ground_spawn_stand.h"

#include <algorithm>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "core/format.h"
#include "core/great_circle.h"
#include "core/log.h"
#include "core/settings.h"
#include "liveries/aircraft_database.h"
#include "simlink/sim_commands.h"
#include "traffic/removal.h"
#include "traffic/stand_lookup.h"
#include "traffic/stands/stand_search.h"
#include "traffic/stands/stand_way.h"
#include "traffic/stream_geometry.h"
#include "traffic/traffic_state.h"

namespace {

// A newcomer farther than this from the park airport is not on its stands.
constexpr double kParkAirportRadiusNm = 5.0;
// A newcomer that moved more than 35 m over its reports, or taxis faster
// than 5 kt at its second one, is not parked.
constexpr double kParkedSpreadNm = 0.018898488120950324;
constexpr double kParkedMaxSpeedKt = 5.0;
// A stand within 55 m of the newcomer is its stand.
constexpr double kStandSearchRadiusNm = 0.029697624190064796;
// Two aircraft on neighbouring stands touch when their stands lie closer
// than their half spans together plus 10 percent.
constexpr double kSpanMargin = 1.1;

}  // namespace

std::optional<ParkPosition> gf_findStandForGroundSpawn(LiveAc& aircraft) {
    const AirportRecord airport = parkAirport.load();
    if (parkPositions.empty() || airport.code.empty()) {
        return std::nullopt;
    }
    ReportBlock& front = aircraft.reports.front();
    if (gf_greatCircleDistanceNm(gf_blockPosition(front), {airport.lat, airport.lon}) > kParkAirportRadiusNm) {
        return std::nullopt;
    }
    GeoPosition searchPoint = gf_blockPosition(front);
    if (!front.unmoved) {
        const ReportBlock& newest = aircraft.reports.back();
        if (aircraft.reports[1].groundSpeedKt > kParkedMaxSpeedKt ||
            gf_greatCircleDistanceNm(gf_blockPosition(newest), searchPoint) > kParkedSpreadNm) {
            return std::nullopt;
        }
        searchPoint = gf_blockPosition(newest);
    }
    const auto stand = gf_findStandNearPoint(searchPoint, aircraft, kStandSearchRadiusNm, front.unmoved);
    if (stand == parkPositions.end() || gf_isUserStand(*stand)) {
        return std::nullopt;
    }
    if (!isStandFreeFor(stand->standId, aircraft.identity.strings.callsign) ||
        gf_findCollidingNeighbour(stand->neighbourIds, *stand, aircraft) != stand->neighbourIds.end()) {
        aircraft.eraseBuffered = true;
        return std::nullopt;
    }
    ParkPosition chosen = *stand;
    makeWayForParking(aircraft, chosen);
    if (!front.unmoved) {
        front.unmoved = true;
        front.groundSpeedKt = 0.0;
    }
    return chosen;
}

void makeWayForParking(const LiveAc& aircraft, const ParkPosition& stand) {
    const LiveAcStrings& newcomer = aircraft.identity.strings;
    const auto onStand = std::find_if(parkedAircraft.begin(), parkedAircraft.end(),
                                      [&](const ParkedAc& parked) { return parked.standId == stand.standId; });
    if (onStand != parkedAircraft.end()) {
        ParkedAc& parked = *onStand;
        const LiveAcStrings& strings = parked.identity.strings;
        const char* const sameSuffix =
            strings.firstCallsign == newcomer.callsign || strings.registration == newcomer.registration
                ? " the same live version"
                : "";
        const auto logMakesWay = [&](std::string_view prefix) {
            if (LOG.value) {
                gf_writeLogPlain(fmtlib::format("{}{:8}: {:8} {} makes way for{} {} {}", prefix, stand.name,
                                                strings.callsign, strings.registration, sameSuffix,
                                                newcomer.callsign, newcomer.registration));
            }
        };
        if (parked.simState == SimState::Active) {
            logMakesWay("");
            removeAircraftFromSim(parked);
        } else if (parked.simState == SimState::Adding2Sim) {
            if (gf_cancelQueuedCreate(staticCreateQueue, parked.identity.aircraftId)) {
                parked.eraseRemoved = true;
                logMakesWay("queued ");
            } else {
                parked.removeWhenCreated = true;
            }
        }
    }
    std::erase_if(parkedAircraft, [](const ParkedAc& parked) { return parked.eraseRemoved; });
    for (const std::uint32_t excludedStandId : stand.neighbourIds) {
        makeWayAtExcludedStand(aircraft, excludedStandId, stand);
    }
}

void makeWayAtExcludedStand(const LiveAc& aircraft, std::uint32_t excludedStandId, const ParkPosition& stand) {
    const ParkPosition* excluded = gf_findStandById(excludedStandId);
    if (excluded == nullptr) {
        return;
    }
    const double standsApartNm = gf_greatCircleDistanceNm(gf_standPosition(*excluded), gf_standPosition(stand));
    const double newcomerHalfSpanNm = gf_getHalfWingspanNm(aircraft.identity.strings.type);
    const auto touching = std::find_if(parkedAircraft.begin(), parkedAircraft.end(), [&](const ParkedAc& parked) {
        return parked.simState == SimState::Active && parked.standId == excludedStandId &&
               standsApartNm <= (newcomerHalfSpanNm + gf_getHalfWingspanNm(parked.identity.strings.type)) * kSpanMargin;
    });
    if (touching == parkedAircraft.end()) {
        return;
    }
    if (LOG.value) {
        gf_writeLogPlain(fmtlib::format("{:8}: {:8} makes way for {} parking at excluded stand {}",
                                        gf_standName(touching->standId), touching->identity.strings.callsign,
                                        aircraft.identity.strings.callsign, stand.name));
    }
    removeAircraftFromSim(*touching);
}
