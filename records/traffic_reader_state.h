#pragma once
// The traffic reader's state that layers below the run set: the elevation
// of the park airport, which the stand reader sets and the traffic manager
// empties. The traffic reader (run/traffic_reader.h) derives from this, so
// that the value reads as TrafficReader::parkAirportElevation there.

#include <optional>

#include "core/shared_value.h"

struct TrafficReaderState {
    // Elevation of the current park airport, feet; empty while there is
    // none. Set when the park airport's stand file is read, emptied with the
    // park airport.
    static SharedValue<std::optional<double>> parkAirportElevation;
};
