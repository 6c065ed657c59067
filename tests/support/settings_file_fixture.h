#pragma once
// A settings file of the test's own: parametersPath points into a fresh
// working folder, where Log.txt is open, and every setting of the file is at
// its default before and after the test. A failed save is shown in the
// message line once until a save succeeds: each test starts with none shown
// and an empty message line.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "support/log_capture.h"

namespace test {

class SettingsFileTest : public testing::Test {
protected:
    SettingsFileTest();
    ~SettingsFileTest() override;

    // Writes parameters.xml with these entries (name, value) under the root.
    void writeEntries(const std::vector<std::pair<std::string, std::string>>& entries) const;
    // The entries of parameters.xml in file order: (name, value).
    std::vector<std::pair<std::string, std::string>> fileEntries() const;
    // The value of one entry; "<absent>" when the file does not hold it.
    std::string fileValue(const std::string& key) const;

    LogCapture log;
    const std::filesystem::path path;  // parameters.xml in the folder Vantrel

private:
    std::string savedParametersPath_;
};

// Every setting of parameters.xml, the controls' values that the file does
// not keep, and the traffic radius back to defaults.
void resetSettingsToDefaults();

// No message and no error in the message line.
void clearMessageLine();

}  // namespace test
