// The worker threads of a scan: results in the order the tasks were handed
// over, across batches and threads, no more tasks at once than maxWorkers,
// the slots given back, and a stop that starts no further batch.

#include "core/core_state.h"
#include "core/scan_workers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstddef>
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
    struct Case {
        int limit;
        std::size_t batchSize;  // 7: the last batch is not full; 64: the only batch is the last
    };
    for (const auto [limit, batchSize] : {Case{1, 1}, Case{3, 1}, Case{1, 4}, Case{3, 4}, Case{3, 7}, Case{3, 64}}) {
        maxWorkers = limit;
        std::atomic<int> running{0};
        std::atomic<int> mostRunning{0};
        ScanWorkers<int> workers(batchSize);
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
            EXPECT_EQ(outcomes[task], task == 7 ? "task 7 failed" : std::to_string(task)) << limit << ' ' << batchSize;
        }
        EXPECT_LE(mostRunning, limit);
        EXPECT_EQ(runningWorkers, 0) << "every thread gave its slot back";
    }
}

// The first task blocks until the stop has been requested; the second is in
// the same batch or the next one.
TEST_F(ScanWorkersTest, StopStartsNoFurtherBatch) {
    struct Case {
        std::size_t batchSize;
        std::vector<int> results;
        const char* why;
    };
    for (const auto& [batchSize, expected, why] :
         {Case{1, {1}, "the task started runs to its end; the next one does not start"},
          Case{2, {1, 2}, "the batch started runs to its end; the next one does not start"}}) {
        runStopRequested = false;
        maxWorkers = 1;
        ScanWorkers<int> workers(batchSize);
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
        workers.takeResults([&results](int result) { results.push_back(result); },
                            [](const std::exception_ptr&) {});
        EXPECT_EQ(results, expected) << why;
        EXPECT_EQ(runningWorkers, 0);
    }
}

}  // namespace
