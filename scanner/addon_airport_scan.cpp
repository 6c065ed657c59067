#include "scanner/addon_airport_scan.h"

#include <filesystem>
#include <system_error>

#include "airports/airport_list.h"
#include "airports/airports_state.h"
#include "airports/stand_file_downloads.h"
#include "airports/stand_file_locations.h"
#include "airports/stand_file_publisher.h"
#include "core/core_state.h"
#include "core/data_paths.h"
#include "core/folders.h"
#include "core/format.h"
#include "core/log.h"
#include "core/meta_block.h"
#include "core/package_folders.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "core/strings.h"
#include "liveries/report_files.h"
#include "platform/os/file_copy.h"
#include "scanner/airport_folder_search.h"
#include "scanner/scan_log.h"
#include "scanner/scan_outputs.h"
#include "scanner/scanner_state.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/parameter_controls.h"
#include "ui/status/window_updates.h"

namespace fs = std::filesystem;

namespace {

// The maker's mailbox for the stand files of TBLO.
constexpr std::string_view kOfflineLearningMailbox = "support@vantrel.example";
// A scan writes a few lines per airport; room for a large Community folder.
constexpr std::size_t kScanLogExpectedLines = 2048;
// Its generated stand files are replaced by the archived one of its maker.
constexpr std::string_view kReplacedAirport = "KMCI";
constexpr std::string_view kReplacedAirportPublisher = "TropicalSim";

void lf_prepareTbloFolder() {
    const fs::path& tblo = dataPaths.unrecognisedBglFolder;
    if (gf_pathExists(tblo)) {
        gf_cleanFolder(tblo);
    } else {
        gf_createFolders(tblo);
    }
}

// Writes the scan log's lines and empties it; every worker has ended.
void lf_writeScanLog() {
    std::vector<std::string> lines;
    {
        const std::lock_guard lock(ScanLog.mutex);
        lines.swap(ScanLog.lines);
    }
    std::error_code ignored;
    fs::create_directories(dataPaths.airportsScanLogFile.parent_path(), ignored);
    gf_writeLines(lines, dataPaths.airportsScanLogFile);
    gf_writeLogPlain(dataPaths.airportsScanLogFile.string() + " written");
}

// A generated stand file of a known publisher whose airport suits off-line learning.
void lf_copyForOfflineLearning(const std::string& icao, const fs::path& xml) {
    const fs::path copy = dataPaths.unrecognisedBglFolder / gf_airportXmlPath(icao);
    if (platform::copyFileReplacing(xml, copy)) {
        gf_writeLog(fmtlib::format("'{}' failed to copy '{}'", xml.string(), copy.string()));
        return;
    }
    gf_writeLogPlain(fmtlib::format("{} copied to {}", icao, copy.string()));
    if (gf_pathExists(dataPaths.myThirdpartyFolder / gf_airportTxtPath(icao))) {
        gf_removeFile(xml);  // the redirect to the archived file stays
    }
}

}  // namespace

void gf_scanAddonAirports() {
    gf_showMessage("Scanning for addon airports ...", false);
    gf_writeLogPlain(
        fmtlib::format("\n++++++++++++++++++++++++ airports scan {} starts +++++++++++++++++++++++++++++", ""));
    addonAirportFound = false;
    lf_prepareTbloFolder();
    const std::vector<std::string> folders = collectScanFolders();
    gf_readAirportNames();
    const bool msfs2024 = gf_msfs2024Selected();
    if (!msfs2024) {
        gf_cleanFolder(dataPaths.mySimaddonFolder);  // in MSFS 2024 the start-up's updater fills it
    }
    gf_removePreviousScanOutputs();  // the user's own stand files stay
    simulatorKind = msfs2024 ? "MSFS2024" : "MSFS";  // for every stand file of the scan
    bool found = false;
    try {
        found = runAirportScan(folders);
    } catch (...) {
        gf_saveScanOutputs();  // what was written is still the scan's to remove
        throw;
    }
    gf_saveScanOutputs();
    if (!gf_stopFlagSet()) {
        if (!found) {
            gf_showMessage("Warning: Scan has not found any add-on airports", true);
        }
        SCAN_AIRPORTS.value = false;
        SCAN_AIRPORTS.save();
        gf_setCheckBox(SCAN_AIRPORTS);
        gf_repaint(WindowRegion::ControlPanel);
    }
    airportNames.clear();
    if (gf_pathExists(dataPaths.unrecognisedBglFolder) &&
        gf_countDirectoryEntries(dataPaths.unrecognisedBglFolder) == 0) {
        fs::remove(dataPaths.unrecognisedBglFolder);
    }
    gf_repaint(WindowRegion::StatusBlock);
    gf_writeLogPlain("-------------------------- airports scan ends    ----------------------------\n");
}

