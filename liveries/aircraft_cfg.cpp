#include "liveries/aircraft_cfg.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/strings.h"
#include "core/text_files.h"
#include "liveries/aircraft_database.h"
#include "liveries/liveries_state.h"
#include "liveries/regcode_lists.h"
#include "liveries/scan_reports.h"
#include "liveries/section_keys.h"

namespace {

// The highest section number; "[fltsim.x]" and other unnumbered headers count as it.
constexpr int kMaxFltSimNumber = 10000;

// Packages of user aircraft that carry no type designator; not worth a report.
constexpr std::array<std::string_view, 2> kUntypedUserAircraft = {"pmdg-aircraft-7", "fnx-aircraft-3"};

bool lf_contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// One section's keys as its lines are walked, and whether it was refused.
class SectionReader : SectionKeys {
public:
    SectionReader(const CfgFile& file, CfgSection section) : SectionKeys(file, section) {}

    std::list<LiveryData> read(CfgSection section);

private:
    bool takeTitle(std::string_view line);
    bool takeAirline(std::string_view line);
    std::list<LiveryData> makeLivery();
    // The reports that do not begin with the folder and the header.
    static void reportLine(std::string line) { lf_addIncompleteSectionLine(std::move(line)); }

    std::string airline_;
};

bool SectionReader::takeTitle(std::string_view line) {
    if (!SectionKeys::takeTitle(line, [](std::string_view, std::string_view) {})) {
        return false;
    }
    // Liveries of user aircraft that the simulator cannot fly as AI, and
    // stubs (liveries left without their textures) when the user says so.
    refused_ = refused_ || lf_contains(title_, "FenixA320") || lf_contains(title_, "PMDG 737") ||
               (SUPPRESS_STUB.value && title_.ends_with("-STUB"));
    return true;
}

bool SectionReader::takeAirline(std::string_view line) {
    if (!airline_.empty()) {
        if (lf_contains(line, "icao_airline")) {
            refuse(" has more than one atc_parking_codes key");
            return true;
        }
        return false;
    }
    auto airline = lf_readIcaoAirline(line);
    if (!airline) {
        return false;
    }
    gf_removeSpacesInList(*airline);
    // A fourth letter X or C marks the airline's cargo or charter arm: "BAWC" is BAW.
    if (airline->size() == 4 && (airline->back() == 'X' || airline->back() == 'C')) {
        airline->pop_back();
    }
    if (!airline->empty() && gf_isKnownAirline(*airline)) {
        airline_ = std::move(*airline);
    } else if (*airline == "RFO") {
        airline_ = std::move(*airline);  // refused without a report
        refused_ = true;
    } else {
        lf_addInvalidAirlineLine(*airline, file_.path, header_);
    }
    return true;
}

std::list<LiveryData> SectionReader::read(CfgSection section) {
    for (const std::string& line : gf_withoutTrailingComments(section)) {
        (void)(takeTitle(line) || takeAirline(line) || takeParkingTypes(line) || takeAtcId(line, true, ": "));
        if (refused_) {
            break;
        }
    }
    if (airline_.empty()) {
        reportLine(fmtlib::format("{} {} icao_airline is missing, or it has invalid info ", file_.path, header_));
    }
    if (refused_) {
        return {};
    }
    if (!titleUsable()) {
        return {};
    }
    return makeLivery();
}

std::list<LiveryData> SectionReader::makeLivery() {
    if (airline_ == "ZZZ") {
        atcId_.clear();  // a livery of no airline has no registration of its own
    }
    if (airline_.empty()) {
        const bool heavy = gf_getAircraftCategory(file_.model) == AircraftCategory::Heavy;
        if (atcId_.empty()) {
            if (heavy) {
                reportLine(fmtlib::format("'{}' '{}' has no airline and no regcode info", file_.folder, header_));
                return {};
            }
            airline_ = "PVT";
            atcId_ = gf_findShortRegcodeInText(title_).value_or("");
        } else if (const auto record = gf_lookupRegcode(atcId_)) {
            airline_ = record->airline;
        } else if (heavy) {
            reportLine(fmtlib::format("'{}' '{}' has no airline and regcode not in dbase", file_.folder, header_));
            return {};
        } else {
            airline_ = "PVT";
        }
    }
    const bool cargo = lf_contains(parkingTypes_, "CARGO") && !lf_contains(parkingTypes_, "GATE");
    LiveryData livery = makeLiveryData(file_.folderOrdinal, airline_, file_.model, !cargo, title_, atcId_);
    if (livery.title.empty()) {
        report(fmtlib::format(" title '{}' already exists", title_));
        return {};
    }
    return {std::move(livery)};
}

}  // namespace

CfgFile gf_describeCfgFile(std::int32_t folderOrdinal, const std::filesystem::path& path) {
    CfgFile file{folderOrdinal, path.string(), {}, {}};
    // The folder is the text before the last separator ('\' on Windows).
    const auto separator = file.path.rfind(std::filesystem::path::preferred_separator);
    file.folder = separator == std::string::npos ? std::string() : file.path.substr(0, separator);
    return file;
}

