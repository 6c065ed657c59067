// The worker threads of a scan: results in the order the tasks were handed
// over, no more tasks at once than maxWorkers, the slots given back, and a
// stop that starts no further task.

#include "core/scan_workers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

class ScanWorkersTest : public testing::Test {
protected:
    ScanWorkersTest() : savedMaxWorkers_(maxWorkers) {}
    ~ScanWorkersTest() override {
        maxWorkers = savedMaxWorkers_;
        runStopRequested = false;
        userCloseRequested = false;
    }

private:
    int savedMaxWorkers_;
};

TEST_F(ScanWorkersTest, ResultsInOrderAndNoMoreAtOnceThanTheLimit) {
    for (const int limit : {1, 3}) {
        maxWorkers = limit;
        std::atomic<int> running{0};
        std::atomic<int> mostRunning{0};
        ScanWorkers<int> workers;
        for (int task = 0; task < 40; ++task) {
            ASSERT_TRUE(workers.add([task, &running, &mostRunning]() -> int {
                const int now = ++running;
                int most = mostRunning;
                while (now > most && !mostRunning.compare_exchange_weak(most, now)) {
                }
                // Later tasks end sooner, so they would finish first.
                std::this_thread::sleep_for(std::chrono::microseconds(40 * (40 - task) % 400));
                --running;
                if (task == 7) {
                    throw std::runtime_error("task 7 failed");
                }
                return task;
            }));
        }
        std::vector<std::string> outcomes;
        workers.takeResults([&outcomes](int result) { outcomes.push_back(std::to_string(result)); },
                            [&outcomes](const std::exception_ptr& error) {
                                try {
                                    std::rethrow_exception(error);
                                } catch (const std::exception& exception) {
                                    outcomes.emplace_back(exception.what());
                                }
                            });
        ASSERT_EQ(outcomes.size(), 40u);
        for (int task = 0; task < 40; ++task) {
            EXPECT_EQ(outcomes[task], task == 7 ? "task 7 failed" : std::to_string(task)) << limit;
        }
        EXPECT_LE(mostRunning, limit);
        EXPECT_EQ(runningWorkers, 0) << "every thread gave its slot back";
    }
}

TEST_F(ScanWorkersTest, StopStartsNoFurtherTask) {
    maxWorkers = 1;
    ScanWorkers<int> workers;
    std::atomic<bool> firstStarted{false};
    std::atomic<bool> release{false};
    ASSERT_TRUE(workers.add([&] {
        firstStarted = true;
        while (!release) {
            std::this_thread::yield();
        }
        return 1;
    }));
    ASSERT_TRUE(workers.add([] { return 2; }));
    while (!firstStarted) {
        std::this_thread::yield();
    }
    runStopRequested = true;
    EXPECT_FALSE(workers.add([] { return 3; }));
    release = true;
    std::vector<int> results;
    workers.takeResults([&results](int result) { results.push_back(result); }, [](const std::exception_ptr&) {});
    EXPECT_EQ(results, std::vector<int>{1}) << "the task started runs to its end; the next one does not start";
    EXPECT_EQ(runningWorkers, 0);
}

}  // namespace
