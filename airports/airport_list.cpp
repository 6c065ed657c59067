#include "airports/airport_list.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <exception>
#include <stdexcept>

#include "airports/airports_state.h"
#include "airports/closest_stand.h"
#include "core/data_paths.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/strings.h"
#include "core/units.h"

namespace {

// Room for every airport of the simulator's world, so that reading never
// grows the list.
constexpr std::size_t kAirportListCapacity = 44000;
constexpr int kListReadError = 88;
// An airport farther than this from the user is not the one the user is at.
constexpr double kAirportReachNm = 5.0;
// Start of the nearest-airport search, and the distance of an airport whose
// stands are unknown.
constexpr double kNoDistanceNm = 100.0;
// Airport codes of the list are ICAO codes: a text is matched on its first
// four characters.
constexpr std::size_t kMatchedCodeLength = 4;

const std::filesystem::path kAirportNamesFile = "airports_msfs_names.xml";

// The standard string-to-double rule: blanks skipped, the longest leading
// number taken, the rest ignored ("52.3N" gives 52.3).
double lf_leadingNumber(const char* text) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text, &end);
    if (end == text) {
        throw std::invalid_argument("invalid stod argument");
    }
    if (errno == ERANGE) {
        throw std::out_of_range("stod argument out of range");
    }
    return value;
}

void lf_loadDocument(pugi::xml_document& document, const std::filesystem::path& path) {
    const pugi::xml_parse_result result = document.load_file(path.c_str());
    if (!result) {
        throw std::runtime_error(fmtlib::format("{} not loaded: {}", path.string(), result.description()));
    }
}

void lf_readAirportList(const std::filesystem::path& path) {
    pugi::xml_document document;
    lf_loadDocument(document, path);
    const pugi::xml_node airports = document.child("airports");
    if (!airports) {
        throw std::runtime_error("Missing <airports> root in: " + path.string());
    }
    for (const pugi::xml_node airport : airports.children("airport")) {
        readAirportElement(airport, airport.attribute("code").value());
    }
    std::sort(airportList.begin(), airportList.end(),
              [](const AirportRecord& a, const AirportRecord& b) { return a.code < b.code; });
    gf_writeLogPlain(fmtlib::format("{} airports read from '{}'", airportList.size(), path.string()));
}

}  // namespace

bool gf_readAirports(const std::filesystem::path& fileName) {
    if (airportsRead) {
        return !airportList.empty();
    }
    const std::filesystem::path path = dataPaths.inputFolder / fileName;
    try {
        if (airportList.capacity() < kAirportListCapacity) {
            airportList.reserve(kAirportListCapacity);
        }
        lf_readAirportList(path);
        airportList.shrink_to_fit();
    } catch (const std::exception& error) {
        throw qrx::UserErrorException(kListReadError, error.what());
    }
    airportsRead = true;
    return !airportList.empty();
}

const AirportRecord* gf_findAirportByCode(std::string_view code) {
    if (!airportsRead || code.empty()) {
        return nullptr;
    }
    const auto found = std::lower_bound(airportList.begin(), airportList.end(), code,
                                        [](const AirportRecord& record, std::string_view wanted) {
                                            return std::string_view{record.code} < wanted;
                                        });
    return found != airportList.end() && found->code == code ? &*found : nullptr;
}

void readAirportElement(const pugi::xml_node& airportElement, const std::string& code) {
    const pugi::xml_attribute lat = airportElement.attribute("lat");
    const pugi::xml_attribute lon = airportElement.attribute("lon");
    const pugi::xml_attribute alt = airportElement.attribute("alt");
    if (!lat || !lon || !alt) {
        gf_writeLogPlain(fmtlib::format("Missing lat/lon/alt for airport '{}'", code));
        return;
    }
    AirportRecord record;
    record.code = code;
    try {
        record.alt = lf_leadingNumber(alt.value());
        record.lat = lf_leadingNumber(lat.value());
        record.lon = lf_leadingNumber(lon.value());
    } catch (const std::logic_error& error) {
        gf_writeLogPlain(fmtlib::format("Error parsing coordinates for airport '{}': {}", code, error.what()));
        return;
    }
    record.iata = airportElement.attribute("iata").value();
    airportList.push_back(std::move(record));
}

