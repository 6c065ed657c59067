#include "traffic/position_update_seam.h"

#include "traffic/spawning.h"

bool updateLiveAc(LiveAc& aircraft) {
    if (aircraft.simState == SimState::Buffer) {
        handleBufferedLiveAc(aircraft);
    }
    return aircraft.eraseBuffered || aircraft.eraseRemoved;
}

void checkGhost(const std::string& /*callsign*/) {}
