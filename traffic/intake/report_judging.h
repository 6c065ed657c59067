#pragma once
// How a new report of a known aircraft is judged by the aircraft's
// situation before it joins the stream: repeated positions, the pushback
// and the hold after it, landing and take-off, and the end of a stream
// extension. Each returns false to drop the report and may change the
// report and the aircraft. Worker thread only.

#include "records/live_ac_update.h"
#include "traffic/aircraft_records.h"

// By ground phase: parked aircraft go to the stand departure test; reports
// during a pushback only tell the side of its turn; a pushed-back aircraft
// holds until a report moves away; taxiing and flying aircraft have their
// repeated positions judged and may end a stream extension.
bool checkExtendingSituations(LiveAc& aircraft, ReportBlock& report);

// A report that repeats the newest block's position becomes an unmoved
// block at 0 kt, or is dropped where an aircraft cannot stand still (in the
// air, departing at speed); a Rotorcraft may hover.
bool checkUnmovedReport(LiveAc& aircraft, ReportBlock& report);

// While landing or before take-off: reports behind the aircraft are
// dropped, as are newest blocks that lie behind it.
bool checkNewPosDuringLanding(LiveAc& aircraft, ReportBlock& report);