void gf_readAirportNames() {
    airportNames.clear();
    const std::filesystem::path path = dataPaths.inputFolder / kAirportNamesFile;
    pugi::xml_document document;
    if (!document.load_file(path.c_str())) {
        gf_writeLog(fmtlib::format("Failed to load airport names from '{}'", path.string()));
        return;
    }
    const pugi::xml_node names = document.child("AirportNames");
    if (!names) {
        gf_writeLog("No AirportNames node found.");
    }
    for (const pugi::xml_node airport : names.children("airport")) {
        const pugi::xml_attribute icao = airport.attribute("ICAO");
        const pugi::xml_attribute name = airport.attribute("name");
        if (!icao || !name) {
            gf_writeLogPlain("Skipped airport entry with missing ICAO or name");
            continue;
        }
        airportNames.try_emplace(icao.value(), name.value());
    }
    gf_writeLogPlain(fmtlib::format("{} airport names read from '{}'", airportNames.size(), path.string()));
}

std::string gf_iataSuffix(const AirportRecord& record) {
    std::string label = record.code.empty() ? "?" : record.code;
    if (!record.iata.empty()) {
        label += fmtlib::format(" ({})", record.iata);
    }
    return label;
}

const AirportRecord* findClosestAirport(const GeoPosition& position) {
    // The nearest airport within reach and the next nearest, its neighbour,
    // wherever either stands in the list's order (the first of equals).
    double bestNm = kNoDistanceNm;
    double neighbourNm = kNoDistanceNm;
    const AirportRecord* closest = nullptr;
    const AirportRecord* neighbour = nullptr;
    for (const AirportRecord& airport : airportList) {
        const double distanceNm = gf_greatCircleDistanceNm(position, {airport.lat, airport.lon});
        if (distanceNm > kAirportReachNm) {
            continue;
        }
        if (distanceNm < bestNm) {
            neighbour = closest;
            neighbourNm = bestNm;
            closest = &airport;
            bestNm = distanceNm;
        } else if (distanceNm < neighbourNm) {
            neighbour = &airport;
            neighbourNm = distanceNm;
        }
    }
    if (closest == nullptr || neighbour == nullptr) {
        return closest;
    }
    gf_writeLogPlain(fmtlib::format("Airport {} is closest, neighbour is {}", closest->code, neighbour->code));
    std::string closestStand;
    std::string neighbourStand;
    const double closestStandNm = gf_readDestApfForClosestStand(closest->code, position, closestStand);
    const double neighbourStandNm = gf_readDestApfForClosestStand(neighbour->code, position, neighbourStand);
    if (neighbourStandNm >= closestStandNm) {
        return closest;
    }
    gf_writeLogPlain(fmtlib::format(
        "Airport {} is closest, but stand {} at neighbouring airport {} is closer at {:.0f} meters ...",
        closest->code, neighbourStand, neighbour->code, neighbourStandNm * kMetresPerNm));
    return neighbour;
}

std::string gf_matchAirportCode(std::string_view text) {
    std::string head(text.substr(0, kMatchedCodeLength));
    std::transform(head.begin(), head.end(), head.begin(), toUpperChar);
    // An airport without a code would begin every text.
    const auto match = std::find_if(airportList.begin(), airportList.end(), [&head](const AirportRecord& airport) {
        return !airport.code.empty() && std::string_view(head).starts_with(airport.code);
    });
    return match == airportList.end() ? std::string() : match->code;
}

bool gf_containsDashedCode(std::string_view text, const AirportRecord& record) {
    if (record.code.empty()) {
        return false;  // "--" is no airport's code
    }
    std::string pattern = fmtlib::format("-{}-", record.code);
    if (text.find(pattern) != std::string_view::npos) {
        return true;
    }
    std::transform(pattern.begin(), pattern.end(), pattern.begin(), toLowerChar);
    return text.find(pattern) != std::string_view::npos;
}
