#pragma once
// The add-on airport scan's state: its log, the lock of the airport links,
// whether an add-on airport was found and how many tbl files were read. The
// start-up's scan writes it on the worker and its scan workers. A run's
// reset leaves it alone, and it has no reset of its own: each scan starts
// afresh (gf_scanAddonAirports clears addonAirportFound, runAirportScan the
// TBLO count and the scan log), and the main window's simulator switch
// clears addonAirportFound.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "liveries/scan_reports.h"
#include "scanner/addon_airport_scan.h"
#include "scanner/airport_links.h"
#include "scanner/scan_log.h"

// A redirect file or a generated stand file was written by this scan (any
// thread; cleared when a scan starts and by the main window's simulator switch).
extern std::atomic<bool> addonAirportFound;

// The entries of TBLO after the last scan; the main window shows them.
extern std::atomic<std::int64_t> tbloFileCount;

// Held for the whole of linkAirportToPackage, so that the publisher
// lookups (with their scan-log lines), the archive lookups and the redirect
// files of concurrent scan workers do not interleave. Taken before the scan
// log's mutex and the log mutex.
// Its place in the lock order: docs/locks.md.
extern std::mutex airportLinkMutex;

// The scan log's lines (scanner/scan_log.h), under the list's own mutex (a
// leaf lock); written to output/info/AirportsScanLog.txt and emptied at the
// scan's end.
extern ReportList<std::vector<std::string>> ScanLog;
