#pragma once
// The files that the add-on airport scan writes into airports/my_thirdparty
// (redirect files and generated stand files). The folder is shared with the
// user, who may place stand files of their own there, so a new scan removes
// only what an earlier scan wrote: the names of those files are kept in
// airports/addon_scan_files.txt, one a line.

#include <string>
#include <vector>

// Removes the files of airports/my_thirdparty that the list names and that
// are still regular files, then forgets the list; every other entry of the
// folder stays. Without a list nothing is removed. A removal that fails
// throws std::filesystem::filesystem_error "remove".
void gf_removePreviousScanOutputs();

// Notes that the scan wrote the file of that name into airports/my_thirdparty;
// callable from any thread.
void gf_noteScanOutput(const std::string& fileName);

// The stems (ICAO codes) of the noted stand files (".xml" in any case) that
// still exist, in byte order.
std::vector<std::string> gf_notedStandFileStems();

// Writes the list of the noted files that still exist (the scan's end may
// have removed some), for the next scan. False when it cannot be written.
bool gf_saveScanOutputs();
