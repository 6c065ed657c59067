#pragma once
// A new report of a live aircraft that is already known joins its report
// stream: judged against the aircraft's situation first (report_judging.h),
// given a playback tick after the newest block's, trimming unmoved blocks
// that a moving aircraft left behind, and starting the take-off run or the
// taxi-out when the report shows it. Worker thread only, inside the tick.

#include "records/live_ac_update.h"
#include "traffic/aircraft_records.h"

// Joins the report block to the aircraft's stream, or drops it. More than
// 200 blocks, or a holding aircraft's report farther than
// HOLDING_THRESHOLD_METERS from the front block, remove the aircraft. A
// failure is logged ("decodeExisting exception {}") and passed on; among
// them gsl::narrowing_error when the tick after the newest block's is no
// i32.
void decodeExisting(LiveAc& aircraft, ReportBlock& report);
