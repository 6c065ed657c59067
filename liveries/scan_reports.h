#pragma once
// What a livery scan finds wrong, collected while it runs and written at its
// end to report files under output/errors and output/info, with a count line
// per file in the log. A bad file or section never stops the scan.
//
// The file tasks (one thread per aircraft.cfg) append to the lists, each
// under the list's own mutex; everything else runs on the worker thread
// once every task has ended, and reads the lists without a lock.

#include <list>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// A report list and its mutex, which guards the lines and is a leaf lock:
// nothing else is taken while it is held.
template <class Lines>
struct ReportList {
    // Its place in the lock order: docs/locks.md.
    std::mutex mutex;
    Lines lines;

    void append(std::string line) {
        const std::lock_guard lock(mutex);
        lines.push_back(std::move(line));
    }
};

// The sinks of the section readers.
void lf_addInvalidAirlineLine(std::string_view code, std::string_view path, std::string_view header);
void lf_addInvalidModelLine(std::string_view code, std::string_view path);
void lf_addModelFixLine(std::string line);
void lf_addInvalidCfgLine(std::string line);
void lf_addIncompleteSectionLine(std::string line);

// Removes the report files of the previous scan and then the folder
// output/errors (which stays when it holds other files). A missing file is
// no error; the first removal that fails ends the removal with the log line
// "problems with removing previous files: {}". LiveriesScanned.xml is not
// removed: it stays in use until a scan has written its successor whole.
void removePreviousScanFiles();

// Writes every non-empty list to its file (sorted, but for the model fixes
// and the database changes, which keep their order; section reports once
// each) and logs "\nNo errors" or "\nErrors:", a count line per file,
// "\nInformation:" and the count lines of output/info. output/errors is
// made when missing; its parent must exist. Throws
// std::filesystem::filesystem_error ("exists", "create_directory") when
// output/errors can be neither found nor made.
void writeLiveryScanReport();

// Empties every report list, liveryTitles and dontUseTitles, so that the
// next scan starts from nothing.
void clearScanReportLists();
