#include "liveries/ivao_cfg.h"

#include <algorithm>
#include <array>

#include "core/format.h"
#include "core/log.h"
#include "core/strings.h"
#include "core/text_files.h"
#include "liveries/aircraft_database.h"
#include "liveries/cfg_line_readers.h"
#include "liveries/scan_reports.h"
#include "liveries/section_keys.h"
#include "platform/os/windows_paths.h"

namespace {

// Folders of the models whose titles name them with a 'W' (winglets) after the model.
constexpr std::array<std::string_view, 5> kWingletModelFolders = {"IVAO_B738WLfa", "IVAO_B739WLfa", "IVAO_A320wCFM",
                                                                  "IVAO_A320wIAE", "IVAO_A319fIAEw"};

constexpr std::string_view kAircraftFolderPrefix = "IVAO_";

bool lf_isWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool lf_isBlank(char c) { return std::string_view(" \t\n\v\f\r").find(c) != std::string_view::npos; }

// The aircraft's folder name after "IVAO_" when the path ends in
// <package>\SimObjects\Airplanes\IVAO_<name>\aircraft.cfg with some text
// before the package; Windows takes '\' and '/' alike and ignores case.
std::optional<std::string_view> lf_ivaoAircraftName(std::string_view path, std::string_view package) {
    std::array<std::string_view, 5> tail;  // the last five elements, in path order
    std::string_view rest = path;
    for (auto element = tail.rbegin(); element != tail.rend(); ++element) {
        const auto separator = rest.find_last_of("\\/");
        if (separator == std::string_view::npos) {
            return std::nullopt;
        }
        *element = rest.substr(separator + 1);
        rest = rest.substr(0, separator);
    }
    const std::string_view folder = tail[3];
    const std::string_view name = folder.substr(std::min(folder.size(), kAircraftFolderPrefix.size()));
    if (rest.empty() || !platform::equalsIgnoringCase(tail[0], package) ||
        !platform::equalsIgnoringCase(tail[1], "SimObjects") || !platform::equalsIgnoringCase(tail[2], "Airplanes") ||
        !platform::equalsIgnoringCase(tail[4], "aircraft.cfg") ||
        !platform::equalsIgnoringCase(folder.substr(0, kAircraftFolderPrefix.size()), kAircraftFolderPrefix) ||
        name.empty() || !std::ranges::all_of(name, lf_isWordCharacter)) {
        return std::nullopt;
    }
    return name;
}

class IvaoSectionReader : SectionKeys {
public:
    IvaoSectionReader(const CfgFile& file, CfgSection section) : SectionKeys(file, section) {}

    LiveryData read(CfgSection section);

private:
    bool takeTitle(std::string_view line);
    bool takeTexture(std::string_view line);
    LiveryData makeLivery();

    std::string texture_;
};

bool IvaoSectionReader::takeTitle(std::string_view line) {
    return SectionKeys::takeTitle(line, [](std::string_view before, std::string_view after) {
        if (before != after) {
            gf_writeLogPlain(fmtlib::format("removed spaces around title '{}' --> '{}'", before, after));
        }
    });
}

bool IvaoSectionReader::takeTexture(std::string_view line) {
    if (!texture_.empty()) {
        return false;
    }
    auto texture = lf_readTexture(line);
    if (!texture) {
        return false;
    }
    texture_ = std::move(*texture);
    return true;
}

LiveryData IvaoSectionReader::read(CfgSection section) {
    for (const std::string& line : gf_withoutTrailingComments(section)) {
        (void)(takeTitle(line) || takeParkingTypes(line) || takeAtcId(line, false, " ") || takeTexture(line));
        if (refused_) {
            return {};
        }
    }
    // The texture folder's name is matched without regard to case, as on Windows.
    std::error_code ignored;
    if (!std::filesystem::is_directory(platform::windowsPath(file_.folder, "texture." + texture_), ignored)) {
        report(" does not exist");
        return {};
    }
    if (!titleUsable()) {
        return {};
    }
    return makeLivery();
}

LiveryData IvaoSectionReader::makeLivery() {
    const bool winglets = std::ranges::any_of(
        kWingletModelFolders, [this](std::string_view name) { return file_.folder.find(name) != std::string::npos; });
    std::string airline;
    if (auto fromTitle = gf_airlineFromIvaoTitle(title_, file_.model, winglets)) {
        airline = std::move(*fromTitle);
        if (!gf_isKnownAirline(airline)) {
            lf_addInvalidAirlineLine(airline, file_.path, header_);
            return {};
        }
        if (airline == "ZZZ") {
            atcId_.clear();
        }
    } else if (atcId_.empty()) {
        report(" misses airlinecode in title: " + title_ + ", and no regcode");
        return {};
    } else if (const auto record = gf_lookupRegcode(atcId_)) {
        airline = record->airline;
    } else {
        report(" misses airlinecode in title: " + title_ + ", and regcode unknown " + atcId_);
        return {};
    }
    LiveryData livery = makeLiveryData(file_.folderOrdinal, std::move(airline), file_.model, true, title_, atcId_);
    if (livery.title.empty()) {
        report(" title already exists: " + title_);
    }
    return livery;
}

}  // namespace

