// tools/check-layers: the project's own code keeps the layer order of
// docs/layers.md, and the check fails, naming file and line, on an include
// against it.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/child_process.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

struct CheckRun {
    int exitCode = -1;
    std::string output;
};

// Runs tools/check-layers on the tree below root.
CheckRun lf_checkLayers(const fs::path& root, const fs::path& outputFile) {
    const int output = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    test::ChildProcess check({fs::path(VANTREL_SOURCE_DIR) / "tools" / "check-layers", root.string()}, -1, output, -1);
    ::close(output);
    CheckRun run;
    run.exitCode = check.waitForExit(std::chrono::seconds(60)).value_or(-1);
    std::ifstream file(outputFile);
    run.output.assign(std::istreambuf_iterator<char>(file), {});
    return run;
}

void lf_write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

TEST(CheckLayers, TheProgramsOwnCodeKeepsTheOrder) {
    const test::TempFolder scratch;
    const CheckRun run = lf_checkLayers(VANTREL_SOURCE_DIR, scratch.path() / "output.txt");
    EXPECT_EQ(run.exitCode, 0) << run.output;
}

// A small tree under the real layer table: includes downward, of the own
// layer, of the standard library and of the window layer from ui/ pass; an
// include upward and one of the window layer from elsewhere are named.
TEST(CheckLayers, NamesEveryIncludeAgainstTheOrder) {
    const test::TempFolder tree;
    fs::create_directories(tree.path() / "docs");
    fs::copy_file(fs::path(VANTREL_SOURCE_DIR) / "docs" / "layers.md", tree.path() / "docs" / "layers.md");
    lf_write(tree.path() / "core" / "clean.cpp", "#include <vector>\n#include \"core/log.h\"\n#include \"platform/os/x.h\"\n");
    lf_write(tree.path() / "core" / "planted.cpp", "#include \"core/log.h\"\n\n#include \"run/worker.h\"\n");
    lf_write(tree.path() / "traffic" / "window.h", "#pragma once\n#include \"platform/window/user32.h\"\n");
    lf_write(tree.path() / "ui" / "window.cpp", "#include \"platform/window/user32.h\"\n#include \"traffic/x.h\"\n");
    lf_write(tree.path() / "ui" / "status" / "upward.cpp", "#include \"ui/controls.h\"\n");
    lf_write(tree.path() / "run" / "top.cpp", "#include \"ui/controls.h\"\n#include \"ui/status/main_window.h\"\n");

    const CheckRun run = lf_checkLayers(tree.path(), tree.path() / "output.txt");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output,
              "core/planted.cpp:3: layer core includes run/worker.h of the higher layer run\n"
              "traffic/window.h:2: includes the window layer (platform/window/user32.h) from outside ui/\n"
              "ui/status/upward.cpp:1: layer status includes ui/controls.h of the higher layer ui\n");
}

TEST(CheckLayers, AMissingTableIsAnErrorOfItsOwn) {
    const test::TempFolder tree;
    lf_write(tree.path() / "core" / "planted.cpp", "#include \"run/worker.h\"\n");
    EXPECT_EQ(lf_checkLayers(tree.path(), tree.path() / "output.txt").exitCode, 2);
}

}  // namespace
