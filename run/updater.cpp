#include "run/updater.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <gsl/gsl>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>
#include <vector>

#include "airports/stand_file_locations.h"
#include "core/data_paths.h"
#include "core/downloader.h"
#include "core/folders.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/text_files.h"
#include "liveries/liveries_state.h"
#include "platform/os/windows_paths.h"
#include "platform/zip/zip_archive.h"
#include "ui/status/message_line.h"

namespace {

// Below the server's base address.
constexpr std::string_view kVersionsFile = "versions.json";
constexpr std::string_view kPackageFolder = "vavovevide24/";
constexpr std::string_view kPackageFile = "my_simaddon2024.zip";  // also its name in the working folder
constexpr std::string_view kSimaddonMember = "simaddon";

// A data set that every simulator uses.
struct DataSet {
    std::string_view member;  // of versions.json
    const std::filesystem::path& localFile;
    std::string_view serverFile;  // below kDataFolder
    StringParameter& installedVersion;
};

// A file entry of the package and the file it becomes.
struct PackageFile {
    std::filesystem::path target;
    std::string text;
};

// The package, read whole before anything on disk changes.
struct PackageContent {
    std::vector<PackageFile> files;
    std::size_t refusedCount = 0;  // entries whose name gives no file name of the folder, or that lead out of it
};

// An empty setting is the lowest version, not a text to complain about.
VersionData lf_installedVersion(const StringParameter& setting) {
    const std::string text = setting.value.load();
    return text.empty() ? VersionData{} : VersionData(text);
}

void lf_saveVersion(StringParameter& setting, const VersionData& version) {
    setting.value = gf_formatVersion(version);
    setting.save();
}

std::int32_t lf_versionNumber(const nlohmann::json& member, const char* key) {
    const auto found = member.find(key);
    if (found == member.end() || !found->is_number_integer()) {
        throw std::runtime_error(fmtlib::format("\"{}\" is missing or not a whole number", key));
    }
    return found->is_number_unsigned() ? gsl::narrow<std::int32_t>(found->get<std::uint64_t>())
                                       : gsl::narrow<std::int32_t>(found->get<std::int64_t>());
}

// The member's version, or nothing when versions.json has none or a
// malformed one (logged).
std::optional<VersionData> lf_remoteVersion(const nlohmann::json& root, std::string_view name) {
    if (!root.is_object() || !root.contains(name)) {
        gf_writeLog(fmtlib::format("{} version not found", name));
        return std::nullopt;
    }
    try {
        const nlohmann::json& member = root.at(name);
        if (!member.is_object()) {
            throw std::runtime_error("not an object");
        }
        return VersionData(lf_versionNumber(member, "major"), lf_versionNumber(member, "minor"),
                           lf_versionNumber(member, "patch"));
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("{} version not readable: {}", name, error.what()));
        return std::nullopt;
    }
}

// The parsed versions.json, or nothing when it cannot be opened or is no
// valid JSON (logged).
std::optional<nlohmann::json> lf_readVersionsFile() {
    std::ifstream file{std::filesystem::path(kVersionsFile)};
    if (!file.is_open()) {
        gf_writeLog("Cannot open versions.json");
        return std::nullopt;
    }
    try {
        return nlohmann::json::parse(file);
    } catch (const nlohmann::json::parse_error& error) {
        gf_writeLog(fmtlib::format("versions.json is not valid JSON, the installed data files are kept: {}",
                                   error.what()));
        return std::nullopt;
    }
}

void lf_updateDataSet(const nlohmann::json& root, const DataSet& dataSet) {
    const auto remote = lf_remoteVersion(root, dataSet.member);
    if (!remote) {
        return;
    }
    std::error_code error;
    if (!(*remote > lf_installedVersion(dataSet.installedVersion)) &&
        std::filesystem::exists(dataSet.localFile, error)) {
        gf_writeLogPlain(fmtlib::format("{} version up-to-date", dataSet.member));
        return;
    }
    if (gf_downloadFromServer(fmtlib::format("{}{}", kDataFolder, dataSet.serverFile), dataSet.localFile)) {
        lf_saveVersion(dataSet.installedVersion, *remote);
        gf_writeLogPlain(fmtlib::format("{} updated to {}", dataSet.member, gf_formatVersion(*remote)));
    }
}

bool lf_simaddonUpdateWanted(const VersionData& remote) {
    return remote > lf_installedVersion(VAVOVEVIDE24_VERSION) || simaddonFolderMissingOrEmpty();
}

// "<last element of the name without extension>.txt" in the folder; nothing
// for a name whose last element is no file name there ("..", "C:x.xml").
// Both separators count, as the archive may come from Windows.
std::optional<std::filesystem::path> lf_flatTarget(std::string_view entryName, const std::filesystem::path& folder) {
    const auto separator = entryName.find_last_of("/\\");
    const std::string lastElement(separator == std::string_view::npos ? entryName : entryName.substr(separator + 1));
    const std::string stem = std::filesystem::path(lastElement).stem().string();
    if (stem.empty() || stem == "." || stem == ".." || stem.find(':') != std::string::npos) {
        return std::nullopt;
    }
    return folder / (stem + ".txt");
}

