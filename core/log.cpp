#include "core/log.h"

#include <chrono>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <string>

#include "core/calendar.h"
#include "core/format.h"
#include "core/version.h"
#include "run/run_flags.h"

namespace {

// logStream and logMutex. Built on first use and never destroyed, so a
// writer works from a global constructor in any file, whatever the order of
// construction, and from a detached thread that still runs while the
// process exits (the file is flushed after every line, so nothing is lost).
struct LogSink {
    std::mutex mutex;        // guards stream; innermost lock: message line, then log
    std::ofstream stream;    // Log.txt; closed until gf_openLogFile
};

LogSink& lf_sink() {
    static auto* sink = new LogSink;
    return *sink;
}

constexpr std::string_view kLogPath = "Log.txt";
constexpr std::string_view kLogPrefix = "===> ";
constexpr std::string_view kIndent = "          ";

void lf_writeLine(std::string_view prefix, std::string_view text) {
    LogSink& sink = lf_sink();
    const std::lock_guard lock(sink.mutex);
    if (!sink.stream.is_open()) {
        return;
    }
    sink.stream << prefix << text << '\n';
    sink.stream.flush();
}

void lf_copyIfExists(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (std::filesystem::exists(from)) {
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
    }
}

std::string lf_headerLine() {
    const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    return fmtlib::format("{} (utc) {} version {} for {}", gf_formatTime(now), "Vantrel",
                          gf_formatVersion(programVersion), "MSFS 2020/2024");
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
    {
        LogSink& sink = lf_sink();
        const std::lock_guard lock(sink.mutex);
        if (sink.stream.is_open()) {
            sink.stream.close();
        }
        sink.stream.clear();
        sink.stream.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
        if (!sink.stream.is_open()) {
            throw std::runtime_error("Failed to write file " + path.string());
        }
    }
    gf_writeLogPlain(lf_headerLine());
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
