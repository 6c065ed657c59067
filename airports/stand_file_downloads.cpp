#include "airports/stand_file_downloads.h"

#include <optional>
#include <string_view>

#include <pugixml.hpp>

#include "airports/stand_file.h"
#include "airports/stand_file_locations.h"
#include "core/downloader.h"
#include "core/folders.h"
#include "core/format.h"
#include "core/log.h"

namespace {

// A stand file's traffic of so many weeks of real traffic at least makes its
// airport worth learning offline.
constexpr std::int32_t kOfflineLearningWeeks = 27;

// Server paths in the old folder whichever simulator is selected.
bool lf_inOldServerFolder(std::string_view serverPath) {
    return serverPath.find("simaddon") != std::string_view::npos ||
           serverPath.find("stock") != std::string_view::npos;
}

std::string lf_stockUrl(const std::string& icao) { return gf_makeDownloadBaseUrl(true) + gf_stockServerPath(icao); }

bool lf_suitsOfflineLearning(const pugi::xml_document& document) {
    const auto usable = [](const std::optional<std::int32_t>& factor) { return factor && *factor >= 0; };
    const std::optional<std::int32_t> weeks = readIntParameter(document, "RT_traffic_week");
    return (usable(readIntParameter(document, "Qf_real")) || usable(readIntParameter(document, "Qf_soft"))) &&
           weeks && *weeks >= kOfflineLearningWeeks;
}

}  // namespace

bool downloadStockAirport(const std::string& icao) {
    const std::filesystem::path probe = gf_airportXmlPath(icao);
    Downloader downloader;
    if (!downloader.downloadFile(lf_stockUrl(icao), probe)) {
        return false;
    }
    gf_removeFile(probe);
    return true;
}

std::string downloadAirportFile(const std::string& serverPath, const std::filesystem::path& localPath) {
    const std::string url = gf_makeDownloadBaseUrl(lf_inOldServerFolder(serverPath)) + serverPath;
    Downloader downloader;
    if (downloader.downloadFile(url, localPath)) {
        return {};
    }
    std::string failure = fmtlib::format("failed to download: '{}'", url);
    gf_writeLog(failure);
    return failure;
}

bool gf_checkOfflineLearning(const std::string& icao) {
    const std::string url = lf_stockUrl(icao);
    gf_writeLogPlain(url);
    const std::filesystem::path local = gf_airportXmlPath(icao);
    Downloader downloader;
    if (!downloader.downloadFile(url, local)) {
        gf_writeLog(fmtlib::format("Failed to download {}", local.string()));
        return false;
    }
    pugi::xml_document document;
    bool suitable = false;
    if (document.load_file(local.c_str())) {
        suitable = lf_suitsOfflineLearning(document);
    } else {
        gf_writeLog(fmtlib::format("Failed to load {}", local.string()));
    }
    gf_removeFile(local);
    if (!suitable) {
        gf_writeLogPlain(fmtlib::format("{} not suitable for offline learning", icao));
    }
    return suitable;
}
