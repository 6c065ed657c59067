#pragma once
// The search of one folder of the simulator's packages (Official or
// Community) for BGL files with airports. The folder is walked in the order
// Windows lists it (platform/os/folder_walk.h); each BGL file with an
// airport section is read by a task (lf_processBGLfile) on one of the
// scan's worker threads, at most maxWorkers at once (core/scan_workers.h).
// Every line goes to the scan log.

#include <filesystem>
#include <string_view>

// Runs on the worker thread. Folder trees that cannot hold add-on airports
// (isExcludedFolder) are not entered; a file is read when isBglFile takes
// its extension, its path holds none of "statics", "AFCAD Updates" and
// "_heliports", and bglHasAirportSection is true for it. A stop request
// (either stop flag) starts no further task. However the walk ends, every
// task started is waited for before the search returns. Failures are logged
// with "===> " first and the search goes on where it can:
//   "airports search in folder {} aborted, cause: {}"   one entry (its status,
//                                                        the tests, its task)
//   "airports search in {} aborted, futs outer error: {}"   a task that failed
//   "airports search in folder {} aborted because of iterator problem: {}"
//                                                        the walk itself; it ends
void searchAddonAirportsInFolder(const std::filesystem::path& folder);

// Paths of 250 characters or more, and those holding (case-sensitive)
// "fs-base", "tutorials", "aircraft", "bushtrip", "discovery",
// "point-of-interest", "simobjects", "vcockpits", "aig-aitraffic",
// "justflight-aicraft", "fsltl", "gsx-pro", "gsx-world" or "landingchallenge".
bool isExcludedFolder(std::string_view path);

// ".BGL" and ".bgl"; no other mix of case.
bool isBglFile(std::string_view extension);
