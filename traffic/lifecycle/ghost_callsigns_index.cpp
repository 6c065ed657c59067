#include "traffic/lifecycle/ghost_callsigns_index.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "traffic/identity_checks.h"
#include "traffic/traffic_state.h"

namespace {

bool keeping = false;
bool gathered = false;
// Ascending positions in the live list of every aircraft whose callsign
// carries the mark; one whose callsign lost it since may still be listed,
// as the search checks the callsign itself. The storage is kept from pass
// to pass.
std::vector<std::size_t> keptMarked;

bool lf_isLiveGhost(const LiveAc& aircraft, const std::string& ghostCallsign) {
    return aircraft.identity.strings.callsign == ghostCallsign && aircraft.simState != SimState::RemovingFromSim;
}

void lf_gatherMarked() {
    keptMarked.clear();
    for (std::size_t index = 0; index < liveAircraft.size(); ++index) {
        if (gf_hasGhostSuffix(liveAircraft[index].identity.strings.callsign)) {
            keptMarked.push_back(index);
        }
    }
    gathered = true;
}

}  // namespace

GhostCallsignsKeeper::GhostCallsignsKeeper() { keeping = true; }

GhostCallsignsKeeper::~GhostCallsignsKeeper() {
    keeping = false;
    gathered = false;
}

LiveAc* gf_findLiveGhost(const std::string& ghostCallsign) {
    if (!keeping) {
        const auto ghost = std::find_if(liveAircraft.begin(), liveAircraft.end(),
                                        [&](const LiveAc& aircraft) { return lf_isLiveGhost(aircraft, ghostCallsign); });
        return ghost == liveAircraft.end() ? nullptr : &*ghost;
    }
    if (!gathered) {
        lf_gatherMarked();
    }
    for (const std::size_t index : keptMarked) {
        if (lf_isLiveGhost(liveAircraft[index], ghostCallsign)) {
            return &liveAircraft[index];
        }
    }
    return nullptr;
}

void gf_setLiveCallsign(LiveAc& aircraft, const std::string& callsign) {
    aircraft.identity.strings.callsign = callsign;
    if (!gathered || !gf_hasGhostSuffix(callsign)) {
        return;
    }
    const auto index = gf_liveIndexOf(aircraft);
    if (!index) {
        return;
    }
    const auto place = std::lower_bound(keptMarked.begin(), keptMarked.end(), *index);
    if (place == keptMarked.end() || *place != *index) {
        keptMarked.insert(place, *index);
    }
}