std::optional<std::string> gf_airlineFromIvaoTitle(std::string_view title, std::string_view model, bool winglets) {
    if (!platform::equalsIgnoringCase(title.substr(0, model.size()), model)) {
        return std::nullopt;
    }
    std::size_t pos = model.size();
    if (winglets) {
        if (pos == title.size() || toUpperChar(title[pos]) != 'W') {
            return std::nullopt;
        }
        ++pos;
    }
    while (pos < title.size() && lf_isBlank(title[pos])) {
        ++pos;
    }
    constexpr std::size_t kCodeLength = 3;
    const std::string_view code = title.substr(pos, kCodeLength);
    // The rest may be anything but a line end.
    if (code.size() < kCodeLength || !std::ranges::all_of(code, lf_isWordCharacter) ||
        title.substr(pos + kCodeLength).find_first_of("\r\n") != std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(code);
}

std::string lf_ivaoModelFromPath(const std::string& path) {
    constexpr std::size_t kModelLength = 4;
    for (const std::string_view package : {"IVAO_MTL", "ivao_x-csl"}) {
        if (const auto name = lf_ivaoAircraftName(path, package)) {
            return checkModelCode(std::string(name->substr(0, kModelLength)), path);
        }
    }
    lf_addInvalidModelLine("  ", path);
    return {};
}

std::list<LiveryData> lf_splitIvaoFltSimSections(const CfgFile& file, const std::vector<std::string>& lines) {
    std::list<LiveryData> liveries;
    gf_forEachFltSimSection(
        lines, [](std::string_view line) { return line.find('[') != std::string_view::npos; },
        [&](CfgSection section) {
            LiveryData livery = readIvaoFltSimSection(file, section);
            if (!livery.airline.empty()) {
                liveries.push_back(std::move(livery));
            }
        });
    return liveries;
}

LiveryData readIvaoFltSimSection(const CfgFile& file, CfgSection section) {
    return IvaoSectionReader(file, section).read(section);
}

std::list<LiveryData> searchIvaoLiveriesInFile(std::int32_t folderOrdinal, const std::filesystem::path& path) {
    try {
        CfgFile file = gf_describeCfgFile(folderOrdinal, path);
        file.model = lf_ivaoModelFromPath(file.path);
        if (file.model.empty()) {
            return {};
        }
        const CfgLines cfg = gf_readCfgLines(path);
        const std::vector<std::string>& lines = cfg.lines;
        if (cfg.content.charset == Charset::noneFound) {
            gf_writeLog(fmtlib::format("No character set found for {}", file.path));
            return {};
        }
        if (!cfg.content.linesRead || !lf_checkFltSimNumbers(lines, file.path)) {
            return {};
        }
        return lf_splitIvaoFltSimSections(file, lines);
    } catch (const std::exception&) {
        return {};
    }
}
