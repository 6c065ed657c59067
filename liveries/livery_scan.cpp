#include "liveries/livery_scan.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/core_state.h"
#include "core/data_paths.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/meta_block.h"
#include "core/package_folders.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "core/strings.h"
#include "liveries/aircraft_category.h"
#include "liveries/dbase_corrections.h"
#include "liveries/folder_search.h"
#include "liveries/liveries_file.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "liveries/livery_data.h"
#include "liveries/regcode_lists.h"
#include "liveries/regcode_merge.h"
#include "liveries/scan_reports.h"
#include "liveries/similar_models.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/parameter_controls.h"
#include "ui/status/window_updates.h"

namespace {

std::atomic<bool> catalogRebuildRequested{false};

constexpr int kAutomaticScanFoundNothingCode = 43;
constexpr int kManualScanFoundNothingCode = 53;
constexpr std::int32_t kMaxFolderOrdinal = 10;

bool lf_stopRequested() { return runStopRequested || userCloseRequested; }

// Empties the report lists when the scan ends, whichever way.
struct ScanListsCleanup {
    ScanListsCleanup() = default;
    ScanListsCleanup(const ScanListsCleanup&) = delete;
    ScanListsCleanup& operator=(const ScanListsCleanup&) = delete;
    ~ScanListsCleanup() { clearScanReportLists(); }
};

// Searches one folder and logs what it added.
void lf_searchFolder(std::int32_t folderOrdinal, const std::filesystem::path& folder) {
    const std::size_t before = liveryList.size();
    searchLiveriesInFolder(folderOrdinal, folder);
    const std::size_t added = liveryList.size() - before;
    const std::string where = fmtlib::format("found in {}", folder.string());
    gf_writeLogPlain(added == 0 ? fmtlib::format("No liveries {}", where)
                                : fmtlib::format("{} liverie{} {}", added,
                                                 gf_pluralSuffix(static_cast<std::int64_t>(added)), where));
}

// Liveries of a later folder add nothing to an airline and model that an
// earlier folder serves.
void lf_keepFirstFolderPerAirlineModel() {
    std::map<std::pair<std::string, std::string>, std::int32_t> firstFolder;  // own keys: removal frees the records
    for (const LiveryData& livery : liveryList) {
        auto [slot, inserted] = firstFolder.try_emplace({livery.airline, livery.model}, livery.folderOrdinal);
        slot->second = std::min(slot->second, livery.folderOrdinal);
    }
    liveryList.remove_if([&firstFolder](const LiveryData& livery) {
        return livery.folderOrdinal > firstFolder.at({livery.airline, livery.model});
    });
}

}  // namespace

LiveryScanResult scanLiveryFolders(const LiveryFolders& folders) {
    const ScanListsCleanup cleanup;
    liveryList.clear();
    removePreviousScanFiles();
    readDontUseTitleLists();
    std::int32_t folderOrdinal = 0;
    for (const std::filesystem::path& folder : folders) {
        if (folder.empty()) {
            continue;
        }
        if (!std::filesystem::exists(folder)) {
            gf_writeLogPlain(folder.string() + " does not exist, skipped!");
            continue;
        }
        if (!std::filesystem::is_directory(folder)) {
            gf_writeLogPlain(folder.string() + " is not a folder name, skipped!");
            continue;
        }
        folderOrdinal = std::min(folderOrdinal + 1, kMaxFolderOrdinal);
        if (lf_stopRequested()) {
            break;
        }
        lf_searchFolder(folderOrdinal, folder);
    }
    if (lf_stopRequested()) {
        liveryList.clear();
        return LiveryScanResult::stopped;
    }
    if (liveryList.empty()) {
        MainWindow::liveryCount = 0;
        gf_repaint(WindowRegion::Whole);
        return LiveryScanResult::noneFound;
    }
    if (folders.size() > 1) {
        gf_writeLogPlain(fmtlib::format("{} in total", liveryList.size()));
    }
    lf_applyDbaseToLiveries();
    if (LIG_PRIORITIZE.value) {
        lf_keepFirstFolderPerAirlineModel();
    }
    gf_sortLiveryList();
    liveryList.unique();  // equal but for the folder they came from
    if (!writeLiveriesScanned()) {
        throw std::runtime_error(
            fmtlib::format("could not save to '{}'", dataPaths.liveriesCatalogFile.string()));
    }
    liveryList.clear();
    writeLiveryScanReport();
    gf_clearMessage();
    return LiveryScanResult::found;
}

