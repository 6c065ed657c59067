#pragma once
// Opens Log.txt in a fresh working folder for one test, so that the test can
// read back what was logged. Every line is written: the log's clock moves a
// second at each line, so that no repeated line is held back (the tests of
// the holding back put a clock of their own in place).

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace test {

class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const TempFolder& folder() const { return folder_; }
    // Every line of Log.txt after its header line.
    std::vector<std::string> lines() const;

private:
    TempFolder folder_;
    WorkingFolder working_;
};

}  // namespace test
