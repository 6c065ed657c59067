#include "airports/stand_file_locations.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "airports/stand_file_downloads.h"
#include "core/data_paths.h"
#include "core/folders.h"
#include "core/format.h"
#include "core/log.h"
#include "core/strings.h"
#include "platform/os/windows_paths.h"

namespace {

constexpr std::string_view kXmlExtension = ".xml";
constexpr std::string_view kStockServerFolder = "archive/stock/";
constexpr std::string_view kLocalPathStart = "airports";
// Server paths of the archive; their learned files mirror them in the
// learned folder. Shorter paths are no archive paths.
constexpr std::string_view kArchiveWord = "archive";
constexpr std::size_t kShortestArchivePath = 7;
constexpr std::string_view kThirdparty2024Folder = "my_thirdparty2024";
constexpr std::string_view kThirdpartyFolder = "my_thirdparty";
constexpr std::string_view kSimaddonFolder = "my_simaddon";
constexpr std::string_view kLearnedSimaddonFolder = "simaddon";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
// Characters that separate folders, or that no folder name on Windows holds.
constexpr std::string_view kNotInFolderNames = "/\\:*?\"<>|";

void lf_replaceFirst(std::string& text, std::string_view from, std::string_view to) {
    if (const std::size_t at = text.find(from); at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
}

void lf_replaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::string replaced;
    std::size_t start = 0;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, start)) {
        replaced.append(text, start, at - start).append(to);
        start = at + from.size();
    }
    text = replaced.append(text, start);
}

std::string lf_learnedFolderText() { return dataPaths.learnedFolder.generic_string(); }

// The stand file of a folder: its redirect's target, else its <ICAO>.xml,
// else nothing.
std::string lf_folderStandFile(const std::filesystem::path& folder, const std::string& icao) {
    std::string redirected;
    if (readRedirectFile(folder / gf_airportTxtPath(icao), redirected)) {
        return redirected;
    }
    const std::filesystem::path xml = folder / gf_airportXmlPath(icao);
    return gf_pathExists(xml) ? xml.generic_string() : std::string();
}

}  // namespace

std::string gf_airportXmlName(std::string_view icao) { return std::string(icao) + std::string(kXmlExtension); }

std::filesystem::path gf_airportXmlPath(std::string_view icao) { return gf_airportXmlName(icao); }

std::filesystem::path gf_airportTxtPath(std::string_view icao) { return std::string(icao) + ".txt"; }

std::string gf_stockServerPath(std::string_view icao) {
    return std::string(kStockServerFolder) + gf_airportXmlName(icao);
}

bool gf_isLocalStandFilePath(std::string_view path) { return path.starts_with(kLocalPathStart); }

std::filesystem::path gf_localStandFilePath(std::string_view path) {
    if (!platform::staysInside(path)) {
        throw std::runtime_error(fmtlib::format("'{}' refused: it leads outside the program's folder", path));
    }
    return platform::windowsPath(path);
}

std::optional<std::string> gf_redirectTarget(std::string_view text) {
    std::string line(text.substr(0, text.find('\n')));
    if (line.starts_with(kUtf8ByteOrderMark)) {
        line.erase(0, kUtf8ByteOrderMark.size());
    }
    line.erase(line.find_last_not_of(kWhiteSpace) + 1);
    const std::size_t extension = line.find(kXmlExtension);
    if (extension == std::string::npos) {
        return std::nullopt;
    }
    line.erase(extension + kXmlExtension.size());
    return line;
}

bool readRedirectFile(const std::filesystem::path& txtPath, std::string& out) {
    std::ifstream file(txtPath);
    std::string line;
    if (!file || !std::getline(file, line)) {
        return false;
    }
    std::optional<std::string> target = gf_redirectTarget(line);
    if (!target) {
        return false;
    }
    if (!platform::staysInside(*target)) {
        gf_writeLog(fmtlib::format("Redirect '{}' in {} refused: it leads outside the program's folder", *target,
                                   txtPath.string()));
        return false;
    }
    out = std::move(*target);
    return true;
}

bool ensureAirportFile(const std::string& icao) {
    for (const std::filesystem::path* folder : {&dataPaths.myThirdpartyFolder, &dataPaths.mySimaddonFolder}) {
        if (gf_pathExists(*folder / gf_airportXmlPath(icao)) || gf_pathExists(*folder / gf_airportTxtPath(icao))) {
            return true;
        }
    }
    return downloadStockAirport(icao);
}

std::string findAirportFile(const std::string& icao) {
    for (const std::filesystem::path* folder : {&dataPaths.myThirdpartyFolder, &dataPaths.mySimaddonFolder}) {
        if (std::string path = lf_folderStandFile(*folder, icao); !path.empty()) {
            return path;
        }
    }
    return downloadStockAirport(icao) ? gf_stockServerPath(icao) : std::string();
}

std::string learnedFilePath(const std::string& standFilePath, const std::string& publisher) {
    std::string path = standFilePath;
    if (path.size() >= kShortestArchivePath && path.find(kArchiveWord) != std::string::npos) {
        lf_replaceFirst(path, kArchiveWord, lf_learnedFolderText());
        lf_replaceAll(path, "/", "\\");
    } else if (path.starts_with(kLocalPathStart)) {
        lf_replaceFirst(path, kLocalPathStart, lf_learnedFolderText());
        const std::string thirdparty = "thirdparty\\" + gf_publisherFolderName(publisher);
        if (path.find(kThirdparty2024Folder) != std::string::npos) {
            lf_replaceFirst(path, kThirdparty2024Folder, thirdparty);
        } else if (path.find(kThirdpartyFolder) != std::string::npos) {
            lf_replaceFirst(path, kThirdpartyFolder, thirdparty);
        } else {
            // Where the learned file save puts the files of publisher "simaddon".
            lf_replaceFirst(path, kSimaddonFolder, kLearnedSimaddonFolder);
        }
    }
    lf_replaceAll(path, "%20", " ");
    return path;
}

std::string gf_publisherFolderName(std::string_view publisher) {
    if (publisher == "." || publisher == "..") {
        return "_";
    }
    std::string name(publisher);
    std::replace_if(name.begin(), name.end(), [](char c) { return kNotInFolderNames.find(c) != std::string_view::npos; },
                    '_');
    // Windows drops the dots and spaces that end a folder's name when it
    // makes the folder, and then finds no folder by the full name.
    for (auto end = name.rbegin(); end != name.rend() && (*end == '.' || *end == ' '); ++end) {
        *end = '_';
    }
    return name;
}