void gf_requestLiveryCatalogRebuild() {
    catalogRebuildRequested = true;
}

void processScannedLiveries() {
    // Taken first: a request made while the catalogue is built is served at
    // the next start-up.
    const bool rebuild = catalogRebuildRequested.exchange(false);
    if (rebuild) {
        gf_resetLiveryCatalog();
        liveriesProcessed = false;
    }
    if (liveriesProcessed) {
        gf_writeLogPlain("Processing scanned liveries skipped; already done in previous start-up");
        liveryList.clear();
        return;
    }
    readLiveriesScanned();
    MainWindow::liveryCount = static_cast<std::int64_t>(liveryList.size());
    gf_repaint(WindowRegion::Whole);
    buildAirlineModelCatalog();
    buildPaxCargoAirlineMaps();
    checkInlineRegcodes();
    processRegcodeFiles();
    gf_writeLogPlain(fmtlib::format("{} registration codes", liveryCatalog.regcodeTitles.size()));
    buildModelTitleMaps();
    gf_writeLogPlain(fmtlib::format("{} airlines, {} pax aircraft models and {} cargo aircraft models",
                                    liveryCatalog.byAirline.size(),
                                    liveryCatalog.byModelPaxCargo[kPaxLiveries].size(),
                                    liveryCatalog.byModelPaxCargo[kCargoLiveries].size()));
    buildSimilarModelTables();
    for (const auto& category : aircraftCategoryNames) {
        logLiveryCategories(category.id);
    }
    liveriesProcessed = true;
    gf_repaint(WindowRegion::Whole);
    liveryList.clear();
}

bool gf_scanLiveries() {
    if (SCAN_LIVERIES.value) {
        simulatorKind = gf_msfs2024Selected() ? "MSFS2024" : "MSFS";
        const bool prioritized = LIG_PRIORITIZE.value && !LIG_AUTOMATIC.value;
        gf_showMessage(fmtlib::format("Scanning {} for liveries ...", prioritized ? "prioritized " : ""), false);
        gf_writeLogPlain(
            fmtlib::format("\n++++++++++++++++++++++++ liveries scan {} starts ++++++++++++++++++++++++++++++++",
                           LIG_AUTOMATIC.value ? "automatic" : "manual"));
        LiveryFolders folders;
        getLiveryFolders(folders);
        switch (scanLiveryFolders(folders)) {
            case LiveryScanResult::stopped:
                gf_writeLogPlain("liveries scan stopped, nothing written");
                return false;
            case LiveryScanResult::noneFound:
                if (LIG_AUTOMATIC.value) {
                    throw qrx::UserErrorException(kAutomaticScanFoundNothingCode,
                                                  "Automatic scan has not found any liveries, switch off automatic "
                                                  "and set lfolder parameter(-s), Manual 5.1");
                }
                throw qrx::UserErrorException(kManualScanFoundNothingCode, "no liveries found");
            case LiveryScanResult::found: break;
        }
        SCAN_LIVERIES.value = false;
        SCAN_LIVERIES.save();
        gf_setCheckBox(SCAN_LIVERIES);
        gf_repaint(WindowRegion::Whole);
        gf_writeLogPlain("\n++++++++++++++++++++++++ liveries scan ends ++++++++++++++++++++++++++++++++\n");
    }
    if (lf_stopRequested()) {
        return false;
    }
    processScannedLiveries();
    return true;
}
