#include "airports/park_airports.h"

#include <algorithm>
#include <exception>
#include <fstream>
#include <optional>
#include <set>
#include <vector>

#include "airports/airports_state.h"
#include "airports/park_stands.h"
#include "core/data_paths.h"
#include "core/folders.h"
#include "core/format.h"
#include "core/log.h"
#include "core/strings.h"
#include "core/text_files.h"
#include "ui/status/message_line.h"
#include "ui/status/program_resources.h"

namespace {

constexpr std::string_view kFileName = "my_park_airports.txt";
// Every cycle recomputes the distance of every park airport.
constexpr std::size_t kManyParkAirports = 3000;

// The fields between commas, taken as they are (a stand name keeps its
// blanks); an empty line has none.
std::vector<std::string> lf_fields(std::string_view line) {
    std::vector<std::string> fields;
    if (line.empty()) {
        return fields;
    }
    for (std::size_t start = 0;;) {
        const std::size_t comma = line.find(',', start);
        fields.emplace_back(line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

// The file's lines without their line ends; nullopt when it does not open.
std::optional<std::vector<std::string>> lf_readFileLines() {
    std::ifstream file(dataPaths.myParkAirportsFile);
    if (!file) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

bool lf_listed(const std::string& icao) {
    return std::any_of(parkAirports.begin(), parkAirports.end(),
                       [&icao](const ParkAirportEntry& entry) { return entry.icao == icao; });
}

ParkAirportEntry lf_entry(const AirportRecord& airport, std::string reservedStand) {
    return {airport.code, std::move(reservedStand), airport.lat, airport.lon, 0.0};
}

// One line of the file into the list; false when its airport is unknown.
bool lf_readLine(const std::string& line, std::set<std::string>& taken) {
    const std::vector<std::string> fields = lf_fields(line);
    if (fields.empty()) {
        return true;
    }
    if (fields.size() >= 3) {
        gf_writeLog(fmtlib::format("{}:{} wrong syntax, skipped", kFileName, line));
        return true;
    }
    const std::string& icao = fields.front();
    if (taken.contains(icao)) {
        gf_writeLog(fmtlib::format("{}:{} double, skipped", kFileName, icao));
        return true;
    }
    const AirportRecord* airport = gf_findAirportByCode(icao);
    if (airport == nullptr) {
        gf_showMessage(fmtlib::format("airport {} is unknown", icao), true);
        return false;
    }
    parkAirports.push_back(lf_entry(*airport, fields.size() == 2 ? fields.back() : std::string()));
    taken.insert(icao);
    return true;
}

bool lf_readListFile() {
    const std::optional<std::vector<std::string>> lines = lf_readFileLines();
    if (!lines) {
        gf_writeLogPlain(fmtlib::format("{} not found", dataPaths.myParkAirportsFile.string()));
        return true;
    }
    bool allKnown = true;
    std::set<std::string> taken;
    for (const std::string& line : *lines) {
        allKnown = lf_readLine(line, taken) && allKnown;
    }
    if (!parkAirports.empty()) {
        gf_writeLogPlain(fmtlib::format("{} park airport{} read from '{}'", parkAirports.size(),
                                        gf_pluralSuffix(static_cast<std::int64_t>(parkAirports.size())), kFileName));
    }
    if (parkAirports.size() > kManyParkAirports) {
        gf_showMessage(fmtlib::format("Warning: There are a lot of airports ({}), that will cost {} much cpu time and "
                                      "may cause stutters",
                                      parkAirports.size(), kProductName),
                       true);
    }
    return allKnown;
}

void lf_writeLines(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    if (!gf_replaceTextLines(lines, dataPaths.myParkAirportsFile)) {
        gf_writeLog(fmtlib::format("could not write {}", dataPaths.myParkAirportsFile.string()));
    }
}

}  // namespace

bool lf_readMyParkAirports() {
    try {
        parkAirports.clear();
        const bool allKnown = lf_readListFile();
        addThirdPartyParkAirports();
        return allKnown;
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("{}: {}", "lf_readMyParkAirports", error.what()));
        return false;
    }
}

void addThirdPartyParkAirports() {
    if (!gf_pathExists(dataPaths.myThirdpartyFolder)) {
        return;
    }
    std::int64_t added = 0;
    for (const std::filesystem::directory_entry& file :
         std::filesystem::directory_iterator(dataPaths.myThirdpartyFolder)) {
        if (!file.is_regular_file()) {
            continue;
        }
        const std::string code = file.path().stem().string();
        const AirportRecord* airport = gf_findAirportByCode(code);
        if (airport != nullptr && !lf_listed(code)) {
            parkAirports.push_back(lf_entry(*airport, ""));
            ++added;
        }
    }
    if (added >= 1) {
        gf_writeLogPlain(fmtlib::format("{} park airport{} added from my_thirdparty folder(-s)", added,
                                        gf_pluralSuffix(added)));
    }
}

bool updateParkAirportLine(const std::string& icao, const std::string& newLine, std::string& line) {
    const std::vector<std::string> fields = lf_fields(line);
    if (fields.empty() || fields.front() != icao) {
        return false;
    }
    line = newLine;
    return true;
}

void gf_saveParkAirportEntry() {
    if (parkAirports.empty()) {
        return;
    }
    const ParkAirportEntry& front = parkAirports.front();
    const std::string newLine =
        front.reservedStand.empty() ? front.icao : fmtlib::format("{},{}", front.icao, front.reservedStand);
    std::optional<std::vector<std::string>> lines = lf_readFileLines();
    if (!lines) {
        gf_writeLogPlain(fmtlib::format("{} created with {}", kFileName, newLine));
        lf_writeLines({newLine});
        return;
    }
    const bool updated = std::any_of(lines->begin(), lines->end(), [&](std::string& line) {
        return updateParkAirportLine(front.icao, newLine, line);
    });
    if (updated) {
        gf_writeLogPlain(fmtlib::format("{}:{} updated stand", kFileName, newLine));
    } else {
        lines->insert(lines->begin(), newLine);
        gf_writeLogPlain(fmtlib::format("{}:{} new entry", kFileName, newLine));
    }
    lf_writeLines(std::move(*lines));
}

void gf_addParkAirport(const std::string& icao, GeoPosition position) {
    const auto known = std::find_if(parkAirports.begin(), parkAirports.end(),
                                    [&icao](const ParkAirportEntry& entry) { return entry.icao == icao; });
    if (known != parkAirports.end()) {
        parkAirports.splice(parkAirports.begin(), parkAirports, known);
        return;
    }
    parkAirports.push_front({icao, "", position.latDeg, position.lonDeg, 0.0});
    gf_saveParkAirportEntry();
}
