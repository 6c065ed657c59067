#include "support/child_process.h"

#include <csignal>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace test {

namespace {

constexpr std::chrono::milliseconds kPollInterval{10};
constexpr std::chrono::milliseconds kTermGrace{2000};

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& command, int standardInput, int standardOutput,
                           int standardError) {
    std::vector<char*> argv;
    for (const auto& argument : command) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t parent = ::getpid();
    pid_ = ::fork();
    if (pid_ == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) {
            ::_exit(1);
        }
        if (standardInput >= 0) {
            ::dup2(standardInput, STDIN_FILENO);
        }
        if (standardOutput >= 0) {
            ::dup2(standardOutput, STDOUT_FILENO);
        }
        if (standardError >= 0) {
            ::dup2(standardError, STDERR_FILENO);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (pid_ < 0) {
        throw std::runtime_error("cannot start " + command.front());
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ <= 0) {
        return;
    }
    ::kill(pid_, SIGTERM);
    if (!waitForExit(kTermGrace)) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (pid_ > 0) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        } else if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        } else {
            std::this_thread::sleep_for(kPollInterval);
        }
    }
    return exitCode_;
}

std::optional<int> ChildProcess::stop(std::chrono::milliseconds timeout) {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
    }
    return waitForExit(timeout);
}

}  // namespace test
