#include "run/support/program_fixture.h"

#include <gmock/gmock.h>

#include <fstream>

#include "core/data_paths.h"
#include "core/settings.h"
#include "liveries/liveries_state.h"
#include "platform/window/backend.h"
#include "platform/window/user_input.h"
#include "records/clock.h"
#include "run/closing_down.h"
#include "run/program_start.h"
#include "run/run_state.h"
#include "simlink/simlink_state.h"
#include "support/http_server.h"
#include "ui/status/main_window.h"

namespace test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr auto kProgramTimeLimit = 60s;
constexpr int kWaitCompression = 20;

// One AI livery of a package the automatic livery scan looks for.
void lf_writeInstallation(const fs::path& packages) {
    const fs::path aircraft = packages / "Community" / "aig-aitraffic-oci-beta" / "SimObjects" / "Airplanes" /
                              "AIG_B738";
    fs::create_directories(aircraft);
    fs::create_directories(packages / "Official");
    std::ofstream(aircraft / "aircraft.cfg") << "[GENERAL]\nicao_type_designator = \"B738\"\n[FLTSIM.0]\n"
                                                "title = \"AIG KLM B738 PH-BXA\"\nicao_airline = \"KLM\"\n"
                                                "atc_id = \"PH-BXA\"\n";
}

// The program's folder as the run command makes it.
void lf_writeProgramFolder(const fs::path& folder) {
    fs::create_directories(folder / "docs");
    fs::create_directories(folder / "input");
    for (const char* name : {"dbase.enc", "AIG-regcodes.enc"}) {
        fs::copy_file(fs::path(VANTREL_BINARY_DIR) / "input" / name, folder / "input" / name);
    }
    for (const char* name : {"airports_msfs.xml", "airports_msfs_names.xml"}) {
        fs::copy_file(fs::path(VANTREL_SOURCE_DIR) / "data" / name, folder / "input" / name);
    }
}

}  // namespace

nlohmann::json standInScenario() {
    return {{"running", true},
            {"frameRate", 30},
            {"zulu", {{"timeOfDayS", 43200}, {"dayOfYear", 100}, {"year", 2025}}},
            {"titles", {"AIG KLM B738 PH-BXA"}},
            {"user",
             {{"title", "Airbus A320 Neo Asobo"},
              {"atcModel", "A320"},
              {"latitudeDeg", 47.4580},
              {"longitudeDeg", 8.5480},
              {"altitudeFt", 1417},
              {"headingRad", 1.0},
              {"onGround", true},
              {"altAboveGroundFt", 0}}}};
}

ProgramTest::ProgramTest()
    : appData_("APPDATA", (userFolder_ / "Roaming").string()),
      localAppData_("LOCALAPPDATA", (userFolder_ / "Local").string()),
      downloads_("VANTREL_DOWNLOAD_BASE", HttpServer::unreachableBaseUrl()),
      savedDataFolder_(productDataFolder) {
    productDataFolder = path.parent_path();
    lf_writeProgramFolder(folder());
    sim.writeSimConnectCfg(folder());
    lf_writeInstallation(userFolder() / "MSFS" / "Packages");
    writeEntries({{"MSFS_INSTALL_PATH", (userFolder() / "MSFS" / "Packages").string()},
                  {"SCAN_AIRPORTS", "false"}});
    restartRequested = false;
    msfs2020Selected = true;
}

ProgramTest::~ProgramTest() {
    productDataFolder = savedDataFolder_;
    gf_setRunClock({});
}

int ProgramTest::runProgram(const std::function<void()>& actor) {
    EXPECT_TRUE(platform::window::selectBackend(platform::window::Backend::headless));
    gf_setRunClock({[] { return std::chrono::steady_clock::now(); },
                    [](std::chrono::milliseconds duration) {
                        std::this_thread::sleep_for(duration >= 100ms ? duration / kWaitCompression : duration);
                    }});
    std::atomic<bool> ended{false};
    std::thread acting([&] {
        actor();
        const auto deadline = std::chrono::steady_clock::now() + kProgramTimeLimit;
        while (!ended && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(10ms);
        }
        if (!ended) {
            ADD_FAILURE() << "the program did not end";
            closeWindow();
        }
    });
    const int exitCode = wWinMain(nullptr, nullptr, nullptr, 0);
    ended = true;
    acting.join();
    return exitCode;
}

bool ProgramTest::waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

bool ProgramTest::waitForCycles(std::uint32_t cycles) {
    return waitFor([cycles] { return cycleCounter >= cycles; });
}

void ProgramTest::closeWindow() {
    waitFor([] { return MainWindow::hwnd.load() != nullptr; });
    platform::window::closeWindow(MainWindow::hwnd);
}

std::vector<std::string> ProgramTest::programLog() const {
    std::ifstream file(folder() / "Log.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool ProgramTest::loggedInOrder(const std::vector<std::string>& expected) const {
    const std::vector<std::string> lines = programLog();
    auto at = lines.begin();
    for (const std::string& text : expected) {
        at = std::find_if(at, lines.end(), [&text](const std::string& line) { return line.find(text) != line.npos; });
        if (at == lines.end()) {
            ADD_FAILURE() << "not logged in order: " << text;
            return false;
        }
    }
    return true;
}

}  // namespace test
