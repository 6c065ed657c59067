#include "airports/stand_file.h"

#include <cmath>
#include <string_view>
#include <unordered_set>

#include "airports/airports_state.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/half_hours.h"
#include "core/log.h"
#include "core/meta_block.h"
#include "core/parameters_xml.h"
#include "core/settings.h"
#include "core/text_files.h"
#include "core/units.h"
#include "liveries/aircraft_database.h"

namespace {

constexpr int kDuplicateStandCode = 94;
// Room for the stand ids of a large airport.
constexpr std::size_t kStandIdsReserved = 512;
// The callsign and its suffix share "cs": "ABC123:ABC124".
constexpr char kCallsignSeparator = ':';

bool lf_appendText(pugi::xml_node element, const char* name, const std::string& text) {
    return element.append_attribute(name).set_value(text.c_str());
}

bool lf_appendBool(pugi::xml_node element, const char* name, bool value) {
    return element.append_attribute(name).set_value(gf_boolText(value));
}

// Every attribute of the stand: what a generated file holds and what a
// learned file keeps of a stand the user added.
void lf_appendFullStand(pugi::xml_node parkpos, const ParkPosition& stand) {
    lf_appendText(parkpos, "latitude", fmtlib::format("{:.6f}", stand.latDeg));
    lf_appendText(parkpos, "longitude", fmtlib::format("{:.6f}", stand.lonDeg));
    lf_appendText(parkpos, "heading", fmtlib::format("{:.1f}", stand.headingRad * kDegreesPerRadian));
    lf_appendText(parkpos, "radius", fmtlib::format("{:.1f}", stand.radiusNm * kMetresPerNm));
    if (stand.heli) {
        lf_appendBool(parkpos, "heli", true);
    } else {
        lf_appendBool(parkpos, "cargo", stand.cargo);
    }
    lf_appendBool(parkpos, "ramp", stand.ramp);
    if (stand.manual) {
        lf_appendBool(parkpos, "manual", true);
    }
}

// The radius and cargo changes of an archived stand.
void lf_appendStandChanges(pugi::xml_node parkpos, const ParkPosition& stand) {
    if (stand.radiusChanged) {
        lf_appendBool(parkpos, "radius_change", true);
        lf_appendText(parkpos, "radius", fmtlib::format("{:.1f}", stand.radiusNm * kMetresPerNm));
    }
    if (stand.cargoChanged) {
        lf_appendBool(parkpos, "cargo_change", true);
        lf_appendBool(parkpos, "cargo", stand.cargo);
    }
}

void lf_appendOption(pugi::xml_node parkpos, const ParkOption& option) {
    pugi::xml_node opt = parkpos.append_child("opt");
    lf_appendText(opt, "reg", option.registration);
    // A known registration brings its airline and type from the database
    // when the file is read.
    if (!gf_lookupRegcode(option.registration)) {
        lf_appendText(opt, "airl", option.airline);
        lf_appendText(opt, "type", option.type);
    }
    if (!option.real) {
        lf_appendBool(opt, "soft", true);
    }
    lf_appendText(opt, "day", std::to_string(option.day));
    lf_appendText(opt, "hh", gf_bitset2hours(option.timeSlots));
    if (!option.callsign.empty()) {
        lf_appendText(opt, "cs",
                      option.callsignSuffix.empty()
                          ? option.callsign
                          : fmtlib::format("{}{}{}", option.callsign, kCallsignSeparator, option.callsignSuffix));
    }
}

void lf_appendStand(pugi::xml_node parkpositions, const ParkPosition& stand, AirportFileMode mode) {
    pugi::xml_node parkpos = parkpositions.append_child("parkpos");
    lf_appendText(parkpos, "id", stand.name);
    if (mode == AirportFileMode::generated) {
        lf_appendFullStand(parkpos, stand);
        return;
    }
    // A handmade file replaces the archived stands, so each of its stands is
    // written whole: a changed stand written with its changes alone would
    // come back without a position and be dropped.
    if (stand.manual || learnedFileHandmade) {
        lf_appendFullStand(parkpos, stand);
    } else {
        lf_appendStandChanges(parkpos, stand);
    }
    for (const ParkOption& option : stand.options) {
        if (option.sequence != 0) {
            lf_appendOption(parkpos, option);
        }
    }
}

// The settings that the airport keeps: their values now.
bool lf_appendSettingCopies(pugi::xml_node parameters) {
    return gf_appendIntParameterNode(parameters, LATERAL_RANGE.name, RANGE.value) &&
           gf_appendBoolParameterNode(parameters, AUTO_RANGE.name, AUTO_RANGE.value) &&
           gf_appendBoolParameterNode(parameters, WEEK.name, WEEK.value) &&
           gf_appendBoolParameterNode(parameters, PARK_FAKE.name, PARK_FAKE.value) &&
           gf_appendBoolParameterNode(parameters, PARK_SOFT.name, PARK_SOFT.value) &&
           gf_appendIntParameterNode(parameters, parking_percentage.name, parking_percentage.value) &&
           gf_appendBoolParameterNode(parameters, INITIAL_LOAD_ONLY.name, INITIAL_LOAD_ONLY.value) &&
           gf_appendIntParameterNode(parameters, MAX_FIT.name, MAX_FIT.value) &&
           gf_appendIntParameterNode(parameters, MAX_LIVE.name, MAX_LIVE_SEL.value) &&
           gf_appendBoolParameterNode(parameters, LEARN_SOFT.name, LEARN_SOFT.value);
}

// Why a stand cannot be used, or nothing.
std::string_view lf_standFault(double latDeg, double lonDeg, double headingDeg, double radiusMetres) {
    if (latDeg == 0.0 && lonDeg == 0.0) {
        return "no position";
    }
    if (!std::isfinite(latDeg) || !std::isfinite(lonDeg) || !std::isfinite(headingDeg) ||
        !std::isfinite(radiusMetres) || std::abs(latDeg) > 90.0 || std::abs(lonDeg) > 180.0) {
        return "invalid position, heading or radius";
    }
    return {};
}

// The "value" of the named parameter (a null attribute for a parameter
// without one, which reads as false, 0 or ""); empty without the parameter.
std::optional<pugi::xml_attribute> lf_parameterValue(const pugi::xml_node& document, const std::string& name) {
    const pugi::xml_node parameter = gf_findParameterNode(document, name);
    if (!parameter) {
        return std::nullopt;
    }
    return parameter.attribute("value");
}

}  // namespace

