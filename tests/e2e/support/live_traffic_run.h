#pragma once
// The end-to-end run of Vantrel as a user runs it, whichever build plays
// it: the program, the stand-in simulator and the RealTraffic peer, each a
// process of its own on loopback. The working folder holds what the run
// command puts there (docs, the encrypted data, the airport list, a
// SimConnect.cfg pointing at the stand-in); the user's application-data
// folders are the run's own, with a small simulator installation of AI
// liveries, the settings and RealTraffic's program file. The peer connects,
// plays four aircraft flying around Zurich airport for about a minute, and
// the run watches them in the stand-in: created under their callsigns in
// installed liveries, lit, moving along their reports, flown on for a while
// and removed when their reports end, and gone with the program, which
// closes cleanly when asked to.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "support/child_process.h"

namespace e2e {

// Where and how the program under test runs: the Linux build natively, or
// the Windows build under Wine.
class ProgramHost {
public:
    virtual ~ProgramHost() = default;

    // The user's roaming application-data folder as the program finds it.
    virtual std::filesystem::path roamingFolder() const = 0;
    // A path of this machine as the program writes it in its settings.
    virtual std::string programPath(const std::filesystem::path& path) const = 0;
    // Whether the simulator opens the files the program names to it (its
    // flight plans), as it does when both run on one system.
    virtual bool simulatorOpensProgramFiles() const { return true; }
    // Starts the program in the working folder.
    virtual std::unique_ptr<test::ChildProcess> start(const std::filesystem::path& programFolder) = 0;
    // Asks the running program to close as its user or the system would,
    // and waits for it: its exit code, or empty while it still runs after
    // the time-out.
    virtual std::optional<int> close(test::ChildProcess& program, std::chrono::seconds timeout) = 0;
};

// Plays and checks the run (with GoogleTest's checks) in the scratch
// folder `root`; the program's encrypted data files and airport lists are
// taken from `builtInput`.
void checkLiveTraffic(ProgramHost& host, const std::filesystem::path& root, const std::filesystem::path& builtInput);

}  // namespace e2e
