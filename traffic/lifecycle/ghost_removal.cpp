#include "traffic/lifecycle/ghost_removal.h"

#include <algorithm>
#include <string_view>

#include "airports/park_stands.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "traffic/lifecycle/ghost_callsigns_index.h"
#include "traffic/removal.h"
#include "traffic/traffic_state.h"

bool gf_callsignLiveWithoutSuffix(const std::string& callsign) {
    if (callsign.empty()) {
        return false;
    }
    const std::string_view stem(callsign.data(), callsign.size() - 1);
    return std::any_of(liveAircraft.begin(), liveAircraft.end(), [&](const LiveAc& aircraft) {
        return aircraft.identity.strings.callsign == stem && aircraft.simState != SimState::RemovingFromSim;
    });
}

void checkGhost(const std::string& callsign) {
    const std::string ghostCallsign = callsign + "_";
    LiveAc* ghost = gf_findLiveGhost(ghostCallsign);
    if (ghost == nullptr) {
        return;
    }
    if (LOG.value) {
        if (ghost->groundPhase == GroundPhase::Parked) {
            gf_writeLogPlain(fmtlib::format("{:8}: {:8} is a ghost and will be removed, continue with {}",
                                            gf_standName(ghost->standId), ghostCallsign, callsign));
        } else {
            gf_writeLogPlain(
                fmtlib::format("          {:8} is a ghost and will be removed, continue with {}", ghostCallsign, callsign));
        }
    }
    ghostCallsigns.push_back(ghostCallsign);
    removeAircraftFromSim(*ghost);
}
