#pragma once
// A fresh working folder with Log.txt open and the settings file inside it
// (every setting at its default), an empty scan log, and an aircraft
// database that knows a few publishers and archived airports, and no airport
// list or names, for one test of the add-on airport scanner. Everything is
// put back afterwards.

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "airports/airport_list.h"
#include "liveries/aircraft_database.h"
#include "support/settings_file_fixture.h"

namespace test {

class ScannerTest : public SettingsFileTest {
protected:
    ScannerTest();
    ~ScannerTest() override;

    // The program's data folders below the working folder, as start-up makes them.
    static void makeDataFolders();
    // Writes the text (or bytes) to the path below the working folder,
    // making its folders; returns the full path.
    std::filesystem::path writeFile(const std::filesystem::path& relative, std::string_view text) const;
    const std::filesystem::path& folder() const { return log.folder().path(); }

    // The lines of a text file; none when it does not exist.
    static std::vector<std::string> fileLines(const std::filesystem::path& path);
    // The scan log's lines.
    static std::vector<std::string> scanLogLines();
    // The scan log's lines that contain the text.
    static std::vector<std::string> scanLogLinesWith(std::string_view text);
    // Log.txt's lines (after its header) that contain the text.
    std::vector<std::string> logLinesWith(std::string_view text) const;

private:
    DbaseTables savedDbase_;
    std::unordered_map<std::string, std::string> savedAirportNames_;
    std::vector<AirportRecord> savedAirportList_;
};

}  // namespace test
