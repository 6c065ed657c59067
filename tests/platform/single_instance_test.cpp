// The per-user single-instance lock: the first taker holds it, every later
// one (another process, or another open here) finds it held; another user's
// folder has a lock of its own.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "platform/os/single_instance.h"
#include "support/temp_folder.h"

namespace {

using platform::InstanceLock;
using platform::acquireInstanceLock;

constexpr std::string_view kName = "Local\\$Vantrel$";

TEST(SingleInstance, TheFirstTakerOfEachUserHoldsTheLock) {
    test::TempFolder firstUser;
    test::TempFolder secondUser;
    {
        test::ScopedEnvironment local("LOCALAPPDATA", (firstUser / "Local").string());
        EXPECT_EQ(acquireInstanceLock(kName), InstanceLock::acquired);
        EXPECT_TRUE(std::filesystem::exists(firstUser / "Local" / "Local_$Vantrel$.lock"));
        EXPECT_EQ(acquireInstanceLock(kName), InstanceLock::alreadyHeld);

        // Another process of the same user.
        const pid_t child = ::fork();
        if (child == 0) {
            ::_exit(acquireInstanceLock(kName) == InstanceLock::alreadyHeld ? 0 : 1);
        }
        int status = -1;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    test::ScopedEnvironment local("LOCALAPPDATA", secondUser.path().string());
    EXPECT_EQ(acquireInstanceLock(kName), InstanceLock::acquired);
}

TEST(SingleInstance, FailsWithoutAFolderForTheLock) {
    test::TempFolder user;
    test::writeBytes(user / "file", "not a folder");
    test::ScopedEnvironment local("LOCALAPPDATA", (user / "file").string());
    EXPECT_EQ(acquireInstanceLock(kName), InstanceLock::failed);
}

}  // namespace
