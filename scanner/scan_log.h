#pragma once
// The log of the add-on airport scan: every part of the scan, its worker
// threads included, appends its lines here; the scan writes them to
// output/info/AirportsScanLog.txt at its end, once every worker has ended,
// and empties the list. Log.txt gets only the scan's few summary lines.

#include <string>
#include <vector>

#include "liveries/scan_reports.h"

// Appends a copy of the line; callable from any thread.
void addScanLogLine(std::string line);
