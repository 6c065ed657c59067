// The program itself, started while another instance of the same user runs:
// it ends at once with -1 and touches nothing, not even its log.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

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
    test::ChildProcess second({VANTREL_BINARY_DIR "/vantrel"});
    const auto exitCode = second.waitForExit(std::chrono::seconds{5});
    ASSERT_TRUE(exitCode);
    EXPECT_EQ(*exitCode, 255);  // -1
    EXPECT_FALSE(std::filesystem::exists(programFolder / "Log.txt"));
    EXPECT_FALSE(std::filesystem::exists(user / "Vantrel"));
}

}  // namespace
