#pragma once
// Log.txt, the program's one log, in the working folder, with the logs of
// the two previous starts beside it (Log0.txt, Log00.txt). Every thread
// writes to it; each line is written whole and flushed at once, under the
// log mutex, which is the innermost lock of the program (a writer takes no
// other lock while it holds it). Until gf_openLogFile has opened the file,
// and when opening failed, lines are dropped silently. The writers may be
// called from any static initialiser and from detached threads until the
// process ends.
//
// A flood of one line must neither hide the rest nor fill the disk: a line
// written again within a second of its last writing is held back and
// counted, the count going with the next writing of that line ("[{} more
// held back]"); and when Log.txt reaches its size cap it is rotated as at
// start (Log.txt to Log0.txt to Log00.txt) and begun anew with its header.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string_view>

// The size at which Log.txt is rotated.
inline constexpr std::uintmax_t kLogSizeCapBytes = 32U * 1024U * 1024U;
// A repeated line is written at most once per this time.
inline constexpr std::chrono::seconds kLogRepeatPeriod{1};

// Keeps the two previous logs, opens Log.txt (forgetting the lines held
// back so far) and writes its header line
// "{time} (utc) Vantrel version {version} for MSFS 2020/2024". Throws
// std::runtime_error "Failed to write file Log.txt" when it cannot open it,
// and the file-system error when an old log cannot be copied.
void gf_openLogFile();

// Copies Log0.txt over Log00.txt and then the given log over Log0.txt, each
// when it exists (the backup names insert "0" and "00" before the path's last
// '.'; a path without '.' is left alone).
void gf_rotateLogFiles(const std::filesystem::path& path);

// "===> " and the text: the common log line of every subsystem.
void gf_writeLog(std::string_view text);
// The text as it is.
void gf_writeLogPlain(std::string_view text);
// Ten blanks and the text.
void gf_writeLogIndented(std::string_view text);
// The text as it is, but nothing while the run is closing (runStopRequested
// or userCloseRequested set).
void gf_writeLogIfRunning(std::string_view text);

// The clock by which repeated lines are held back: the steady clock, unless
// a test puts its own in place (nullptr restores the steady clock).
using LogClock = std::chrono::steady_clock::time_point (*)();
void gf_setLogClock(LogClock now);
