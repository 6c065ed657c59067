#pragma once
// Seam: the count of airports that the add-on airport scan leaves in the
// folder TBLO for learning off line, which the control area's label shows,
// until the add-on airport scan is built (scanner/). That module defines
// tbloFileCount, and this file goes. Here no scan runs: 0.

#include <atomic>
#include <cstdint>

// Entries of TBLO after the last scan; written by the worker once the scan's
// threads are done, read by the UI thread when it paints.
extern std::atomic<std::int64_t> tbloFileCount;
