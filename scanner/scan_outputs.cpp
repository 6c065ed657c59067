#include "scanner/scan_outputs.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <set>
#include <vector>

#include "core/data_paths.h"
#include "core/folders.h"
#include "core/text_files.h"

namespace fs = std::filesystem;

namespace {

// The scan writes one or two files per add-on airport.
constexpr std::size_t kExpectedOutputs = 512;

// Its place in the lock order: docs/locks.md.
std::mutex outputsMutex;  // a leaf lock
std::set<std::string> noted;

std::vector<std::string> lf_existingNotedFiles() {
    std::vector<std::string> names;
    const std::lock_guard lock(outputsMutex);
    for (const std::string& name : noted) {
        std::error_code ignored;
        if (fs::is_regular_file(dataPaths.myThirdpartyFolder / name, ignored)) {
            names.push_back(name);
        }
    }
    return names;
}

}  // namespace

void gf_removePreviousScanOutputs() {
    TextFileLines list{dataPaths.addonScanFilesList, {}};
    for (const std::string& name : gf_readLines(list, kExpectedOutputs)) {
        const fs::path file = dataPaths.myThirdpartyFolder / fs::path(name).filename();
        std::error_code ignored;
        if (!name.empty() && fs::is_regular_file(fs::symlink_status(file, ignored))) {
            gf_removeFile(file);
        }
    }
    gf_removeFile(dataPaths.addonScanFilesList);
    const std::lock_guard lock(outputsMutex);
    noted.clear();
}

void gf_noteScanOutput(const std::string& fileName) {
    const std::lock_guard lock(outputsMutex);
    noted.insert(fileName);
}

std::vector<std::string> gf_notedStandFileStems() {
    std::vector<std::string> stems;
    const std::lock_guard lock(outputsMutex);
    for (const fs::path& file : gf_listXmlFiles(dataPaths.myThirdpartyFolder)) {
        if (noted.contains(file.filename().string())) {
            stems.push_back(file.stem().string());
        }
    }
    std::ranges::sort(stems);
    return stems;
}

bool gf_saveScanOutputs() { return gf_replaceTextLines(lf_existingNotedFiles(), dataPaths.addonScanFilesList); }
