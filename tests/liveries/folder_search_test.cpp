// The threaded search of one liveries folder: which files are read, the
// order their liveries arrive in whatever the number of worker threads,
// stop requests, a folder that cannot be walked.

#include "core/core_state.h"
#include "liveries/folder_search.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "core/run_flags.h"
#include "core/worker_slots.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_data.h"
#include "liveries/support/cfg_files.h"
#include "liveries/support/liveries_fixture.h"

namespace {

namespace fs = std::filesystem;

class FolderSearchTest : public test::LiveriesTest {
protected:
    FolderSearchTest() { loadDbase(); }

    // An aircraft.cfg of B738 liveries of KLM with these titles.
    static void writeAircraft(const fs::path& file, std::initializer_list<const char*> titles) {
        std::string text = "[GENERAL]\nicao_type_designator = B738\n";
        int number = 0;
        for (const char* title : titles) {
            text += "[fltsim." + std::to_string(number++) + "]\ntitle = " + title + "\nicao_airline = KLM\n";
        }
        test::writeCfgFile(file, text);
    }

    static std::vector<std::string> titles() {
        std::vector<std::string> found;
        for (const LiveryData& livery : liveryList) {
            found.push_back(livery.title);
        }
        return found;
    }

    const fs::path root = folder() / "pkg";
};

TEST_F(FolderSearchTest, LiveriesArriveInWalkOrderWhateverTheWorkers) {
    const fs::path airplanes = root / "SimObjects" / "Airplanes";
    writeAircraft(airplanes / "C" / "aircraft.cfg", {"C1"});
    writeAircraft(airplanes / "A" / "aircraft.cfg", {"A1", "A2"});
    writeAircraft(airplanes / "b" / "Aircraft.CFG", {"B1"});
    writeAircraft(airplanes / "airport-stuff" / "aircraft.cfg", {"E1"});  // not entered

    writeAircraft(root / "flytampa" / "aircraft.cfg", {"F1"});
    writeAircraft(root / "_CVT_copy" / "aircraft.cfg", {"V1"});
    fs::create_directories(airplanes / "D" / "AIRCRAFT.CFG");  // a folder: not taken
    writeAircraft(airplanes / "D" / "aircraft.txt", {"D1"});
    for (const int workers : {1, 3, 16}) {
        SCOPED_TRACE(workers);
        maxWorkers = workers;
        liveryList.clear();
        liveryTitles.clear();
        searchLiveriesInFolder(7, root);
        EXPECT_EQ(titles(), (std::vector<std::string>{"A1", "A2", "B1", "C1"}));
        EXPECT_TRUE(std::all_of(liveryList.begin(), liveryList.end(), [](const LiveryData& l) { return l.folderOrdinal == 7; }));
        EXPECT_EQ(runningWorkers, 0) << "every task ended";
    }
    for (const std::string& line : logLines()) {
        EXPECT_EQ(line.find("AIRCRAFT.CFG"), std::string::npos) << "a folder is not read as a file: " << line;
    }
}

// The workers take the files in batches: across several of them, the last
// one not full, the liveries still come in the order of the walk.
TEST_F(FolderSearchTest, LiveriesOfManyFilesArriveInWalkOrder) {
    std::vector<std::string> all;
    for (int index = 100; index < 175; ++index) {
        const std::string name = "m" + std::to_string(index);
        writeAircraft(root / name / "aircraft.cfg", {(name + "a").c_str(), (name + "b").c_str()});
        all.push_back(name + "a");
        all.push_back(name + "b");
    }
    for (const int workers : {1, 3, 8}) {
        SCOPED_TRACE(workers);
        maxWorkers = workers;
        liveryList.clear();
        liveryTitles.clear();
        searchLiveriesInFolder(1, root);
        EXPECT_EQ(titles(), all);
        EXPECT_EQ(runningWorkers, 0) << "every task ended";
    }
}

TEST_F(FolderSearchTest, AFolderNamedForAnAirportIsReadOneLevelDeep) {
    const fs::path airportFolder = folder() / "my-airport-traffic";
    writeAircraft(airportFolder / "aircraft.cfg", {"top"});
    writeAircraft(airportFolder / "below" / "aircraft.cfg", {"below"});
    searchLiveriesInFolder(1, airportFolder);
    EXPECT_EQ(titles(), std::vector<std::string>{"top"});
}

TEST_F(FolderSearchTest, LongPathsAreNotEntered) {
    // Folders whose path text has 249 and 250 characters.
    const std::size_t rootLength = root.string().size() + 1;
    ASSERT_LT(rootLength + 10, 249u);
    const fs::path shorter = root / std::string(249 - rootLength, 's');
    const fs::path longer = root / std::string(250 - rootLength, 'z');
    writeAircraft(shorter / "aircraft.cfg", {"249"});  // the file's own path is longer: met directly, read
    writeAircraft(longer / "aircraft.cfg", {"250"});
    searchLiveriesInFolder(1, root);
    EXPECT_EQ(titles(), std::vector<std::string>{"249"});
}

TEST_F(FolderSearchTest, StopRequestStartsNoFurtherTask) {
    std::vector<std::string> all;
    for (int index = 100; index < 160; ++index) {
        all.push_back("x" + std::to_string(index));
        writeAircraft(root / all.back() / "aircraft.cfg", {all.back().c_str()});
    }
    runStopRequested = true;
    searchLiveriesInFolder(1, root);
    EXPECT_TRUE(liveryList.empty());

    // A stop from another thread once files are being read: the search
    // returns with the liveries of the files it had started, in order, and
    // no task is left running.
    runStopRequested = false;
    maxWorkers = 2;
    std::atomic<bool> searching{true};
    std::thread stopper([&searching] {
        const auto anyTaken = [] {
            const std::lock_guard lock(titleSetMutex);
            return !liveryTitles.empty();
        };
        while (searching && !anyTaken()) {
            std::this_thread::yield();
        }
        userCloseRequested = true;
    });
    searchLiveriesInFolder(1, root);
    searching = false;
    stopper.join();
    EXPECT_EQ(runningWorkers, 0);
    const auto found = titles();
    ASSERT_LE(found.size(), all.size());
    EXPECT_TRUE(std::equal(found.begin(), found.end(), all.begin())) << found.size();
}

// A folder that cannot be opened ends the walk; the files handed to tasks
// before it are still read and kept, and every task has ended when the
// search returns. Run in a child process, as another user than root where
// the tests run as root (root opens every folder).
TEST_F(FolderSearchTest, FolderThatCannotBeOpenedEndsTheSearch) {
    writeAircraft(root / "a" / "aircraft.cfg", {"a1", "a2"});
    writeAircraft(root / "b-locked" / "aircraft.cfg", {"b1"});
    writeAircraft(root / "c" / "aircraft.cfg", {"c1"});
    for (const auto& entry : fs::recursive_directory_iterator(folder())) {
        fs::permissions(entry.path(), entry.is_directory() ? fs::perms(0755) : fs::perms(0666));
    }
    fs::permissions(folder(), fs::perms(0755));
    fs::permissions(root / "b-locked", fs::perms::none);
    maxWorkers = 16;
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(2);
        }
        searchLiveriesInFolder(1, root);
        const bool expected = titles() == std::vector<std::string>{"a1", "a2"} && runningWorkers == 0;
        ::_exit(expected ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    fs::permissions(root / "b-locked", fs::perms(0755));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: other liveries, or a task still running; 2: no other user";
    const auto lines = logLines();
    EXPECT_TRUE(lines.back().starts_with("===> liveries search in folder " + root.string() +
                                          " aborted because of iterator problem: "))
        << lines.back();
}

}  // namespace
