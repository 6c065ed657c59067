#pragma once
// The whole program in the test's process, as wWinMain runs it: the main
// window on the headless backend on the test's thread, the worker, the
// simulator link to a stand-in simulator and the UDP readers on the fixed
// ports. The working folder is the program's own: "docs", the encrypted
// data files, the airport list, SimConnect.cfg; the user's folders and a
// simulator installation with one AI livery are made below the test's
// folder, the download server is down, and the run clock shortens every wait
// of 100 ms or more twentyfold (the 10 ms ticks keep their pace).
//
// Each case runs in a process of its own (as CTest runs them): the main
// window's class is registered once per process.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "run/support/run_fixture.h"
#include "support/stand_in_sim.h"

namespace test {

// A running flight at Zurich airport, the user aircraft on the ground.
nlohmann::json standInScenario();

class ProgramTest : public RunTest {
protected:
    ProgramTest();
    ~ProgramTest() override;

    // Runs the program on this thread until its message loop ends, while
    // `actor` acts as the user and the world on a thread of its own; after
    // 60 s the window is closed whatever the actor does. wWinMain's result.
    int runProgram(const std::function<void()>& actor);

    // Waits until the condition holds; false after the time-out.
    static bool waitFor(const std::function<bool()>& condition,
                        std::chrono::milliseconds timeout = std::chrono::seconds{20});
    // The main loop has run this many work cycles.
    static bool waitForCycles(std::uint32_t cycles);
    // As the user closes the main window.
    static void closeWindow();

    // The log from the program's start on.
    std::vector<std::string> programLog() const;
    // The lines appear in this order in the log (others between them).
    bool loggedInOrder(const std::vector<std::string>& expected) const;

    const std::filesystem::path& folder() const { return log.folder().path(); }
    const std::filesystem::path& userFolder() const { return userFolder_.path(); }

    vantrel::test::StandInSim sim{standInScenario()};

private:
    TempFolder userFolder_;
    ScopedEnvironment appData_;
    ScopedEnvironment localAppData_;
    ScopedEnvironment downloads_;
    std::filesystem::path savedDataFolder_;
};

}  // namespace test