CfgLines gf_readCfgLines(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    lines.reserve(kCfgReservedLines);
    TextFileContent content = gf_readTextFile(path, lines);
    return {content, std::move(lines)};
}

std::list<LiveryData> lf_searchLiveriesinFile(std::int32_t folderOrdinal, const std::filesystem::path& path) {
    std::list<LiveryData> liveries;
    try {
        if (!std::filesystem::exists(path)) {
            return liveries;
        }
        CfgFile file = gf_describeCfgFile(folderOrdinal, path);
        const CfgLines cfg = gf_readCfgLines(path);
        const std::vector<std::string>& lines = cfg.lines;
        if (!cfg.content.linesRead || !lf_checkFltSimNumbers(lines, file.path)) {
            return liveries;
        }
        file.model = applyModelFixes(file.path, lines);
        if (!file.model.empty()) {
            liveries = lf_splitFltSimSections(file, lines);
        }
    } catch (const std::exception& error) {
        gf_writeLogPlain(fmtlib::format("Exception in lf_searchLiveriesinFile {}: {}", path.string(), error.what()));
    }
    return liveries;
}

bool lf_checkFltSimNumbers(const std::vector<std::string>& lines, const std::string& path) {
    bool numbered = false;
    bool tooHigh = false;
    for (const std::string& line : lines) {
        const std::string digits = lf_readFltSimNumber(line);
        if (digits.empty()) {
            continue;
        }
        int number = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error != std::errc{}) {
            gf_writeLog(fmtlib::format("fltsim num {} incorrect", line));
            return false;
        }
        numbered = true;
        tooHigh = tooHigh || number > kMaxFltSimNumber;
    }
    if (!numbered) {
        noSectionFiles.append(path);
        return true;
    }
    if (tooHigh) {
        lf_addInvalidCfgLine(fmtlib::format("{} contains a [fltsim.x] section with a number < 0 or > {}", path,
                                            kMaxFltSimNumber));
        return false;
    }
    return true;
}

std::string checkModelCode(const std::string& code, const std::string& path) {
    if (gf_isKnownAircraftType(code)) {
        return code;
    }
    if (const auto fix = dbase.typeFixes.find(code); fix != dbase.typeFixes.end()) {
        lf_addModelFixLine(fmtlib::format("Model fix: {} found in {} changed into {}", code, path, fix->second));
        return fix->second;
    }
    lf_addInvalidModelLine(code, path);
    return {};
}

std::string applyModelFixes(const std::string& path, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (const std::string code = lf_readTypeDesignator(line); !code.empty()) {
            return checkModelCode(code, path);
        }
    }
    return lf_modelFromBaseContainer(path, lines);
}

std::string lf_modelFromBaseContainer(const std::string& path, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (const std::string type = lf_stockTypeFromBaseContainer(line); !type.empty()) {
            return checkModelCode(type, path);
        }
    }
    const auto inPath = [&path](std::string_view name) { return lf_contains(path, name); };
    if (std::ranges::none_of(kUntypedUserAircraft, inPath)) {
        lf_addInvalidCfgLine("Line icao_type_designator= is missing in [General] section of " + path);
    }
    return {};
}

CfgSection gf_withoutTrailingComments(CfgSection section) {
    while (!section.empty() && (section.back().empty() || section.back().starts_with("//"))) {
        section = section.first(section.size() - 1);
    }
    return section;
}

std::list<LiveryData> lf_splitFltSimSections(const CfgFile& file, const std::vector<std::string>& lines) {
    constexpr std::size_t kHeaderColumns = 6;  // a '[' this early begins another section ([GENERAL])
    std::list<LiveryData> liveries;
    gf_forEachFltSimSection(
        lines,
        [](std::string_view line) { return line.substr(0, kHeaderColumns).find('[') != std::string_view::npos; },
        [&](CfgSection section) { liveries.splice(liveries.end(), lf_procesFltSimSection(file, section)); });
    return liveries;
}

std::list<LiveryData> lf_procesFltSimSection(const CfgFile& file, CfgSection section) {
    try {
        return SectionReader(file, section).read(section);
    } catch (const std::exception& error) {
        gf_writeLogPlain(fmtlib::format("Exception in lf_procesFltSimSection: {}, file: {}", error.what(), file.path));
    }
    return {};
}

bool checkAtcId(std::string_view value, std::string& out) {
    constexpr std::size_t kMaxRegistrationLength = 12;
    const std::vector<std::string> registrations = gf_splitString(value, ',');
    const bool valid = std::ranges::all_of(registrations, [](const std::string& registration) {
        return !registration.empty() && registration != " " && registration.size() <= kMaxRegistrationLength &&
               registration.find('*') == std::string::npos;
    });
    if (valid) {
        out = registrations.size() == 1 ? registrations.front() : std::string();
    }
    return valid;
}

bool gf_isDontUseTitle(std::string_view title) {
    return std::ranges::find(dontUseTitles, title) != dontUseTitles.end();
}
