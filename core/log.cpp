#include "core/log.h"

#include <chrono>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <string>
#include <utility>
#include <unordered_map>

#include "core/calendar.h"
#include "core/core_state.h"
#include "core/format.h"
#include "core/run_flags.h"
#include "core/version.h"
#include "platform/os/file_copy.h"

namespace {

// logStream and logMutex. Built on first use and never destroyed, so a
// writer works from a global constructor in any file, whatever the order of
// construction, and from a detached thread that still runs while the
// process exits (the file is flushed after every line, so nothing is lost).
// When a line was last written, and how often it was held back since.
struct LineRepeat {
    std::chrono::steady_clock::time_point written;
    std::uint64_t heldBack = 0;
};

struct LogSink {
    // Its place in the lock order: docs/locks.md.
    std::mutex mutex;        // guards the rest; innermost lock: message line, then log
    std::ofstream stream;    // Log.txt; closed until gf_openLogFile
    std::uintmax_t size = 0;  // bytes in Log.txt
    std::unordered_map<std::string, LineRepeat> repeats;  // lines written within the last second or so
    std::chrono::steady_clock::time_point forgotten;  // when old lines were last forgotten
    LogClock now = nullptr;
};

LogSink& lf_sink() {
    static auto* sink = new LogSink;
    return *sink;
}

constexpr std::string_view kLogPath = "Log.txt";
constexpr std::string_view kLogPrefix = "===> ";
constexpr std::string_view kIndent = "          ";
// Lines remembered at most; when they are full, those not written within
// the last second are forgotten (their held-back counts written first), at
// most once a second.
constexpr std::size_t kRememberedLines = 1024;

std::chrono::steady_clock::time_point lf_now(const LogSink& sink) {
    return sink.now != nullptr ? sink.now() : std::chrono::steady_clock::now();
}

std::string lf_headerLine() {
    const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    return fmtlib::format("{} (utc) {} version {} for {}", gf_formatTime(now), "Vantrel",
                          gf_formatVersion(programVersion), "MSFS 2020/2024");
}

// Opens Log.txt afresh (truncated) and writes its header. Under the mutex.
void lf_openUnlocked(LogSink& sink, const std::filesystem::path& path) {
    if (sink.stream.is_open()) {
        sink.stream.close();
    }
    sink.stream.clear();
    sink.stream.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
    sink.size = 0;
    if (!sink.stream.is_open()) {
        throw std::runtime_error("Failed to write file " + path.string());
    }
    const std::string header = lf_headerLine();
    sink.stream << header << '\n';
    sink.stream.flush();
    sink.size = header.size() + 1;
}

// At the size cap, Log.txt moves to Log0.txt as at start and begins anew.
// A failed copy loses the old log rather than letting Log.txt grow on; a
// Log.txt that cannot be opened again leaves the writers silent.
void lf_rotateAtCap(LogSink& sink, std::size_t lineSize) {
    if (sink.size + lineSize <= kLogSizeCapBytes) {
        return;
    }
    const std::filesystem::path path{kLogPath};
    sink.stream.close();
    try {
        gf_rotateLogFiles(path);
    } catch (const std::filesystem::filesystem_error&) {
        // nothing better to do than to start the log anew
    }
    try {
        lf_openUnlocked(sink, path);
    } catch (const std::runtime_error&) {
        // the log stays closed
    }
}

void lf_writeUnlocked(LogSink& sink, std::string_view line, std::uint64_t heldBack) {
    std::string text{line};
    if (heldBack != 0) {
        text += fmtlib::format(" [{} more held back]", heldBack);
    }
    lf_rotateAtCap(sink, text.size() + 1);
    if (!sink.stream.is_open()) {
        return;
    }
    sink.stream << text << '\n';
    sink.stream.flush();
    sink.size += text.size() + 1;
}

// Forgets the lines last written a second or more ago, writing the counts
// of those held back since.
void lf_forgetOldLines(LogSink& sink, std::chrono::steady_clock::time_point now) {
    for (auto entry = sink.repeats.begin(); entry != sink.repeats.end();) {
        if (now - entry->second.written < kLogRepeatPeriod) {
            ++entry;
            continue;
        }
        if (entry->second.heldBack != 0) {
            lf_writeUnlocked(sink, entry->first, entry->second.heldBack);
        }
        entry = sink.repeats.erase(entry);
    }
}

void lf_writeLine(std::string_view prefix, std::string_view text) {
    LogSink& sink = lf_sink();
    const std::lock_guard lock(sink.mutex);
    if (!sink.stream.is_open()) {
        return;
    }
    std::string line{prefix};
    line += text;
    const auto now = lf_now(sink);
    if (const auto found = sink.repeats.find(line); found != sink.repeats.end()) {
        LineRepeat& repeat = found->second;
        if (now - repeat.written < kLogRepeatPeriod) {
            ++repeat.heldBack;
            return;
        }
        repeat.written = now;
        lf_writeUnlocked(sink, line, std::exchange(repeat.heldBack, 0));
        return;
    }
    if (sink.repeats.size() >= kRememberedLines && now - sink.forgotten >= kLogRepeatPeriod) {
        lf_forgetOldLines(sink, now);
        sink.forgotten = now;
    }
    lf_writeUnlocked(sink, line, 0);
    // A flood of ever different lines is written as it comes, unremembered.
    if (sink.repeats.size() < kRememberedLines) {
        sink.repeats.emplace(std::move(line), LineRepeat{now, 0});
    }
}

void lf_copyIfExists(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (std::filesystem::exists(from)) {
        if (const std::error_code error = platform::copyFileReplacing(from, to)) {
            throw std::filesystem::filesystem_error("cannot copy file", from, to, error);
        }
    }
}


}  // namespace

void gf_rotateLogFiles(const std::filesystem::path& path) {
    const std::string text = path.string();
    const auto dot = text.rfind('.');
    if (dot == std::string::npos) {
        return;
    }
    const std::filesystem::path firstBackup = text.substr(0, dot) + "0" + text.substr(dot);
    const std::filesystem::path secondBackup = text.substr(0, dot) + "00" + text.substr(dot);
    lf_copyIfExists(firstBackup, secondBackup);
    lf_copyIfExists(path, firstBackup);
}

void gf_openLogFile() {
    const std::filesystem::path path{kLogPath};
    gf_rotateLogFiles(path);
    LogSink& sink = lf_sink();
    const std::lock_guard lock(sink.mutex);
    sink.repeats.clear();
    sink.forgotten = {};
    lf_openUnlocked(sink, path);
}

void gf_setLogClock(LogClock now) {
    LogSink& sink = lf_sink();
    const std::lock_guard lock(sink.mutex);
    sink.now = now;
}

void gf_writeLog(std::string_view text) { lf_writeLine(kLogPrefix, text); }

void gf_writeLogPlain(std::string_view text) { lf_writeLine({}, text); }

void gf_writeLogIndented(std::string_view text) { lf_writeLine(kIndent, text); }

void gf_writeLogIfRunning(std::string_view text) {
    if (runStopRequested || userCloseRequested) {
        return;
    }
    lf_writeLine({}, text);
}
