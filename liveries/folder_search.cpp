#include "liveries/folder_search.h"

#include <algorithm>
#include <array>
#include <deque>
#include <future>
#include <list>
#include <string>
#include <string_view>
#include <thread>

#include "core/format.h"
#include "core/log.h"
#include "core/strings.h"
#include "core/worker_slots.h"
#include "liveries/aircraft_cfg.h"
#include "liveries/ivao_cfg.h"
#include "liveries/livery_data.h"
#include "platform/os/folder_walk.h"

namespace {

using FileTask = std::list<LiveryData>(std::int32_t, const std::filesystem::path&);
using TaskResult = std::future<std::list<LiveryData>>;

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

// Frees the task's worker slot when the task ends, whichever way.
struct WorkerSlotRelease {
    WorkerSlotRelease() = default;
    WorkerSlotRelease(const WorkerSlotRelease&) = delete;
    WorkerSlotRelease& operator=(const WorkerSlotRelease&) = delete;
    ~WorkerSlotRelease() { gf_releaseWorkerSlot(); }
};

// The results of the started tasks, oldest first.
class PendingTasks {
public:
    PendingTasks() = default;
    PendingTasks(const PendingTasks&) = delete;
    PendingTasks& operator=(const PendingTasks&) = delete;
    // However the search ends, it returns only when no task runs.
    ~PendingTasks() { takeAll(); }

    // Starts the task on a detached thread of its own and counts its slot.
    void start(FileTask* task, std::int32_t folderOrdinal, const std::filesystem::path& path) {
        // The slot is freed before the result is handed over, so that a
        // taken result means a free slot.
        std::packaged_task<std::list<LiveryData>()> packaged([task, folderOrdinal, path] {
            const WorkerSlotRelease release;
            return task(folderOrdinal, path);
        });
        TaskResult result = packaged.get_future();
        std::thread(std::move(packaged)).detach();
        ++runningWorkers;
        results_.push_back(std::move(result));
    }

    // Takes the oldest results while more are pending than may run at once.
    void takeOverflow() {
        while (results_.size() > static_cast<std::size_t>(std::max(maxWorkers, 1))) {
            takeOldest("inner");
        }
    }

    void takeAll() {
        while (!results_.empty()) {
            takeOldest("outer");
        }
    }

private:
    // Waits for the oldest task and splices its records to the end of liveryList.
    void takeOldest(std::string_view where) {
        TaskResult result = std::move(results_.front());
        results_.pop_front();
        try {
            liveryList.splice(liveryList.end(), result.get());
        } catch (const std::exception& error) {
            gf_writeLog(fmtlib::format("liveries search aborted, futs {}, {}", where, error.what()));
        }
    }

    std::deque<TaskResult> results_;
};

// Handles the walk's current entry: starts a task for an aircraft.cfg.
// False when a stop was requested and no task may start.
bool lf_handleEntry(platform::FolderWalk& walk, std::int32_t folderOrdinal, PendingTasks& pending) {
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
        if (!gf_waitForWorkerSlot()) {
            return false;
        }
        const bool ivao = lf_contains(text, "ivao_x-csl") || lf_contains(text, "IVAO_MTL");
        pending.start(ivao ? searchIvaoLiveriesInFile : lf_searchLiveriesinFile, folderOrdinal, path);
        pending.takeOverflow();
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("liveries search in {} aborted, cause: {}", text, error.what()));
    }
    return true;
}

}  // namespace

void searchLiveriesInFolder(std::int32_t folderOrdinal, const std::filesystem::path& folder) {
    PendingTasks pending;
    try {
        for (platform::FolderWalk walk(folder); !walk.done(); walk.next()) {
            if (!lf_handleEntry(walk, folderOrdinal, pending)) {
                break;
            }
        }
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("liveries search in folder {} aborted because of iterator problem: {}",
                                   folder.string(), error.what()));
    }
    pending.takeAll();
}
