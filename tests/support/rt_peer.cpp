#include "support/rt_peer.h"

#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace test {

namespace {

using namespace std::chrono_literals;

constexpr auto kPollInterval = 10ms;

std::vector<std::string> lf_arguments(const std::filesystem::path& folder, const RtPeer::Options& options) {
    std::vector<std::string> arguments{VANTREL_BINARY_DIR "/tools/rt-peer/rt-peer",
                                       "--traffic-port",
                                       std::to_string(options.trafficPort),
                                       "--qnh-port",
                                       std::to_string(options.qnhPort),
                                       "--record",
                                       (folder / "received.txt").string()};
    if (options.linkPort) {
        arguments.insert(arguments.end(), {"--connect", std::to_string(*options.linkPort)});
    }
    if (options.silent) {
        arguments.emplace_back("--silent");
    }
    if (options.stay) {
        arguments.emplace_back("--stay");
    }
    arguments.push_back((folder / "scenario.txt").string());
    return arguments;
}

}  // namespace

RtPeer::RtPeer(const std::string& scenario, const Options& options) {
    writeBytes(folder_ / "scenario.txt", scenario);
    const std::vector<std::string> arguments = lf_arguments(folder_.path(), options);
    std::vector<char*> argv;
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const std::string outputPath = (folder_ / "output.txt").string();
    const pid_t parent = ::getpid();
    pid_ = ::fork();
    if (pid_ == 0) {
        // The peer must not outlive the test that started it.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) {
            ::_exit(1);
        }
        const int output = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(output, STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (pid_ < 0) {
        throw std::runtime_error("cannot start rt-peer");
    }
}

RtPeer::~RtPeer() {
    if (pid_ <= 0) {
        return;
    }
    ::kill(pid_, SIGTERM);
    for (int waited = 0; waited < 200 && ::waitpid(pid_, nullptr, WNOHANG) == 0; ++waited) {
        std::this_thread::sleep_for(kPollInterval);
    }
    if (::waitpid(pid_, nullptr, WNOHANG) == 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

int RtPeer::waitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("rt-peer has not ended:\n" + output());
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

std::vector<std::string> RtPeer::receivedLines() const {
    const std::string text = readBytes(folder_ / "received.txt");
    // Only whole lines: the peer may be writing the next one.
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::string RtPeer::waitForLine(std::string_view prefix, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        for (const auto& line : receivedLines()) {
            if (line.starts_with(prefix)) {
                return line;
            }
        }
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("rt-peer received no line beginning with " + std::string{prefix} + ":\n" +
                                     output());
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

std::string RtPeer::output() const { return readBytes(folder_ / "output.txt"); }

}  // namespace test