std::vector<std::string> collectScanFolders() {
    std::vector<std::string> folders;
    if (gf_storedInstallPath().empty()) {
        return folders;  // never the working folder's own Official or Community
    }
    if (!gf_msfs2024Selected()) {
        folders.push_back(gf_simInstallPath(kOfficialFolderName).string());
    }
    folders.push_back(gf_simInstallPath(kCommunityFolderName).string());
    return folders;
}

bool runAirportScan(const std::vector<std::string>& folders) {
    gf_writeLogPlain(fmtlib::format("The scan will search {} folder{}", folders.size(),
                                    gf_pluralSuffix(static_cast<std::int64_t>(folders.size()))));
    std::error_code error;
    fs::remove(dataPaths.airportsScanLogFile, error);
    if (error) {
        gf_writeLogPlain("problems with removing previous files (maybe still open?)");
    }
    tbloFileCount = 0;
    {
        const std::lock_guard lock(ScanLog.mutex);
        ScanLog.lines.clear();  // what a scan that failed may have left
        ScanLog.lines.reserve(kScanLogExpectedLines);
    }
    scanFolderChecked(folders);
    lf_writeScanLog();
    gf_clearMessage();
    if (!gf_stopFlagSet()) {
        finishAirportScan(gf_notedStandFileStems());  // never the user's own files
    }
    if (addonAirportFound) {
        gf_writeLogPlain("Airports scan successful");
    }
    return addonAirportFound;
}

void scanFolderChecked(const std::vector<std::string>& folders) {
    for (const std::string& text : folders) {
        if (text.empty()) {
            continue;
        }
        const fs::path folder(text);
        if (!gf_pathExists(folder)) {
            gf_showMessage(text + " does not exist, skipped!", true);
        } else if (fs::is_directory(folder)) {
            searchAddonAirportsInFolder(folder);
        } else {
            gf_showMessage(text + " is not a folder name, skipped!", true);
        }
    }
}

void finishAirportScan(const std::vector<std::string>& stems) {
    for (const std::string& icao : stems) {
        if (gf_stopFlagSet()) {
            break;  // each check is a download; the program is closing
        }
        const fs::path xml = dataPaths.myThirdpartyFolder / gf_airportXmlPath(icao);
        if (icao == kReplacedAirport && gf_readPublisher(xml) == kReplacedAirportPublisher) {
            gf_removeFile(xml);
        } else if (gf_checkOfflineLearning(icao) && gf_readPublisherDetails(xml).empty()) {
            lf_copyForOfflineLearning(icao, xml);
        }
    }
    tbloFileCount = static_cast<std::int64_t>(gf_countDirectoryEntries(dataPaths.unrecognisedBglFolder));
    if (tbloFileCount == 0) {
        gf_writeLogPlain("All your third party airports are done, no off line learning needed.");
        fs::remove_all(dataPaths.unrecognisedBglFolder);
    } else {
        gf_writeLog(fmtlib::format("\nzip folder '{}', and mail to {}", dataPaths.unrecognisedBglFolder.string(),
                                   kOfflineLearningMailbox));
    }
}
