#include "traffic/stand_leaving_seam.h"

bool checkStandDeparture(LiveAc& aircraft, ReportBlock& /*report*/) {
    aircraft.standConfirmed = true;
    return false;
}
