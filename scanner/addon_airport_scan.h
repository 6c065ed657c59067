#pragma once
// The add-on airport scan of the worker's start-up, run when SCAN_AIRPORTS
// is on: every airport of the simulator's installed scenery (its Official
// folder in MSFS 2020, and its Community folder) gets a stand file that
// static parking and live arrivals can use: a redirect file to the archived
// stand file of the maker's download server, a stand file generated from
// the airport's BGL records, or both (scanner/bgl_scan.h). The scan's own
// log goes to output/info/AirportsScanLog.txt; copies of the generated
// stand files of other publishers' airports that suit off-line learning go
// to the folder TBLO, for the user to send to the maker.

#include <cstdint>
#include <string>
#include <vector>

// The whole scan, on the worker thread: TBLO emptied (or made), the airport
// names read, the files that the previous scan wrote into
// airports/my_thirdparty removed (scanner/scan_outputs.h; the user's own
// files there stay) and in MSFS 2020 mode airports/my_simaddon emptied, the
// folders scanned, the written files listed for the next scan, the scan log written,
// TBLO filled and counted; "Warning: Scan has not found any add-on
// airports" on the message line when nothing was written; SCAN_AIRPORTS
// switched off (saved, its check box unticked) and the airport names
// emptied again. A stop request (either stop flag) ends the scan early:
// what was found is kept, the scan log written, and SCAN_AIRPORTS stays on,
// so that the next start scans again. File-system errors of its own folder
// work are thrown to the start-up.
void gf_scanAddonAirports();

// The folders to search: the Official folder (MSFS 2020 only), then the
// Community folder, of the stored install path; none without one.
std::vector<std::string> collectScanFolders();

// Scans the folders, writes the scan log and finishes the scan (TBLO);
// true when the scan wrote a redirect or stand file.
bool runAirportScan(const std::vector<std::string>& folders);

// Searches each folder; a folder that does not exist or is none is named on
// the message line ("{} does not exist, skipped!", "{} is not a folder name,
// skipped!") and passed over. A failing status query throws.
void scanFolderChecked(const std::vector<std::string>& folders);

// For each generated stand file of airports/my_thirdparty (by its stem, the
// ICAO code): a file of KMCI by TropicalSim is removed; one of a known
// publisher whose airport suits off-line learning is copied to TBLO (and
// removed when a redirect file stands beside it); a stop request ends this
// at once. Then TBLO is counted, and removed when empty.
void finishAirportScan(const std::vector<std::string>& stems);
