#include "traffic/lifecycle/replacement.h"

#include "airports/park_stands.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "traffic/removal.h"
#include "traffic/traffic_state.h"

namespace {

// The name is one of the static aircraft's callsigns.
bool lf_namesStatic(const std::string& name, const LiveAcStrings& parked) {
    return !name.empty() && (name == parked.firstCallsign || name == parked.coupledCallsign);
}

bool lf_hasRelatedCallsign(const LiveAcStrings& live, const LiveAcStrings& parked) {
    const std::string& callsign = live.callsign;
    return lf_namesStatic(callsign, parked) || lf_namesStatic(live.coupledCallsign, parked) ||
           (callsign.ends_with('_') && lf_namesStatic(callsign.substr(0, callsign.size() - 1), parked));
}

}  // namespace

void gf_replaceSameRegOrCallsign(const LiveAc& aircraft, bool onGround) {
    const LiveAcStrings& live = aircraft.identity.strings;
    if (live.callsign.empty()) {
        return;
    }
    const char* where = onGround ? "on ground" : "airborne";
    for (ParkedAc& parked : parkedAircraft) {
        if (parked.simState != SimState::Active) {
            continue;
        }
        const LiveAcStrings& other = parked.identity.strings;
        if (!live.registration.empty() && live.registration == other.registration) {
            if (LOG.value) {
                gf_writeLogPlain(fmtlib::format("{:8}: {:8} {} removed, new {} '{}' has same regcode {}",
                                                gf_standName(parked.standId), other.callsign, other.registration,
                                                where, live.callsign, live.registration));
            }
        } else if (lf_hasRelatedCallsign(live, other)) {
            if (LOG.value) {
                gf_writeLogPlain(fmtlib::format(
                    "{:8}: {:8} '{} {}' removed, new {} {} '{}' '{}' has {} callsign", gf_standName(parked.standId),
                    other.callsign, other.firstCallsign, other.coupledCallsign, where, live.callsign,
                    live.firstCallsign, live.coupledCallsign, other.firstCallsign == live.callsign ? "same" : "coupled"));
            }
        } else {
            continue;
        }
        removeAircraftFromSim(parked);
        return;
    }
}