bool gf_writeAirportFile(const AirportFileInfo& airport, const std::vector<ParkPosition>& stands,
                         const std::filesystem::path& path, AirportFileMode mode) {
    pugi::xml_document document;
    if (!gf_writeMetaBlock(document) || !writeAirportParameters(document, airport, stands.size(), mode)) {
        return false;
    }
    pugi::xml_node parkpositions = document.append_child("parkpositions");
    if (!parkpositions) {
        return false;
    }
    for (const ParkPosition& stand : stands) {
        lf_appendStand(parkpositions, stand, mode);
    }
    return gf_replaceXmlFile(document, path);
}

bool writeAirportParameters(pugi::xml_node document, const AirportFileInfo& airport, std::size_t standCount,
                            AirportFileMode mode) {
    const pugi::xml_node parameters = document.append_child("parameters");
    if (!parameters) {
        return false;
    }
    const bool learned = mode == AirportFileMode::learned;
    const bool handmade = learned && learnedFileHandmade;
    bool written = gf_appendParameterNode(parameters, "airport_name", airport.airportName) &&
                   gf_appendParameterNode(parameters, "publisher", airport.publisher);
    if (handmade) {
        written = written && gf_appendBoolParameterNode(parameters, "handmade", true);
    }
    if (!learned || handmade) {
        written = written && gf_appendIntParameterNode(parameters, "altitude", airport.altitudeFt);
    }
    written = written && gf_appendParameterNode(parameters, "num_parkpos", std::to_string(standCount));
    if (handmade) {
        written = written && gf_appendIntParameterNode(parameters, "Qf_real", airport.qfReal) &&
                  gf_appendIntParameterNode(parameters, "Qf_soft", airport.qfSoft);
    }
    if (airport.publisher == kUnknownPublisher) {
        written = written && gf_appendParameterNode(parameters, "BGLpath", airport.bglPath) &&
                  gf_appendParameterNode(parameters, "manufacturer", airport.manufacturer) &&
                  gf_appendParameterNode(parameters, "creator", airport.creator);
    }
    if (learned) {
        written = written && lf_appendSettingCopies(parameters);
    }
    return written;
}

