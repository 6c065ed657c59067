#pragma once
// Seam: the weeks of RealTraffic data behind the park airport's stand file
// (its RT_traffic_week), which the status panel shows as "wk=", until the
// park airport's stand file is read (airports/). That module defines
// rtTrafficWeek, and this file goes. Here no stand file is read: 0.

#include <atomic>
#include <cstdint>

// Written by the worker when it reads the stand file (0 when none is
// loaded), read by the UI thread when it paints.
extern std::atomic<std::int32_t> rtTrafficWeek;
