#pragma once
// The livery scan of the worker's start-up: when SCAN_LIVERIES is on, the
// installed AI liveries are scanned into output/LiveriesScanned.xml (and the
// reports of liveries/scan_reports.h); then, scanned or not, that file is
// read back and the livery catalogue built from it, once per program.
//
// A scan either completes or changes nothing that lasts: the previous
// LiveriesScanned.xml stays until a new one has been written whole, and
// SCAN_LIVERIES is switched off only by a completed scan. A stop request
// (either stop flag) during the scan ends it without writing anything, and
// the start-up then goes on to close down without reading the catalogue.

#include "liveries/livery_folders.h"

// The catalogue is built again from LiveriesScanned.xml at the worker's next
// start-up, also when it was built in this program already. Any thread.
void gf_requestLiveryCatalogRebuild();

enum class LiveryScanResult {
    found,      // LiveriesScanned.xml and the reports written
    noneFound,  // no livery in any folder; nothing written
    stopped,    // a stop was requested; nothing written
};

// The start-up entry, on the worker thread. True when the catalogue is
// ready; false when a stop request ended the start-up first (scanned or
// not, the catalogue is then not read, and SCAN_LIVERIES keeps its value).
// Throws qrx::UserErrorException when no livery was found (43 in automatic
// mode, 53 in manual mode), no folder is set (48), or LiveriesScanned.xml
// cannot be read (51, 52, 533, 999), and a runtime error for an invalid
// AI_PACKAGE_SELECTOR, a Community folder that cannot be listed or a
// catalogue that cannot be written.
[[nodiscard]] bool gf_scanLiveries();

// Searches the folders in order (an entry that is not an existing folder is
// logged and skipped without taking an ordinal), corrects the liveries from
// the aircraft database, keeps only the first folder's liveries of an
// airline and model with LIG_PRIORITIZE, sorts them, drops repeats, writes
// LiveriesScanned.xml and the reports. The report lists are emptied however
// it ends. Throws std::runtime_error when LiveriesScanned.xml cannot be
// written.
LiveryScanResult scanLiveryFolders(const LiveryFolders& folders);

// Reads LiveriesScanned.xml and builds the catalogue, the registration codes
// and the similar-model tables; only logs "Processing scanned liveries
// skipped; already done in previous start-up" when liveriesProcessed is set.
void processScannedLiveries();
