// SIGINT and SIGTERM sent to the process call the function on the watcher's
// thread, one call per signal, and do not end the process.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>
#include <unistd.h>

#include "platform/os/termination_signals.h"

namespace {

bool lf_waitForCount(const std::atomic<int>& count, int wanted) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds{5};
    while (count < wanted && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds{5});
    }
    return count == wanted;
}

TEST(TerminationSignals, EachSignalCallsTheFunctionOnItsOwnThread) {
    std::atomic<int> calls{0};
    std::atomic<bool> onOtherThread{false};
    const std::thread::id testThread = std::this_thread::get_id();
    {
        const platform::TerminationSignals signals([&] {
            onOtherThread = std::this_thread::get_id() != testThread;
            ++calls;
        });
        ::kill(::getpid(), SIGTERM);
        ASSERT_TRUE(lf_waitForCount(calls, 1));
        ::kill(::getpid(), SIGINT);
        ASSERT_TRUE(lf_waitForCount(calls, 2));
    }
    EXPECT_TRUE(onOtherThread);
    EXPECT_EQ(calls, 2);  // its own end is no call
}

}  // namespace
