// Linked into every test program that binds the fixed ports (the feed's
// 49004 and 49005, the TCP link's 10747). CTest's resource lock serialises
// such tests within one run; this lock does the same across runs on one
// machine (two build folders tested at once), which would otherwise fail
// each other with "address in use". Held from before main until the
// process ends, so also while a test case runs alone. Not taken when the
// program only lists its tests (CTest's discovery, which gives up after a
// few seconds and binds nothing).

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

bool lf_onlyListsTests() {
    std::ifstream commandLine("/proc/self/cmdline", std::ios::binary);
    const std::string arguments{std::istreambuf_iterator<char>(commandLine), std::istreambuf_iterator<char>()};
    return arguments.find("--gtest_list_tests") != std::string::npos;
}

struct FixedPortsMachineLock {
    FixedPortsMachineLock() {
        if (lf_onlyListsTests()) {
            return;
        }
        fd = open("/tmp/vantrel-fixed-ports.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd >= 0) {
            flock(fd, LOCK_EX);  // waits for the other run's test case to end
        }
    }
    ~FixedPortsMachineLock() {
        if (fd >= 0) {
            close(fd);
        }
    }
    FixedPortsMachineLock(const FixedPortsMachineLock&) = delete;
    FixedPortsMachineLock& operator=(const FixedPortsMachineLock&) = delete;
    int fd = -1;
};

const FixedPortsMachineLock machineLock;

}  // namespace
