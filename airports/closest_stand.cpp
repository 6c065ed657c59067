#include "airports/closest_stand.h"

#include <exception>
#include <filesystem>

#include <pugixml.hpp>

#include "airports/stand_file_downloads.h"
#include "airports/stand_file_locations.h"
#include "core/folders.h"
#include "core/format.h"
#include "core/log.h"

namespace {

// The distance of an airport whose stands are not known.
constexpr double kNoStandNm = 100.0;
const std::filesystem::path kDownloadedStandFile = "airport.xml";

double lf_nearestStandNm(const std::filesystem::path& file, const GeoPosition& position, std::string& standId) {
    pugi::xml_document document;
    if (!document.load_file(file.c_str())) {
        return kNoStandNm;
    }
    double bestNm = kNoStandNm;
    for (const pugi::xml_node parkpos : document.child("parkpositions").children("parkpos")) {
        const GeoPosition stand{parkpos.attribute("latitude").as_double(), parkpos.attribute("longitude").as_double()};
        const double distanceNm = gf_greatCircleDistanceNm(position, stand);
        if (distanceNm < bestNm) {
            bestNm = distanceNm;
            standId = parkpos.attribute("id").as_string();
        }
    }
    return bestNm;
}

}  // namespace

double gf_readDestApfForClosestStand(const std::string& icao, const GeoPosition& position, std::string& standId) {
    try {
        const std::string path = findAirportFile(icao);
        if (path.empty()) {
            return kNoStandNm;
        }
        if (gf_isLocalStandFilePath(path)) {
            return lf_nearestStandNm(gf_localStandFilePath(path), position, standId);
        }
        if (!downloadAirportFile(path, kDownloadedStandFile).empty()) {
            return kNoStandNm;
        }
        const double nearestNm = lf_nearestStandNm(kDownloadedStandFile, position, standId);
        gf_removeFile(kDownloadedStandFile);
        return nearestNm;
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("{}: {}", "gf_readDestApfForClosestStand", error.what()));
        return kNoStandNm;
    }
}
