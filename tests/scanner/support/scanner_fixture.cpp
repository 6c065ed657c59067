#include "scanner/support/scanner_fixture.h"

#include <fstream>
#include <utility>

#include "airports/airports_state.h"
#include "liveries/liveries_state.h"
#include "run/init_program.h"
#include "scanner/scan_log.h"
#include "scanner/scanner_state.h"
#include "support/temp_folder.h"

namespace test {

namespace {

std::vector<std::string> lf_linesWith(const std::vector<std::string>& lines, std::string_view text) {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.find(text) != std::string::npos) {
            found.push_back(line);
        }
    }
    return found;
}

}  // namespace

ScannerTest::ScannerTest()
    : savedDbase_(std::move(dbase)),
      savedAirportNames_(std::move(airportNames)),
      savedAirportList_(std::move(airportList)) {
    airportNames.clear();
    airportList.clear();
    dbase = DbaseTables{};
    dbase.publisherGroups = {{"FlyTampa"}, {"Gaya Simulations", "gaya-simulations"}, {"Orbx"},
                             {"Viking  Studios", "vikingstudios"}, {"Taxi2Gate"}};
    dbase.simaddonAirports20 = {"EDDS", "EHAM"};
    dbase.thirdpartyAirports20 = {{"FlyTampa", {"EHAM212", "KBOS118"}},
                                  {"Viking  Studios", {"LMML30", "LMMX"}},
                                  {"Orbx", {"EGTK100"}}};
    dbase.thirdpartyAirports24 = {{"FlyTampa", {"KBOS118"}}};
    ScanLog.lines.clear();
}

ScannerTest::~ScannerTest() {
    ScanLog.lines.clear();
    dbase = std::move(savedDbase_);
    airportNames = std::move(savedAirportNames_);
    airportList = std::move(savedAirportList_);
}

void ScannerTest::makeDataFolders() { prepareDataFolders(); }

std::filesystem::path ScannerTest::writeFile(const std::filesystem::path& relative, std::string_view text) const {
    const std::filesystem::path file = folder() / relative;
    std::filesystem::create_directories(file.parent_path());
    writeBytes(file, text);
    return file;
}

std::vector<std::string> ScannerTest::fileLines(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> ScannerTest::scanLogLines() { return ScanLog.lines; }

std::vector<std::string> ScannerTest::scanLogLinesWith(std::string_view text) {
    return lf_linesWith(ScanLog.lines, text);
}

std::vector<std::string> ScannerTest::logLinesWith(std::string_view text) const {
    return lf_linesWith(log.lines(), text);
}

}  // namespace test
