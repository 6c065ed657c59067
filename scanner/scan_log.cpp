#include "scanner/scan_log.h"

#include "scanner/scanner_state.h"

#include <utility>

void addScanLogLine(std::string line) { ScanLog.append(std::move(line)); }