// Reads every file entry; nothing when the archive cannot be opened or an
// entry cannot be read (logged).
std::optional<PackageContent> lf_readPackage(const std::filesystem::path& zipPath,
                                             const std::filesystem::path& folder) {
    std::optional<platform::zip::ZipArchive> archive;
    try {
        archive.emplace(zipPath);
    } catch (const std::runtime_error& error) {
        gf_writeLog(fmtlib::format("Could not open {}", zipPath.string()));
        gf_writeLogPlain(error.what());
        return std::nullopt;
    }
    PackageContent content;
    const std::vector<std::string> names = archive->entryNames();
    for (std::size_t index = 0; index < names.size(); ++index) {
        const std::string& name = names[index];
        if (name.ends_with('/') || name.ends_with('\\')) {
            continue;  // a folder
        }
        auto target = lf_flatTarget(name, folder);
        if (!target) {
            gf_writeLog(fmtlib::format("Skipped zip entry '{}': no file name", name));
            ++content.refusedCount;
            continue;
        }
        std::string text;
        try {
            text = archive->readEntry(index);
        } catch (const std::runtime_error& error) {
            gf_writeLog(fmtlib::format("Could not read {}: {}", zipPath.string(), error.what()));
            return std::nullopt;
        }
        // Each entry becomes a redirect file, which must not lead the stand
        // file lookup out of the program's folder.
        if (const auto redirect = gf_redirectTarget(text); redirect && !platform::staysInside(*redirect)) {
            gf_writeLog(fmtlib::format("Skipped zip entry '{}' of {}: its redirect '{}' leads outside the program's "
                                       "folder",
                                       name, zipPath.string(), *redirect));
            ++content.refusedCount;
            continue;
        }
        content.files.push_back({std::move(*target), std::move(text)});
    }
    return content;
}

// Empties the folder, or creates it; false (logged) when it cannot be created.
bool lf_prepareFolder(const std::filesystem::path& folder) {
    if (std::filesystem::is_directory(folder)) {
        gf_cleanFolder(folder);
        return true;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        gf_writeLog(fmtlib::format("Could not create directory {}: {}", folder.string(), error.message()));
        return false;
    }
    return true;
}

bool lf_downloadAndUnpack(const VersionData& remote, const std::filesystem::path& zipPath) {
    const std::filesystem::path& folder = dataPaths.mySimaddonFolder;
    Downloader downloader;
    const std::string url = fmtlib::format("{}{}{}", gf_downloadBaseAddress(), kPackageFolder, kPackageFile);
    if (!downloader.downloadFile(url, zipPath, true)) {
        return false;
    }
    const auto package = lf_readPackage(zipPath, folder);
    if (!package || !lf_prepareFolder(folder)) {
        return false;
    }
    std::size_t writtenCount = 0;
    for (const PackageFile& file : package->files) {
        if (gf_writeTextFile(file.text, file.target, false)) {
            ++writtenCount;
        } else {
            gf_writeLog(fmtlib::format("Failed to write file: {}", file.target.string()));
        }
    }
    gf_showMessage(fmtlib::format("{} unzipped {} files", zipPath.string(), writtenCount), true);
    // A version saved for a partial package would keep it partial for good.
    if (writtenCount != package->files.size() || package->refusedCount != 0) {
        return false;
    }
    lf_saveVersion(VAVOVEVIDE24_VERSION, remote);
    return true;
}

}  // namespace

void checkForUpdates() {
    {
        Downloader downloader;
        const std::string url = fmtlib::format("{}{}", gf_downloadBaseAddress(), kVersionsFile);
        if (!downloader.downloadFile(url, kVersionsFile, false)) {
            gf_writeLog("Downloading version info from my web site failed!");
            return;
        }
    }
    const auto root = lf_readVersionsFile();
    if (!root) {
        return;
    }
    if (gf_msfs2024Chosen()) {
        if (const auto remote = lf_remoteVersion(*root, kSimaddonMember)) {
            if (!lf_simaddonUpdateWanted(*remote)) {
                gf_writeLogPlain(fmtlib::format("{} version up-to-date", kSimaddonMember));
            } else if (installSimaddonPackage(*remote)) {
                gf_writeLogPlain(fmtlib::format("{} updated to {}", kSimaddonMember, gf_formatVersion(*remote)));
            }
        }
    }
    const std::array<DataSet, 2> dataSets{{
        {"aig", dataPaths.regcodesEncFile, "AIG-regcodes.enc", AIG_VERSION},
        {"dbase", dataPaths.dbaseEncFile, "dbase.enc", DBASE_VERSION},
    }};
    for (const DataSet& dataSet : dataSets) {
        lf_updateDataSet(*root, dataSet);
    }
}

bool installSimaddonPackage(const VersionData& remote) {
    const std::filesystem::path zipPath{kPackageFile};
    // Removed however this ends, also when nothing was downloaded.
    const auto removeZip = gsl::finally([&zipPath] {
        std::error_code error;
        std::filesystem::remove(zipPath, error);
        if (error) {
            gf_writeLog(fmtlib::format("Warning: could not remove downloaded zip: {}", error.message()));
        }
    });
    return lf_simaddonUpdateWanted(remote) && lf_downloadAndUnpack(remote, zipPath);
}

bool simaddonFolderMissingOrEmpty() {
    const std::filesystem::path& folder = dataPaths.mySimaddonFolder;
    std::error_code error;
    const auto status = std::filesystem::status(folder, error);
    if (error && status.type() != std::filesystem::file_type::not_found) {
        throw std::filesystem::filesystem_error("status", folder, error);
    }
    if (!std::filesystem::is_directory(status)) {
        return true;
    }
    const bool empty = std::filesystem::is_empty(folder, error);
    if (error) {
        throw std::filesystem::filesystem_error("is_empty", folder, error);
    }
    return empty;
}

