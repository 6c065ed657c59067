#include "support/log_capture.h"

#include <fstream>

#include "core/log.h"

namespace test {

LogCapture::LogCapture() : working_(folder_.path()) { gf_openLogFile(); }

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
