#include "airports/learned_airport_file.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "airports/airports_state.h"
#include "airports/learned_settings.h"
#include "airports/park_airport_file.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "airports/stand_file_locations.h"
#include "core/calendar.h"
#include "core/core_state.h"
#include "core/data_paths.h"
#include "core/folders.h"
#include "core/format.h"
#include "core/log.h"
#include "core/meta_block.h"
#include "core/parameters_xml.h"
#include "core/strings.h"
#include "platform/os/file_copy.h"
#include "simlink/simlink_state.h"
#include "ui/status/message_line.h"

namespace {

constexpr double kNmPerMetre = 0.0005399568034557236;
// A manual stand this near to latitude 0, longitude 0 has no position.
constexpr double kNoPositionDeg = 0.0001;

double lf_finiteOrZero(double value) { return std::isfinite(value) ? value : 0.0; }

bool lf_hasMetaEntries(const pugi::xml_document& document) {
    return gf_readMetaInfo(document, meta::author) && gf_readMetaInfo(document, meta::date) &&
           gf_readMetaInfo(document, meta::version);
}

// A learned file that does not parse is kept beside itself as <name>.0.xml
// (replacing an older copy); the next save replaces the file itself.
void lf_keepUnreadableFile(const std::filesystem::path& path, const pugi::xml_parse_result& result) {
    if (path.has_extension() && gf_pathExists(path)) {
        std::filesystem::path copy = path;
        copy.replace_extension(".0" + path.extension().string());
        if (const std::error_code error = platform::copyFileReplacing(path, copy)) {
            throw std::filesystem::filesystem_error("cannot copy file", path, copy, error);
        }
    }
    gf_writeLogPlain(
        fmtlib::format("{} found, but could not be loaded, saved as *.0.xml: {}", path.string(), result.description()));
}

void lf_mergeManualStand(const pugi::xml_node& parkpos, const std::string& id, const std::filesystem::path& path,
                         std::vector<ParkPosition>& stands) {
    if (std::any_of(stands.begin(), stands.end(), [&](const ParkPosition& stand) { return stand.name == id; })) {
        gf_writeLog(fmtlib::format("manually created standid {} already exists in {}", id, path.string()));
        return;
    }
    const double latDeg = lf_finiteOrZero(parkpos.attribute("latitude").as_double());
    const double lonDeg = lf_finiteOrZero(parkpos.attribute("longitude").as_double());
    const double radiusMetres = lf_finiteOrZero(parkpos.attribute("radius").as_double());
    if ((std::abs(latDeg) <= kNoPositionDeg && std::abs(lonDeg) <= kNoPositionDeg) || radiusMetres == 0.0) {
        gf_writeLog(fmtlib::format("manually created standid {} misses correct attributes in {}", id, path.string()));
        return;
    }
    if (readParkpos(parkpos, id, false, stands)) {
        stands.back().manual = true;
    }
}

// Learned changes join the archived stands; stands the user added are appended.
void lf_mergeLearnedStands(const pugi::xml_node& parkpositions, const std::filesystem::path& path,
                           std::vector<ParkPosition>& stands) {
    for (const pugi::xml_node parkpos : parkpositions.children("parkpos")) {
        const std::string id = parkpos.attribute("id").as_string();
        if (parkpos.attribute("manual").as_bool()) {
            lf_mergeManualStand(parkpos, id, path, stands);
            continue;
        }
        const bool applied = std::any_of(stands.begin(), stands.end(),
                                         [&](ParkPosition& stand) { return applyLearnedParkpos(id, parkpos, stand); });
        if (!applied) {
            gf_writeLogPlain(fmtlib::format("learned stand {} in {} not found?", id, path.string()));
        }
    }
}

void lf_readLearnedDocument(const std::filesystem::path& path, const AirportFileInfo& archived,
                            std::vector<ParkPosition>& stands) {
    pugi::xml_document document;
    const pugi::xml_parse_result loaded = document.load_file(path.c_str());
    if (!loaded) {
        lf_keepUnreadableFile(path, loaded);
        return;
    }
    gf_writeLogPlain(fmtlib::format("Read from learned airport file: '{}'", path.string()));
    if (!lf_hasMetaEntries(document)) {
        return;
    }
    const std::string learnedName = readStringParameter(document, "airport_name").value_or("");
    if (learnedName != archived.airportName) {
        gf_showMessage(fmtlib::format("Warning: learned file airport name: '{}' differs from archived file airport "
                                      "name: '{}'",
                                      learnedName, archived.airportName),
                       true);
    }
    applyLearnedSettings(document);
    const pugi::xml_node parkpositions = document.child("parkpositions");
    const std::optional<bool> handmade = readBoolParameter(document, "handmade");
    if (!handmade) {
        learnedFileHandmade = false;
        lf_mergeLearnedStands(parkpositions, path, stands);
        return;
    }
    learnedFileHandmade = true;
    stands.clear();  // a handmade file's stands replace the archived ones
    readParkpositions(parkpositions, true, stands);
    gf_writeLogIndented(fmtlib::format("{:24}: {}", "handmade", gf_boolText(*handmade)));
}

// The stand without the demo traffic of this visit.
ParkPosition lf_withoutDemo(const ParkPosition& stand) {
    ParkPosition kept = stand;
    std::erase_if(kept.options, [](const ParkOption& option) { return option.demo; });
    return kept;
}

// The stand with only what the learned file keeps of it: its learned
// options; nothing when it holds nothing learned.
std::optional<ParkPosition> lf_learnedPart(const ParkPosition& stand) {
    const bool learnedOption = std::any_of(stand.options.begin(), stand.options.end(),
                                           [](const ParkOption& option) { return !option.fromArchive; });
    if (!stand.manual && !stand.radiusChanged && !stand.cargoChanged && !learnedOption) {
        return std::nullopt;
    }
    ParkPosition learned = stand;
    std::erase_if(learned.options, [](const ParkOption& option) { return option.fromArchive; });
    return learned;
}

}  // namespace

