#pragma once
// A program that a test starts as a process of its own (the stand-in
// simulator, the RealTraffic peer). It never outlives the test process, and
// it ends with this object: SIGTERM, then SIGKILL after 2 s.

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace test {

class ChildProcess {
public:
    // Runs command[0] with the rest as its arguments. The child's standard
    // input, output and error are the given descriptors, or the test's own
    // for -1; the caller keeps (and closes) its descriptors.
    explicit ChildProcess(const std::vector<std::string>& command, int standardInput = -1, int standardOutput = -1,
                          int standardError = -1);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The exit code once the process has ended by itself (-1 when a signal
    // ended it); empty while it still runs after the time-out.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    // Asks the process to end (SIGTERM) and waits for it as waitForExit does.
    std::optional<int> stop(std::chrono::milliseconds timeout);

private:
    pid_t pid_ = -1;  // -1 once the process has ended
    std::optional<int> exitCode_;
};

}  // namespace test
