#include "scanner/generated_airport_file.h"

#include <algorithm>
#include <array>
#include <functional>
#include <mutex>

#include "airports/stand_file.h"
#include "airports/stand_file_locations.h"
#include "core/data_paths.h"
#include "core/folders.h"
#include "core/format.h"
#include "core/strings.h"
#include "scanner/addon_airport_scan.h"
#include "scanner/scan_log.h"
#include "scanner/scan_outputs.h"
#include "scanner/scanner_state.h"

namespace {

// Guard the writing of generated stand files, one mutex per stripe of
// airports: two workers never write one airport's file at once, while
// files of different airports are mostly written side by side. Each is a
// leaf lock but for the log.
// Its place in the lock order: docs/locks.md.
std::array<std::mutex, 64> generatedFileMutexes;

std::mutex& lf_generatedFileMutex(const std::string& icao) {
    return generatedFileMutexes[std::hash<std::string>{}(icao) % generatedFileMutexes.size()];
}

std::string lf_helipadPart(const ScannedAirport& airport) {
    const auto helipads = std::ranges::count_if(airport.stands, [](const ParkPosition& stand) { return stand.heli; });
    return helipads > 0 ? fmtlib::format(", of which {} helipad{}", helipads, gf_pluralSuffix(helipads)) : "";
}

}  // namespace

void generateAirportFile(ScannedAirport& airport) {
    if (airport.stands.empty()) {
        return;
    }
    AirportFileInfo info = airport;
    if (info.publisher != kUnknownPublisher) {
        trimPathToCommunity(info.bglPath);
    }
    const std::filesystem::path& folder =
        info.publisher == kSimaddonPublisher ? dataPaths.mySimaddonFolder : dataPaths.myThirdpartyFolder;
    const std::size_t count = airport.stands.size();
    addScanLogLine(fmtlib::format("Generated {}: {} position{}{}", gf_airportXmlName(info.icao), count,
                                  gf_pluralSuffix(static_cast<std::int64_t>(count)), lf_helipadPart(airport)));
    const std::filesystem::path path = folder / gf_airportXmlPath(info.icao);
    std::ranges::sort(airport.stands, {}, &ParkPosition::name);
    gf_createFolders(folder);
    bool written = false;
    {
        const std::lock_guard lock(lf_generatedFileMutex(info.icao));
        written = gf_writeAirportFile(info, airport.stands, path, AirportFileMode::generated);
    }
    if (!written) {
        addScanLogLine(fmtlib::format("{}Generating {} did not succeed", "===> ", path.string()));
        return;
    }
    if (folder == dataPaths.myThirdpartyFolder) {
        gf_noteScanOutput(path.filename().string());
    }
    addonAirportFound = true;
}

void trimPathToCommunity(std::string& path) {
    if (const std::size_t community = path.find("Community"); community != std::string::npos) {
        path.erase(0, community);
    }
}
