#pragma once
// The search of one liveries folder (an AI traffic package, or a folder the
// user named in lfolder0 to lfolder9) for aircraft.cfg files. Each file is
// read by a task (liveries/aircraft_cfg.h, liveries/ivao_cfg.h) on one of
// the scan's worker threads, at most maxWorkers at once
// (core/scan_workers.h); the records are appended to liveryList in the order
// the walk met the files, whatever order the threads end in, and within a
// file in section order.

#include <cstdint>
#include <filesystem>

// Runs on the worker thread. Does not enter folders whose path holds the
// name of an airport or scenery maker, or "_CVT_", or has 250 characters or
// more (files met there directly are still read). A folder that cannot be
// walked ends the search with the log line "liveries search in folder {}
// aborted because of iterator problem: {}". A stop request (either stop
// flag) starts no further task. Either way every task started is waited
// for, and its records kept, before the search returns: no task is left
// running once it has returned. A task that fails (it catches its own
// errors, so this is unexpected) is logged "liveries search aborted, futs
// outer, {}".
void searchLiveriesInFolder(std::int32_t folderOrdinal, const std::filesystem::path& folder);
