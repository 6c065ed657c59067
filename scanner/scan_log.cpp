#include "scanner/scan_log.h"

#include <utility>

ReportList<std::vector<std::string>> ScanLog;

void addScanLogLine(std::string line) { ScanLog.append(std::move(line)); }
