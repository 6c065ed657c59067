// The end-to-end run (support/live_traffic_run.h) with the Windows build's
// vantrel.exe under Wine, against this build's vantrel-sim and rt-peer on
// loopback (Wine's programs use the machine's own sockets). The program
// runs in a Wine prefix of the test's own: its user's application-data
// folders are the prefix's, found as on Windows, and the simulator
// installation outside it is named by a Z:\ path. The program is closed as
// Windows closes a program, with WM_CLOSE (taskkill without /F). It needs
// an X display for the program's window.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "support/live_traffic_run.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const fs::path kWindowsBuild = VANTREL_WINDOWS_BUILD;
const fs::path kWine = VANTREL_WINE64;

class WineProgram : public e2e::ProgramHost {
public:
    explicit WineProgram(const fs::path& root)
        : prefix_(root / "wine-prefix"), prefixVariable_("WINEPREFIX", prefix_.string()) {
        EXPECT_EQ(runWine({"wineboot", "-i"}, 180s), std::optional<int>{0}) << "wineboot failed";
        // Wine names the user's profile after the user of this machine.
        std::error_code noPrefix;
        for (const fs::directory_entry& user : fs::directory_iterator(prefix_ / "drive_c" / "users", noPrefix)) {
            if (user.path().filename() != "Public") {
                roaming_ = user.path() / "AppData" / "Roaming";
            }
        }
    }
    ~WineProgram() override {
        // Ends the prefix's wineserver and whatever still runs with it.
        test::ChildProcess wineserver({(kWine.parent_path() / "wineserver").string(), "-k"});
        wineserver.waitForExit(30s);
    }
    WineProgram(const WineProgram&) = delete;
    WineProgram& operator=(const WineProgram&) = delete;

    bool ready() const { return fs::is_directory(roaming_); }

    fs::path roamingFolder() const override { return roaming_; }
    std::string programPath(const fs::path& path) const override {
        std::string windowsPath = "Z:" + path.string();
        std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
        return windowsPath;
    }
    // The program names its flight plans by Windows paths (C:\users\...),
    // which the Linux stand-in cannot open.
    bool simulatorOpensProgramFiles() const override { return false; }
    std::unique_ptr<test::ChildProcess> start(const fs::path& programFolder) override {
        const test::WorkingFolder inProgramFolder(programFolder);
        return std::make_unique<test::ChildProcess>(wineCommand({(kWindowsBuild / "vantrel.exe").string()}));
    }
    std::optional<int> close(test::ChildProcess& program, std::chrono::seconds timeout) override {
        EXPECT_EQ(runWine({"taskkill", "/IM", "vantrel.exe"}, 30s), std::optional<int>{0}) << "taskkill failed";
        return program.waitForExit(timeout);
    }

private:
    // Without a preloader (Debian's Wine has none) a Windows program now and
    // then fails at once when the address space is laid out at random: Wine
    // runs with it laid out the same each time.
    static std::vector<std::string> wineCommand(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"/usr/bin/setarch", "--addr-no-randomize", kWine.string()});
        return arguments;
    }
    std::optional<int> runWine(std::vector<std::string> arguments, std::chrono::seconds timeout) const {
        test::ChildProcess wine(wineCommand(std::move(arguments)));
        return wine.waitForExit(timeout);
    }

    fs::path prefix_;
    fs::path roaming_;
    test::ScopedEnvironment prefixVariable_;
    test::ScopedEnvironment quiet_{"WINEDEBUG", "-all"};
    // No Mono or Gecko installers in the new prefix.
    test::ScopedEnvironment noInstallers_{"WINEDLLOVERRIDES", "mscoree,mshtml="};
};

TEST(EndToEndUnderWine, LiveTrafficAppearsMovesAndLeaves) {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "vantrel.exe needs an X display (run the test under xvfb-run)";
    ASSERT_TRUE(fs::is_regular_file(kWindowsBuild / "vantrel.exe"))
        << "no vantrel.exe in " << kWindowsBuild << " (tools/build-windows builds it)";
    const test::TempFolder root;
    WineProgram vantrel(root.path());
    ASSERT_TRUE(vantrel.ready()) << "the Wine prefix has no user's application-data folder";
    e2e::checkLiveTraffic(vantrel, root.path(), kWindowsBuild / "input");
}

}  // namespace