bool readParkpos(const pugi::xml_node& parkpos, const std::string& id, bool fromArchive,
                 std::vector<ParkPosition>& stands) {
    const double latDeg = parkpos.attribute("latitude").as_double();
    const double lonDeg = parkpos.attribute("longitude").as_double();
    const double headingDeg = parkpos.attribute("heading").as_double();
    const double radiusMetres = parkpos.attribute("radius").as_double();
    if (const std::string_view fault = lf_standFault(latDeg, lonDeg, headingDeg, radiusMetres); !fault.empty()) {
        gf_writeLogPlain(fmtlib::format("Parking position {} skipped: {}", id, fault));
        return false;
    }
    std::vector<ParkOption> options;
    std::uint32_t sequence = 0;
    for (const pugi::xml_node opt : parkpos.children("opt")) {
        ParkOption option = parseParkOption(opt);
        option.sequence = ++sequence;
        option.fromArchive = fromArchive;
        options.push_back(std::move(option));
    }
    stands.emplace_back(id, std::move(options), latDeg, lonDeg, headingDeg * kRadiansPerDegree, radiusMetres,
                        parkpos.attribute("cargo").as_bool(), parkpos.attribute("ramp").as_bool(),
                        parkpos.attribute("heli").as_bool());
    return true;
}

void readParkpositions(const pugi::xml_node& parkpositions, bool fromArchive, std::vector<ParkPosition>& stands) {
    std::unordered_set<std::string> ids;
    ids.reserve(kStandIdsReserved);
    for (const pugi::xml_node parkpos : parkpositions.children("parkpos")) {
        const std::string id = parkpos.attribute("id").as_string();
        if (!ids.insert(id).second) {
            throw qrx::UserErrorException(kDuplicateStandCode,
                                          fmtlib::format("Parking position {} appears more than once?", id));
        }
        readParkpos(parkpos, id, fromArchive, stands);
    }
}

ParkOption parseParkOption(const pugi::xml_node& opt) {
    ParkOption option;
    const std::string_view cs = opt.attribute("cs").as_string();
    const std::size_t separator = cs.find(kCallsignSeparator);
    option.callsign = cs.substr(0, separator);
    if (separator != std::string_view::npos) {
        option.callsignSuffix = cs.substr(separator + 1);
    }
    option.registration = opt.attribute("reg").as_string();
    const std::optional<RegcodeRecord> known =
        option.registration.empty() ? std::nullopt : gf_lookupRegcode(option.registration);
    if (known) {
        option.airline = known->operatorCode.empty() ? known->airline : known->operatorCode;
        option.type = known->type;
    } else {
        option.airline = opt.attribute("airl").as_string();
        option.type = opt.attribute("type").as_string();
    }
    option.real = !opt.attribute("soft").as_bool();
    option.day = opt.attribute("day").as_int();
    option.timeSlots = gf_hours2bitset(opt.attribute("hh").as_string());
    return option;
}

std::optional<bool> readBoolParameter(const pugi::xml_node& document, const std::string& name) {
    const std::optional<pugi::xml_attribute> value = lf_parameterValue(document, name);
    return value ? std::optional<bool>(value->as_bool()) : std::nullopt;
}

std::optional<std::int32_t> readIntParameter(const pugi::xml_node& document, const std::string& name) {
    const std::optional<pugi::xml_attribute> value = lf_parameterValue(document, name);
    return value ? std::optional<std::int32_t>(value->as_int()) : std::nullopt;
}

std::optional<std::string> readStringParameter(const pugi::xml_node& document, const std::string& name) {
    const std::optional<pugi::xml_attribute> value = lf_parameterValue(document, name);
    return value ? std::optional<std::string>(value->as_string()) : std::nullopt;
}
