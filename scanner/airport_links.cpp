#include "scanner/airport_links.h"

#include <algorithm>
#include <filesystem>

#include "airports/airport_list.h"
#include "airports/airports_state.h"
#include "core/data_paths.h"
#include "core/format.h"
#include "core/package_folders.h"
#include "core/strings.h"
#include "core/text_files.h"
#include "liveries/aircraft_database.h"
#include "liveries/liveries_state.h"
#include "scanner/addon_airport_scan.h"
#include "scanner/package_publisher.h"
#include "scanner/scan_log.h"
#include "scanner/scan_outputs.h"
#include "scanner/scanner_state.h"

namespace {

constexpr std::size_t kIcaoLength = 4;

std::string lf_escapeBlanks(std::string_view publisher) {
    std::string escaped;
    for (const char c : publisher) {
        escaped += c == ' ' ? std::string_view("%20") : std::string_view(&c, 1);
    }
    return escaped;
}

// The redirect file <ICAO>.txt in the folder, naming the archive path.
bool lf_writeRedirectFile(const std::filesystem::path& folder, const std::string& icao,
                          const std::string& archivePath) {
    const std::filesystem::path path = folder / (icao + ".txt");
    if (gf_writeTextFile(archivePath, path, true)) {
        if (folder == dataPaths.myThirdpartyFolder) {
            gf_noteScanOutput(path.filename().string());
        }
        return true;
    }
    addScanLogLine(fmtlib::format("{}Writing {} did not succeed", "===> ", path.string()));
    return false;
}

bool lf_isListedAirport(std::string_view code) {
    return std::ranges::binary_search(airportList, code, std::less<>(),
                                      [](const AirportRecord& airport) -> std::string_view { return airport.code; });
}

}  // namespace

bool linkAirportToPackage(ScannedAirport& airport, std::uint32_t& archivedCount, const std::string& bglPath) {
    const std::lock_guard lock(airportLinkMutex);
    archivedCount = 0;
    airport.bglPath = bglPath;
    PublisherRecord record = gf_determinePublisher(bglPath);
    airport.publisher = std::move(record.publisher);
    airport.manufacturer = std::move(record.manufacturer);
    airport.creator = std::move(record.creator);
    airport.title = std::move(record.title);
    if (airport.publisher == kUnknownPublisher) {
        return false;
    }
    if (airport.publisher == kSimaddonPublisher) {
        const std::optional<std::string> archived = findArchivedSimaddonAirport(airport);
        if (!archived || !lf_writeRedirectFile(dataPaths.mySimaddonFolder, airport.icao, *archived)) {
            return false;
        }
        addScanLogLine(fmtlib::format("{} airport {} linked to {}", kSimaddonPublisher, airport.icao, *archived));
    } else {
        const std::optional<std::string> archived =
            findArchivedThirdpartyAirport(airport.publisher, airport, archivedCount);
        if (!archived || !lf_writeRedirectFile(dataPaths.myThirdpartyFolder, airport.icao, *archived)) {
            return false;
        }
        addScanLogLine(fmtlib::format("thirdparty airport {} linked to {}", airport.icao, *archived));
    }
    addonAirportFound = true;
    return true;
}

std::optional<std::string> findArchivedSimaddonAirport(const ScannedAirport& airport) {
    if (dbase.simaddonAirports20.contains(airport.icao)) {
        return fmtlib::format("archive/{}/{}.xml", kSimaddonPublisher, airport.icao);
    }
    addScanLogLine(fmtlib::format("{} does not exist as simaddon", airport.icao));
    return std::nullopt;
}

std::optional<std::string> findArchivedThirdpartyAirport(const std::string& publisher, const ScannedAirport& airport,
                                                         std::uint32_t& count) {
    const std::vector<ThirdpartyEntry>& archived =
        gf_msfs2024Selected() ? dbase.thirdpartyAirports24 : dbase.thirdpartyAirports20;
    for (const ThirdpartyEntry& entry : archived) {
        if (entry.publisher != publisher) {
            continue;
        }
        for (const std::string& archivedAirport : entry.airports) {
            int stands = static_cast<int>(count);
            if (gf_parsePrefixedNumber(publisher, airport.icao, stands, archivedAirport)) {
                count = static_cast<std::uint32_t>(std::max(stands, 0));
                return fmtlib::format("archive/thirdparty/{}/{}.xml", lf_escapeBlanks(publisher), airport.icao);
            }
        }
    }
    addScanLogLine(fmtlib::format("thirdparty {} {} does not exist", publisher, airport.icao));
    return std::nullopt;
}

void handleUnrecognisedAirport(const std::string& bglPath) {
    addScanLogLine(fmtlib::format("\n==> Not recognised airport {}", bglPath));
    ScannedAirport airport;
    airport.icao = guessUnrecognisedIcao(bglPath);
    if (airport.icao.empty()) {
        return;
    }
    std::uint32_t archivedCount = 0;
    linkAirportToPackage(airport, archivedCount, bglPath);
}

std::string guessUnrecognisedIcao(const std::string& bglPath) {
    std::string stem = std::filesystem::path(bglPath).stem().string();
    std::ranges::transform(stem, stem.begin(), toUpperChar);
    if (stem.size() == kIcaoLength && lf_isListedAirport(stem)) {
        addScanLogLine(fmtlib::format("Not recognised airport has ICAO code '{}' as BGL stem", stem));
        return stem;
    }
    if (const std::optional<ManifestInfo> manifest = gf_searchManifest(bglPath)) {
        if (std::string code = gf_matchAirportCode(manifest->title); !code.empty()) {
            addScanLogLine(
                fmtlib::format("Not recognised airport has ICAO '{}' in title '{}' of manifest", code, manifest->title));
            return code;
        }
        const auto dashed = std::ranges::find_if(
            airportList, [&bglPath](const AirportRecord& airport) { return gf_containsDashedCode(bglPath, airport); });
        if (dashed != airportList.end()) {
            addScanLogLine(
                fmtlib::format("Not recognised airport has ICAO '{}' in BGL path '{}'", dashed->code, bglPath));
            return dashed->code;
        }
    }
    addScanLogLine(fmtlib::format("==================> Not recognised airport lost ... '{}'", bglPath));
    return {};
}
