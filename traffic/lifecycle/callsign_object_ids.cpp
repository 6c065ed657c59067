#include "traffic/lifecycle/callsign_object_ids.h"

#include <algorithm>
#include <string>
#include <vector>

#include "airports/park_stands.h"
#include "core/data_paths.h"
#include "core/format.h"
#include "core/log.h"
#include "core/text_files.h"
#include "traffic/aircraft_records.h"
#include "traffic/traffic_state.h"

void gf_writeCallsignObjectIds() {
    std::vector<std::string> lines;
    for (const LiveAc& aircraft : liveAircraft) {
        if (aircraft.simState != SimState::Active) {
            continue;
        }
        const std::string parked = aircraft.groundPhase == GroundPhase::Parked
                                       ? fmtlib::format("Parked at {}", gf_standName(aircraft.standId))
                                       : std::string();
        lines.push_back(fmtlib::format("{} {:9} {} {}: {} {}", aircraft.onGround ? "Gnd" : "Air",
                                       aircraft.identity.liveryTitle, aircraft.identity.strings.airline,
                                       aircraft.identity.strings.type, aircraft.objectId, parked));
    }
    std::sort(lines.begin(), lines.end());
    if (!gf_replaceTextLines(lines, dataPaths.callsignObjectIdFile)) {
        gf_writeLog(fmtlib::format("could not write {}", dataPaths.callsignObjectIdFile.string()));
    }
}