void lf_readLearned(const std::filesystem::path& learnedPath, const AirportFileInfo& archived,
                    std::vector<ParkPosition>& stands) {
    try {
        lf_readLearnedDocument(learnedPath, archived, stands);
    } catch (const std::exception& error) {
        gf_writeLogPlain(fmtlib::format("{}: {}", "lf_readLearned", error.what()));
    }
}

bool applyLearnedParkpos(const std::string& id, const pugi::xml_node& parkpos, ParkPosition& stand) {
    if (stand.name != id) {
        return false;
    }
    if (parkpos.attribute("radius_change").as_bool()) {
        stand.radiusNm = lf_finiteOrZero(parkpos.attribute("radius").as_double()) * kNmPerMetre;
        stand.radiusChanged = true;
    }
    if (parkpos.attribute("cargo_change").as_bool()) {
        stand.cargo = parkpos.attribute("cargo").as_bool();
        stand.cargoChanged = true;
    }
    std::uint32_t nextSequence = stand.options.empty() ? 1 : stand.options.back().sequence + 1;
    for (const pugi::xml_node opt : parkpos.children("opt")) {
        ParkOption option = parseParkOption(opt);
        option.sequence = nextSequence;
        option.fromArchive = false;
        const bool known = std::any_of(stand.options.begin(), stand.options.end(),
                                       [&](const ParkOption& existing) { return sameStandOption(option, existing); });
        if (!known) {
            stand.options.push_back(std::move(option));
            ++nextSequence;
        }
    }
    return true;
}

bool sameStandOption(const ParkOption& learned, const ParkOption& existing) {
    return learned.day == existing.day && learned.real == existing.real &&
           learned.registration == existing.registration && learned.airline == existing.airline &&
           learned.type == existing.type && (learned.timeSlots & existing.timeSlots).any();
}

std::filesystem::path gf_learnedFolder(const std::string& publisher) {
    if (publisher == kStockPublisher) {
        return dataPaths.learnedStockFolder;
    }
    if (publisher == kSimaddonPublisher) {
        return dataPaths.learnedSimaddonFolder;
    }
    return dataPaths.learnedThirdpartyFolder / gf_publisherFolderName(publisher);
}

void saveLearnedAirportFile() {
    AirportFileInfo record = parkAirportFile;
    record.icao = parkAirport.load().code;
    std::vector<ParkPosition> stands;
    for (const ParkPosition& stand : parkPositions) {
        if (learnedFileHandmade) {
            stands.push_back(lf_withoutDemo(stand));
        } else if (std::optional<ParkPosition> learned = lf_learnedPart(stand)) {
            stands.push_back(std::move(*learned));
        }
    }
    if (learnedFileHandmade) {
        const QualityFactors factors = computeQualityFactors(stands);
        record.qfReal = factors.real;
        record.qfSoft = factors.soft;
    }
    const std::filesystem::path folder = gf_learnedFolder(record.publisher);
    if (!gf_pathExists(folder)) {
        gf_createFolders(folder);
    }
    const std::filesystem::path path = folder / gf_airportXmlPath(record.icao);
    simulatorKind = msfs2020Selected ? "MSFS" : "MSFS2024";
    const std::string timeOfDay = gf_currentTimeOfDay();
    if (gf_writeAirportFile(record, stands, path, AirportFileMode::learned)) {
        const std::uint32_t updates = learnedUpdateCount;
        gf_showMessage(
            fmtlib::format("{}{} '{}' saved with {} update{} {}", timeOfDay, learnedFileHandmade ? " handmade" : "",
                           path.string(), updates, gf_pluralSuffix(updates),
                           parkingParamsChanged ? "and one or more parameter changes" : ""),
            true);
    } else {
        gf_showMessage(fmtlib::format("{} saving '{}' did not succeed", timeOfDay, path.string()), true);
    }
    learnedUpdateCount = 0;
    parkingParamsChanged = false;
}
