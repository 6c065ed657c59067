#include "liveries/folder_search.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <exception>
#include <list>
#include <string>
#include <string_view>

#include "core/format.h"
#include "core/log.h"
#include "core/scan_workers.h"
#include "core/strings.h"
#include "liveries/aircraft_cfg.h"
#include "liveries/ivao_cfg.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_data.h"
#include "platform/os/folder_walk.h"

namespace {

using FileTask = std::list<LiveryData>(std::int32_t, const std::filesystem::path&);
using FileTasks = ScanWorkers<std::list<LiveryData>>;

// Files handed to a worker thread at once: an aircraft.cfg is read in tens
// of microseconds, less than waking a thread for it costs.
constexpr std::size_t kFilesPerBatch = 32;

// Folders of airports and scenery makers hold no AI aircraft worth reading;
// "_CVT_" marks converted copies of packages. Compared exactly.
constexpr std::array<std::string_view, 9> kNotEnteredWords = {
    "airport", "lvfr", "mkstudios", "simwings", "fsdreamteam", "navigraph", "flytampa", "inibuilds", "_CVT_"};
// Paths this long are not entered: Windows opens no path of 260 characters
// or more, and the files below would come close.
constexpr std::size_t kMaxEnteredPathLength = 250;

bool lf_contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool lf_isAircraftCfg(const std::filesystem::directory_entry& entry) {
    return entry.is_regular_file() && gf_equalsUpperCase(".CFG", entry.path().extension().string()) &&
           gf_equalsUpperCase("AIRCRAFT", entry.path().stem().string());
}

// Handles the walk's current entry: hands a task over for an aircraft.cfg.
// False when a stop was requested and no task may start.
bool lf_handleEntry(platform::FolderWalk& walk, std::int32_t folderOrdinal, FileTasks& tasks) {
    const std::filesystem::path& path = walk.entry().path();
    const std::string text = path.string();
    if (text.size() >= kMaxEnteredPathLength ||
        std::ranges::any_of(kNotEnteredWords, [&text](std::string_view word) { return lf_contains(text, word); })) {
        walk.skipContent();
    }
    try {
        if (!lf_isAircraftCfg(walk.entry())) {
            return true;
        }
        const bool ivao = lf_contains(text, "ivao_x-csl") || lf_contains(text, "IVAO_MTL");
        FileTask* task = ivao ? searchIvaoLiveriesInFile : lf_searchLiveriesinFile;
        return tasks.add([task, folderOrdinal, path] { return task(folderOrdinal, path); });
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("liveries search in {} aborted, cause: {}", text, error.what()));
    }
    return true;
}

}  // namespace

void searchLiveriesInFolder(std::int32_t folderOrdinal, const std::filesystem::path& folder) {
    FileTasks tasks(kFilesPerBatch);
    try {
        for (platform::FolderWalk walk(folder); !walk.done(); walk.next()) {
            if (!lf_handleEntry(walk, folderOrdinal, tasks)) {
                break;
            }
        }
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("liveries search in folder {} aborted because of iterator problem: {}",
                                   folder.string(), error.what()));
    }
    // Every task started is waited for, also after a stop or a failed walk;
    // the file tasks catch their own exceptions, so one here is unexpected.
    tasks.takeResults([](std::list<LiveryData> liveries) { liveryList.splice(liveryList.end(), liveries); },
                      [](const std::exception_ptr& error) {
                          try {
                              std::rethrow_exception(error);
                          } catch (const std::exception& exception) {
                              gf_writeLog(fmtlib::format("liveries search aborted, futs outer, {}", exception.what()));
                          }
                      });
}
