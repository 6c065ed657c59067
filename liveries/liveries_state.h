#pragma once
// The liveries' state: what the scans found (the installed liveries, their
// titles and catalogue, the aircraft database and its corrections, the
// similar models), the lines the scan reports and whether the liveries are
// processed. The start-up's scans write it on the worker and its scan
// workers; the run reads it. A run's reset leaves it alone: each start-up
// reads or scans it again, and traffic keeps its own bookkeeping of the
// liveries in use (keptLiveries), which its reset clears. The catalogue is
// built afresh when the main window asks for it (a new scan, another
// simulator: gf_requestLiveryCatalogRebuild); the next start-up then empties
// it with gf_resetLiveryCatalog. gf_resetLiveriesState empties all of this
// state at once; the tests start from it.

#include <atomic>
#include <list>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "liveries/aircraft_database.h"
#include "liveries/livery_catalog.h"
#include "liveries/livery_data.h"
#include "liveries/livery_scan.h"
#include "liveries/regcode_lists.h"
#include "liveries/regcode_merge.h"
#include "liveries/scan_reports.h"
#include "liveries/similar_models.h"

// The aircraft database (input/dbase.enc with its corrections), read by
// the start-up.
extern DbaseTables dbase;

// The catalogue the matching searches, built from liveryList by the
// start-up.
extern LiveryCatalog liveryCatalog;

// The scanned liveries: filled by a scan, refilled from LiveriesScanned.xml.
extern std::list<LiveryData> liveryList;

// Every title handed out during the current scan, guarded by titleSetMutex
// (a leaf lock: nothing else is taken while it is held).
extern std::set<std::string> liveryTitles;
// Its place in the lock order: docs/locks.md.
extern std::mutex titleSetMutex;

// The catalogue was built in this program; later start-ups of the worker
// keep it. Cleared together with gf_resetLiveryCatalog by the start-up after
// the main window asked for a new catalogue (a new scan, another simulator).
extern std::atomic<bool> liveriesProcessed;

// Titles the livery scan never takes.
extern std::vector<std::string> dontUseTitles;

// The lines of output/info/OfflineRegcodes.txt of the last processing.
extern std::vector<std::string> regcodeMessages;

// output/errors/InvalidAirlineCodes.txt: "{:12} in {} " (code, aircraft.cfg
// path) and the section's header line.
extern ReportList<std::list<std::string>> invalidAirlineLines;

// output/errors/InvalidAircraftCodes.txt: "{:16} in {}" (code, path).
extern ReportList<std::list<std::string>> invalidModelLines;

// output/errors/Fixes.txt: type codes the database corrects, in the order met.
extern ReportList<std::vector<std::string>> modelFixLines;

// output/errors/InvalidAircraftCfgFiles.txt: problems of a whole file.
extern ReportList<std::list<std::string>> invalidCfgLines;

// output/errors/IncompleFltsimSections.txt: problems of one section.
extern ReportList<std::list<std::string>> incompleteSectionLines;

// output/info/AircraftCfgWithNoFltsimSection.txt: paths of aircraft.cfg
// files without any section.
extern ReportList<std::list<std::string>> noSectionFiles;

// output/info/AirlineModelConversions.txt: the changes the aircraft
// database made to scanned liveries (worker thread only, no mutex).
extern std::vector<std::string> dbaseUpdateLines;

// type -> the other types of its similar group that have liveries, in the
// group's (ascending) order.
extern CodeMap<ModelList> similarModelsInstalled;

// airline -> (type the airline has no livery of -> the similar types it has
// liveries of).
extern CodeMap<CodeMap<ModelList>> airlineSimilarModels;

// Empties all of the liveries' state, as before the first start-up: the
// database, the catalogue (with its match counts and refused titles), the
// scanned liveries and titles, the scan's reports and the similar models;
// the liveries count as not processed.
void gf_resetLiveriesState();
