#include "liveries/livery_folders.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/data_paths.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/package_folders.h"
#include "core/settings.h"
#include "core/strings.h"
#include "platform/os/windows_paths.h"

namespace {

constexpr int kNoLiveryFolderCode = 48;
constexpr std::size_t kMaxLiveryFolders = 10;

using Detector = void (*)(const std::filesystem::path&, LiveryFolders&);

void lf_detectPackage(const std::filesystem::path& community, LiveryFolders& folders,
                      std::initializer_list<std::string_view> packageNames, std::string_view label) {
    for (const auto& entry : platform::sortedFolderEntries(community)) {
        const std::string name = entry.path().filename().string();
        const auto holds = [&name](std::string_view part) { return name.find(part) != std::string::npos; };
        if (!holds("_CVT_") && std::ranges::any_of(packageNames, holds)) {
            gf_writeLogPlain(fmtlib::format("Automatic {} scan found folder: '{}'", label, entry.path().string()));
            folders.push_back(entry.path());
            return;
        }
    }
}

// The detector of a package name of AI_PACKAGE_SELECTOR's choices.
Detector lf_detectorNamed(std::string_view name) {
    if (name == "AIG") {
        return detectAigFolder;
    }
    if (name == "FSLTL") {
        return detectFsltlFolder;
    }
    if (name == "JF") {
        return detectJfFolder;
    }
    throw std::runtime_error(fmtlib::format("{} not set", AI_PACKAGE_SELECTOR.name));
}

}  // namespace

void detectAigFolder(const std::filesystem::path& community, LiveryFolders& folders) {
    lf_detectPackage(community, folders, {"aig-aitraffic-oci"}, "AIG");
}

void detectFsltlFolder(const std::filesystem::path& community, LiveryFolders& folders) {
    lf_detectPackage(community, folders, {"fsltl-traffic-base"}, "FSLTL");
}

void detectJfFolder(const std::filesystem::path& community, LiveryFolders& folders) {
    lf_detectPackage(community, folders, {"justflight-aircraft-traffic-fleet", "justflight-fstraffic-module"}, "JF");
}

void detectUserAitrafficFolder(const std::filesystem::path& community, LiveryFolders& folders) {
    lf_detectPackage(community, folders, {"user-aitraffic"}, "user-aitraffic");
}

void getLiveryFolders(LiveryFolders& folders) {
    folders.clear();
    folders.reserve(kMaxLiveryFolders);
    if (!LIG_AUTOMATIC.value) {
        for (const StringParameter& setting : lfolder) {
            if (const std::string folder = setting.value; !folder.empty()) {
                folders.push_back(platform::windowsPath(folder));
            }
        }
        if (folders.empty()) {
            throw qrx::UserErrorException(
                kNoLiveryFolderCode,
                "Set lfolder parameter(-s) to your liveries first, see Manual 5.1 (or check Liveries automatic)");
        }
        return;
    }
    // Without an install path there is no Community folder to look in.
    if (gf_storedInstallPath().empty()) {
        return;
    }
    const std::filesystem::path community = gf_simInstallPath(kCommunityFolderName);
    const std::string order = AI_PACKAGE_SELECTOR.value;
    if (std::ranges::find(AI_PACKAGE_SELECTOR.items, order) == AI_PACKAGE_SELECTOR.items.end()) {
        throw std::runtime_error(fmtlib::format("{} not set", AI_PACKAGE_SELECTOR.name));
    }
    // The choices name the three packages in their order: "AIG, FSLTL, JF".
    for (const std::string& name : gf_splitComma(order)) {
        lf_detectorNamed(name)(community, folders);
    }
    detectUserAitrafficFolder(community, folders);
}
