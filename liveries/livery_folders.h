#pragma once
// Which folders a livery scan reads, in order. In manual mode the folders
// the user set in lfolder0 to lfolder9; in automatic mode the AI traffic
// packages of the simulator's Community folder: one AIG, one FSLTL and one
// Just Flight package in the order AI_PACKAGE_SELECTOR gives, then a
// user-aitraffic package. A folder's place among the folders that exist is
// the folder ordinal of its liveries (liveries/livery_scan.h).

#include <filesystem>
#include <vector>

using LiveryFolders = std::vector<std::filesystem::path>;

// The detectors: each appends the first entry of the Community folder (in
// folder order, as Windows lists it) whose name holds one of its package
// names and not "_CVT_" (a converted copy), logs it ("Automatic AIG scan
// found folder: '{}'", and FSLTL, JF, user-aitraffic), and appends nothing
// when none does. Throws std::filesystem::filesystem_error when the
// Community folder cannot be listed.
void detectAigFolder(const std::filesystem::path& community, LiveryFolders& folders);
void detectFsltlFolder(const std::filesystem::path& community, LiveryFolders& folders);
void detectJfFolder(const std::filesystem::path& community, LiveryFolders& folders);
void detectUserAitrafficFolder(const std::filesystem::path& community, LiveryFolders& folders);

// Replaces the list with the folders to scan. Manual mode (LIG_AUTOMATIC
// off): the lfolder settings that are set, in key order, each a Windows path
// (platform/os/windows_paths.h); none set raises qrx::UserErrorException 48.
// Automatic mode: nothing when no install path of the current simulator is
// stored; otherwise the detectors on its Community folder. An
// AI_PACKAGE_SELECTOR that is not one of its choices raises the runtime
// error "AI_PACKAGE_SELECTOR not set".
void getLiveryFolders(LiveryFolders& folders);
