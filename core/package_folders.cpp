#include "core/package_folders.h"

#include <array>
#include <system_error>

#include "core/data_paths.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/strings.h"
#include "core/text_conversion.h"
#include "core/text_files.h"
#include "platform/os/windows_paths.h"

namespace {

// Where the Steam edition keeps UserCfg.opt when it runs through the Xbox app.
constexpr std::string_view kFlightDashboardFamily = "Microsoft.FlightDashboard_8wekyb3d8bbwe";
// UserCfg.opt is a few hundred lines long.
constexpr std::size_t kUserCfgExpectedLines = 512;

// The paths tested here come from the user's and the simulator's files: one
// that the file system cannot even look up (an element longer than a name
// may be, say) exists no more than a missing one, and is logged.
bool lf_isExisting(const std::filesystem::path& path) {
    if (path.empty()) {
        return false;
    }
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    if (error) {
        gf_writeLogPlain(fmtlib::format("Cannot look up '{}': {}", path.string(), error.message()));
        return false;
    }
    return exists;
}

}  // namespace

bool gf_msfs2024Selected() { return SIM_CHOICE.value == "MSFS 2024"; }

std::filesystem::path storePackageFamilyName() {
    return gf_msfs2024Selected() ? "Microsoft.Limitless_8wekyb3d8bbwe" : "Microsoft.FlightSimulator_8wekyb3d8bbwe";
}

std::filesystem::path steamFolderName() {
    return gf_msfs2024Selected() ? "Microsoft Flight Simulator 2024" : "Microsoft Flight Simulator";
}

std::string_view officialFolderName() {
    return gf_msfs2024Selected() ? kOfficial2024FolderName : kOfficialFolderName;
}

std::filesystem::path findUserCfgOpt() {
    const std::filesystem::path local = gf_getLocalAppDataPath();
    const std::filesystem::path roaming = gf_getAppDataPath();
    struct Candidate {
        std::filesystem::path path;
        std::string_view kind;
    };
    const std::array<Candidate, 4> candidates = {{
        {platform::windowsPath(local, "Packages\\" + storePackageFamilyName().string() + "\\LocalCache\\UserCfg.opt"),
         "Store"},
        {platform::windowsPath(roaming, steamFolderName().string() + "\\UserCfg.opt"), "Steam1"},
        {platform::windowsPath(local, "Packages\\" + std::string(kFlightDashboardFamily) + "\\LocalCache\\UserCfg.opt"),
         "Steam2"},
        {platform::windowsPath(local, "MSFSPackages\\UserCfg.opt"), "Boxed"},
    }};
    for (const Candidate& candidate : candidates) {
        if (lf_isExisting(candidate.path)) {
            return candidate.path;
        }
        gf_writeLogPlain(fmtlib::format("MSFS detection, no {}:{}", candidate.kind, candidate.path.string()));
    }
    return candidates.back().path;
}

std::filesystem::path steamPackagesFolder() {
    std::filesystem::path folder =
        platform::windowsPath(gf_getAppDataPath(), steamFolderName().string() + "\\Packages");
    if (!lf_isExisting(folder)) {
        return {};
    }
    gf_writeLogPlain(fmtlib::format("Steam packages:{}", folder.string()));
    return folder;
}

std::string installedPackagesPathText(const std::vector<std::string>& userCfgLines) {
    for (const std::string& line : userCfgLines) {
        if (line.find("InstalledPackagesPath") != std::string::npos) {
            return gf_unquote(line);
        }
    }
    return {};
}

std::filesystem::path readInstalledPackagesPath() {
    TextFileLines userCfg{findUserCfgOpt(), {}};
    if (!lf_isExisting(userCfg.path)) {
        gf_writeLogPlain("No UserCfg.opt found?");
        return {};
    }
    const std::string text = installedPackagesPathText(gf_readLines(userCfg, kUserCfgExpectedLines));
    std::filesystem::path folder = platform::windowsPath(text);
    if (!lf_isExisting(folder)) {
        folder.clear();
    }
    gf_writeLogPlain(
        fmtlib::format("UserCfg.opt: InstalledPackagesPath={}", folder.empty() ? std::string("???") : folder.string()));
    return folder;
}

bool isValidPackagesFolder(const std::filesystem::path& folder) {
    return lf_isExisting(folder) && lf_isExisting(platform::findIgnoringCase(folder, kCommunityFolderName)) &&
           lf_isExisting(platform::findIgnoringCase(folder, officialFolderName()));
}

std::filesystem::path gf_findPackagesFolder() {
    if (std::filesystem::path steam = steamPackagesFolder(); isValidPackagesFolder(steam)) {
        return steam;
    }
    if (std::filesystem::path installed = readInstalledPackagesPath(); isValidPackagesFolder(installed)) {
        return installed;
    }
    return {};
}

std::string gf_storedInstallPath() {
    return gf_msfs2024Selected() ? MSFS_2024_INSTALL_PATH.value.load() : MSFS_INSTALL_PATH.value.load();
}

std::filesystem::path gf_simInstallPath(std::string_view subFolder) {
    const std::string installPath = gf_storedInstallPath();
    if (installPath.empty()) {
        return std::filesystem::path(subFolder);
    }
    return platform::findIgnoringCase(platform::windowsPath(installPath), subFolder);
}
