#include "traffic/stand_leaving_seam.h"

bool checkStandDeparture(LiveAc& aircraft, ReportBlock& /*report*/) {
    aircraft.standConfirmed = true;
    return false;
}

void startPushback(LiveAc& /*aircraft*/) {}

void pullOutOfStand(LiveAc& aircraft) {
    aircraft.leavingStand = false;
    aircraft.extensionCount = 0;
    gf_setGroundPhase(aircraft, GroundPhase::Taxi);
    aircraft.targetHeadingRad = aircraft.position.headingRad;
}

void pushbackStep(LiveAc& aircraft) {
    --aircraft.pushbackStage;
    if (aircraft.pushbackStage < 1) {
        aircraft.targetHeadingRad = aircraft.position.headingRad;
        gf_setGroundPhase(aircraft, GroundPhase::PushedBack);
        aircraft.pushbackStage = 1;
        aircraft.extensionCount = 0;
        aircraft.leavingStand = false;
    }
}
