// The end-to-end run (support/live_traffic_run.h) with this build's
// vantrel: the user's application-data folders are the test's own, named
// by APPDATA and LOCALAPPDATA; the program is closed as by Ctrl-C in its
// terminal (SIGTERM).

#include <gtest/gtest.h>

#include "support/live_traffic_run.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class NativeProgram : public e2e::ProgramHost {
public:
    explicit NativeProgram(const fs::path& root)
        : root_(root),
          appData_("APPDATA", (root / "user" / "Roaming").string()),
          localAppData_("LOCALAPPDATA", (root / "user" / "Local").string()) {}

    fs::path roamingFolder() const override { return root_ / "user" / "Roaming"; }
    std::string programPath(const fs::path& path) const override { return path.string(); }
    std::unique_ptr<test::ChildProcess> start(const fs::path& programFolder) override {
        const test::WorkingFolder inProgramFolder(programFolder);
        return std::make_unique<test::ChildProcess>(std::vector<std::string>{VANTREL_PROGRAM});
    }
    std::optional<int> close(test::ChildProcess& program, std::chrono::seconds timeout) override {
        return program.stop(timeout);
    }

private:
    fs::path root_;
    test::ScopedEnvironment appData_;
    test::ScopedEnvironment localAppData_;
};

TEST(EndToEnd, LiveTrafficAppearsMovesAndLeaves) {
    const test::TempFolder root;
    NativeProgram vantrel(root.path());
    e2e::checkLiveTraffic(vantrel, root.path(), fs::path(VANTREL_BINARY_DIR) / "input");
}

}  // namespace
