#include "scanner/airport_folder_search.h"

#include <algorithm>
#include <array>
#include <exception>
#include <string>

#include "core/data_paths.h"
#include "core/format.h"
#include "core/scan_workers.h"
#include "platform/os/folder_walk.h"
#include "scanner/bgl_file.h"
#include "scanner/bgl_scan.h"
#include "scanner/scan_log.h"

namespace {

// A file task has nothing to hand back: it writes its files itself.
using FileTasks = ScanWorkers<bool>;

// Package folders that hold no airports of their own; compared exactly.
constexpr std::array<std::string_view, 13> kExcludedWords = {
    "tutorials",     "aircraft",           "bushtrip", "discovery", "point-of-interest",
    "simobjects",    "vcockpits",          "aig-aitraffic",         "justflight-aicraft",
    "fsltl",         "gsx-pro",            "gsx-world",             "landingchallenge"};
// Folders of scenery files without airports worth reading; compared exactly.
constexpr std::array<std::string_view, 3> kSkippedFileWords = {"statics", "AFCAD Updates", "_heliports"};
// Windows opens no path of 260 characters or more; the files below such a
// folder would come close.
constexpr std::size_t kMaxEnteredPathLength = 250;

bool lf_contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

std::string lf_errorLine(std::string_view format, const std::filesystem::path& folder, std::string_view what) {
    return "===> " + fmtlib::format(fmtlib::runtime(format), folder.string(), what);
}

bool lf_isAirportFile(const std::filesystem::directory_entry& entry, std::string_view text) {
    return entry.is_regular_file() && isBglFile(entry.path().extension().string()) &&
           std::ranges::none_of(kSkippedFileWords, [text](std::string_view word) { return lf_contains(text, word); }) &&
           bglHasAirportSection(entry.path());
}

// Handles the walk's current entry: hands a task over for a BGL file with
// airports. False when a stop was requested and no task may start.
bool lf_handleEntry(platform::FolderWalk& walk, const std::filesystem::path& folder, FileTasks& tasks) {
    const std::filesystem::path& path = walk.entry().path();
    const std::string text = path.string();
    if (isExcludedFolder(text)) {
        walk.skipContent();
        return true;
    }
    try {
        if (lf_isAirportFile(walk.entry(), text)) {
            return tasks.add([path] {
                lf_processBGLfile(path);
                return true;
            });
        }
    } catch (const std::exception& error) {
        addScanLogLine(lf_errorLine("airports search in folder {} aborted, cause: {}", folder, error.what()));
    }
    return true;
}

}  // namespace

void searchAddonAirportsInFolder(const std::filesystem::path& folder) {
    addScanLogLine("Scanning for addon airports in " + folder.string());
    FileTasks tasks;
    try {
        for (platform::FolderWalk walk(folder); !walk.done(); walk.next()) {
            if (!lf_handleEntry(walk, folder, tasks)) {
                break;
            }
        }
    } catch (const std::exception& error) {
        addScanLogLine(
            lf_errorLine("airports search in folder {} aborted because of iterator problem: {}", folder, error.what()));
    }
    // Every task started is waited for, also after a stop or a failed walk.
    tasks.takeResults([](bool /*done*/) {},
                      [&folder](const std::exception_ptr& error) {
                          try {
                              std::rethrow_exception(error);
                          } catch (const std::exception& exception) {
                              addScanLogLine(lf_errorLine("airports search in {} aborted, futs outer error: {}",
                                                          folder, exception.what()));
                          } catch (...) {
                              addScanLogLine(lf_errorLine("airports search in {} aborted, futs outer error: {}",
                                                          folder, "unknown exception"));
                          }
                      });
}

bool isExcludedFolder(std::string_view path) {
    return path.size() >= kMaxEnteredPathLength || lf_contains(path, kBaseFolderWord) ||
           std::ranges::any_of(kExcludedWords, [path](std::string_view word) { return lf_contains(path, word); });
}

bool isBglFile(std::string_view extension) { return extension == ".BGL" || extension == ".bgl"; }
