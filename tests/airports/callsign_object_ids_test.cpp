// Callsign2ObjectId.txt: one sorted line per active live aircraft.

#include <gtest/gtest.h>

#include "airports/airports_state.h"
#include "airports/support/stand_file_fixture.h"
#include "core/data_paths.h"
#include "traffic/aircraft_records.h"
#include "traffic/lifecycle/callsign_object_ids.h"
#include "traffic/traffic_state.h"

namespace {

class CallsignObjectIds : public test::StandFileTest {};

TEST_F(CallsignObjectIds, ListsTheActiveLiveAircraftWithTheirObjectsAndStands) {
    static const std::string kTitle = "A320 KLM";
    parkPositions = {test::makeStand("G4", 52.3, 4.76, 30.0)};
    parkPositions.front().standId = 1;
    const struct {
        const char* airline;
        std::uint32_t objectId;
        SimState state;
        GroundPhase phase;
        bool onGround;
    } aircraft[] = {
        {"KLM", 11, SimState::Active, GroundPhase::Parked, true},
        {"DLH", 12, SimState::Active, GroundPhase::Flying, false},
        {"BAW", 13, SimState::Adding2Sim, GroundPhase::Birth, false},
    };
    for (const auto& a : aircraft) {
        liveAircraft.emplace_back(ReportBlock{}, AcIdentity{}, 0.0);
        LiveAc& live = liveAircraft.back();
        live.identity.liveryTitle = kTitle;
        live.identity.strings.airline = a.airline;
        live.identity.strings.type = "A320";
        live.objectId = a.objectId;
        live.simState = a.state;
        live.groundPhase = a.phase;
        live.onGround = a.onGround;
        live.standId = 1;
    }

    gf_writeCallsignObjectIds();

    EXPECT_EQ(test::readBytes(dataPaths.callsignObjectIdFile),
              "Air A320 KLM  DLH A320: 12 \nGnd A320 KLM  KLM A320: 11 Parked at G4\n");
}

}  // namespace
