#include "support/log_capture.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <fstream>

#include "core/log.h"

namespace test {

namespace {

std::chrono::steady_clock::time_point lf_aSecondPerLine() {
    static std::atomic<std::int64_t> seconds{0};
    return std::chrono::steady_clock::time_point{std::chrono::seconds{seconds.fetch_add(1) + 1}};
}

}  // namespace

LogCapture::LogCapture() : working_(folder_.path()) {
    gf_setLogClock(lf_aSecondPerLine);
    gf_openLogFile();
}

LogCapture::~LogCapture() { gf_setLogClock(nullptr); }

std::vector<std::string> LogCapture::lines() const {
    std::ifstream file(folder_ / "Log.txt");
    std::vector<std::string> result;
    std::string line;
    std::getline(file, line);  // the header
    while (std::getline(file, line)) {
        result.push_back(line);
    }
    return result;
}

}  // namespace test
