#pragma once
// One live-traffic report: what the traffic reader makes of one traffic
// datagram and hands to the traffic manager on the adding stack.

#include <cstdint>
#include <optional>

#include "records/live_ac_strings.h"

// The numeric part of a report, which the traffic manager keeps per report
// in each aircraft's report stream.
struct ReportBlock {
    double latDeg = 0.0;  // north positive
    double lonDeg = 0.0;  // east positive
    double altFt = 0.0;   // exactly 0 on the ground
    double groundSpeedKt = 0.0;
    double trackDeg = 0.0;
    double verticalSpeedFpm = 0.0;  // as the record gives it, unconverted
    double trueAirspeedKt = 0.0;
    // The tick at which the aircraft is to be at this position: the tick of
    // arrival plus 3000 (30 s), then retimed by the traffic manager.
    std::int32_t playbackTick = 0;
    bool airborne = false;  // altFt > 0
    // Set by the traffic manager when the position repeats the previous
    // report of the same aircraft.
    bool unmoved = false;
    bool headingKnown = false;              // trueHeadingRad has a value
    std::optional<double> bankRad;          // the negated reported roll; empty when unknown
    std::optional<double> trueHeadingRad;   // in (0, 2 pi]; empty when unknown
};

struct LiveAcUpdate {
    LiveAcStrings strings;
    ReportBlock block;
    double feedTimestampS = 0.0;  // the record's time, seconds since 1970 (UTC)
    // The record's hex id read as a decimal number; always above 10000, the
    // ids up to 10000 being those of static parked aircraft.
    std::uint32_t aircraftId = 0;
};
