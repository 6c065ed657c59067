#include "scanner/scanner_state.h"

std::atomic<bool> addonAirportFound{false};
std::atomic<std::int64_t> tbloFileCount{0};
std::mutex airportLinkMutex;
ReportList<std::vector<std::string>> ScanLog;
