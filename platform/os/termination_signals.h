#pragma once
// A Windows program with a window ends when its window is closed. Here a
// program can also be asked to end from its terminal (Ctrl-C: SIGINT) or by
// another process (SIGTERM): while an object of this class lives, each such
// signal calls the given function on a thread of its own, where it may do
// what any thread may (set flags, post a message), and the process is not
// killed by it.
//
// Make it at the start of main, before any other thread starts: the
// signals are blocked in the thread that makes it and in every thread
// started afterwards, so that only its own thread takes them.

#include <atomic>
#include <functional>
#include <thread>

namespace platform {

class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void watch();

    std::function<void()> onSignal_;
    std::atomic<bool> stopping_{false};
    std::thread watcher_;
};

}  // namespace platform
