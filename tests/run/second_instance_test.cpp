// The program itself, started while another instance of the same user runs:
// it ends at once with -1, says so in one line on standard error and touches
// nothing, not even its log.

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "platform/os/single_instance.h"
#include "run/program_start.h"
#include "support/child_process.h"
#include "support/temp_folder.h"

namespace {

TEST(SecondInstance, EndsAtOnceWithMinusOneTouchingNothing) {
    test::TempFolder user;
    test::TempFolder programFolder;
    std::filesystem::create_directory(programFolder / "docs");
    test::ScopedEnvironment local("LOCALAPPDATA", user.path().string());
    test::ScopedEnvironment roaming("APPDATA", user.path().string());
    ASSERT_EQ(platform::acquireInstanceLock(kSingleInstanceName), platform::InstanceLock::acquired);

    const test::WorkingFolder working(programFolder.path());
    const auto outputPath = user / "output.txt";
    const auto errorPath = user / "error.txt";
    const int output = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const int error = ::open(errorPath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    test::ChildProcess second({VANTREL_BINARY_DIR "/vantrel"}, -1, output, error);
    ::close(output);
    ::close(error);
    const auto exitCode = second.waitForExit(std::chrono::seconds{5});
    ASSERT_TRUE(exitCode);
    EXPECT_EQ(*exitCode, 255);  // -1
    EXPECT_FALSE(std::filesystem::exists(programFolder / "Log.txt"));
    EXPECT_FALSE(std::filesystem::exists(user / "Vantrel"));
    EXPECT_EQ(std::filesystem::file_size(outputPath), 0U);
    std::ostringstream said;
    said << std::ifstream(errorPath).rdbuf();
    EXPECT_EQ(said.str(), "Vantrel is already running\n");
}

}  // namespace
