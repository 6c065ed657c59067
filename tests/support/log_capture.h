#pragma once
// Opens Log.txt in a fresh working folder for one test, so that the test can
// read back what was logged.

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace test {

class LogCapture {
public:
    LogCapture();

    const TempFolder& folder() const { return folder_; }
    // Every line of Log.txt after its header line.
    std::vector<std::string> lines() const;

private:
    TempFolder folder_;
    WorkingFolder working_;
};

}  // namespace test
