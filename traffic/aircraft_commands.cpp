#include "traffic/aircraft_commands.h"

#include <array>

#include "core/log.h"
#include "core/random.h"
#include "core/settings.h"
#include "simlink/sim_commands.h"

namespace {

constexpr std::array<std::uint32_t, 5> kThrottleLevels{0, 4914, 8191, 11468, 16383};
constexpr std::array<std::uint32_t, 5> kFlapsLevels{0, 3072, 10240, 16383, 0};
constexpr std::uint32_t kSpoilersOut = 16383;
// With RANDOM on, the cabin of a parked aircraft is lit in 9 of 10.
constexpr std::uint32_t kLitCabinsInTen = 9;

template <class Record>
void lf_setFlaps(Record& aircraft, std::uint32_t index) {
    if (index == aircraft.flapsIndex || aircraft.identity.category == AircraftCategory::Rotorcraft) {
        return;
    }
    if (index >= kFlapsLevels.size()) {
        gf_writeLog("gf_setFlaps: invalid flaps index");
    } else {
        gf_queueEvent({aircraft.objectId, SimEventId::FlapsSet, kFlapsLevels[index]});
    }
    aircraft.flapsIndex = index;
}

template <class Record>
void lf_setThrottle(Record& aircraft, std::uint32_t index) {
    if (index == aircraft.throttleIndex) {
        return;
    }
    if (index < kThrottleLevels.size()) {
        gf_queueEvent({aircraft.objectId, SimEventId::ThrottleSet, kThrottleLevels[index]});
    }
    aircraft.throttleIndex = index;
}

std::uint32_t lf_parkedCabinLight(bool cargoStand) {
    if (cargoStand) {
        return 0;
    }
    if (!RANDOM.value) {
        return 1;
    }
    return randomEngine() % 10 < kLitCabinsInTen ? 1 : 0;
}

template <class Record>
void lf_setParkedState(Record& aircraft) {
    if (aircraft.throttleIndex != 0) {
        gf_queueEvent({aircraft.objectId, SimEventId::ThrottleSet, 0});
        aircraft.throttleIndex = 0;
    }
    lf_setFlaps(aircraft, 0);
    gf_queueEvent({aircraft.objectId, SimEventId::EngineAutoShutdown, 0});
    const std::uint32_t nav = NAV_LIGHTS_WHILE_PARKED.value ? 1 : 0;
    gf_queueLightEvents(aircraft.objectId, {nav, 0, 0, 0, 0, 1, lf_parkedCabinLight(aircraft.cargoStand)});
}

}  // namespace

void gf_setFlaps(LiveAc& aircraft, std::uint32_t index) { lf_setFlaps(aircraft, index); }
void gf_setFlaps(ParkedAc& aircraft, std::uint32_t index) { lf_setFlaps(aircraft, index); }
void gf_setThrottle(LiveAc& aircraft, std::uint32_t index) { lf_setThrottle(aircraft, index); }
void gf_setThrottle(ParkedAc& aircraft, std::uint32_t index) { lf_setThrottle(aircraft, index); }
void gf_setParkedState(LiveAc& aircraft) { lf_setParkedState(aircraft); }

void gf_setFixedWingThrottle(LiveAc& aircraft, std::uint32_t index) {
    lf_setThrottle(aircraft, gf_isRotorcraft(aircraft.identity) ? kThrottleFull : index);
}

void gf_setGear(LiveAc& aircraft, bool down) {
    if (!gf_isRotorcraft(aircraft.identity)) {
        gf_queueEvent({aircraft.objectId, SimEventId::GearSet, down ? 1U : 0U});
    }
}

void gf_setSpoilers(LiveAc& aircraft, bool out) {
    if (!gf_isRotorcraft(aircraft.identity)) {
        gf_queueEvent({aircraft.objectId, SimEventId::SpoilersSet, out ? kSpoilersOut : 0U});
    }
}
void gf_setParkedState(ParkedAc& aircraft) { lf_setParkedState(aircraft); }
