#include "run/init_program.h"

#include <array>
#include <filesystem>
#include <string>

#include "airports/airport_list.h"
#include "airports/airports_state.h"
#include "core/data_paths.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/package_folders.h"
#include "core/parameters_file.h"
#include "core/settings.h"
#include "core/text_conversion.h"
#include "liveries/dbase_file.h"
#include "run/closing_down.h"
#include "run/main_loop.h"
#include "run/program_start.h"
#include "run/run_state.h"
#include "run/updater.h"
#include "simlink/simlink_state.h"
#include "traffic/stands/user_stand.h"
#include "ui/controls.h"
#include "ui/radius.h"
#include "ui/status/control_texts.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/window_updates.h"

namespace fs = std::filesystem;

namespace {

constexpr int kNoPackagesFolderError = 150;
constexpr std::string_view kCommunityFolder = "Community";
const fs::path kRealTrafficProgramFile = "RealTraffic.jar";

// The aircraft database is read once per program; a restarted worker keeps
// it.
bool databaseRead = false;

void lf_makeFolder(const fs::path& folder) {
    std::error_code error;
    const fs::file_status status = fs::status(folder, error);
    if (error && error != std::errc::no_such_file_or_directory) {
        throw fs::filesystem_error("status", folder, error);
    }
    if (!fs::is_directory(status)) {
        fs::create_directories(folder);
    }
}

StringParameter& lf_selectedPackagesPath() { return msfs2020Selected ? MSFS_INSTALL_PATH : MSFS_2024_INSTALL_PATH; }

// The packages path of the selected simulator, shown; when it is empty the
// simulator's own is looked for.
void lf_setPackagesPath() {
    StringParameter& selected = lf_selectedPackagesPath();
    ALL_INSTALL_PATH.value = selected.value.load();
    gf_enableControl(ALL_INSTALL_PATH, true);
    gf_setTbText(ALL_INSTALL_PATH);
    if (!ALL_INSTALL_PATH.value.empty()) {
        return;
    }
    const fs::path found = gf_findPackagesFolder();
    if (found.empty()) {
        throw qrx::UserErrorException(
            kNoPackagesFolderError,
            "No install path detected, type full path to your Community folder above, and press Enter");
    }
    selected.setValueAndSave(found.string());
    ALL_INSTALL_PATH.value = found.string();
    gf_setTbText(ALL_INSTALL_PATH);
}

void lf_detectRealTraffic() {
    const bool installed = fs::exists(gf_getAppDataPath() / kRealTrafficFolderName / kRealTrafficProgramFile);
    realTrafficOnThisPc = installed;
    gf_showMessage(fmtlib::format("RealTraffic {}detected at this PC", installed ? "" : "not "), true);
}

}  // namespace

void initProgram() {
    gf_installUserStandHooks();
    gf_readParameters();
    // The simulator choice decides the next steps already, so the flag is
    // taken from the settings just read, not from the previous start-up.
    msfs2020Selected = SIM_CHOICE.value == "MSFS 2020";
    gf_repaint(WindowRegion::StatusBlock);
    stripCommunitySuffix(lf_selectedPackagesPath());
    prepareDataFolders();
    userMaxLiveSel = static_cast<std::uint32_t>(MAX_LIVE_SEL.value.load());
    userLearnSoft = LEARN_SOFT.value.load();
    if (!restartRequested) {
        checkForUpdates();
    }
    prepareControls();
    PROGRAM_INSTALL_PATH.value = fs::current_path().string();
    PROGRAM_INSTALL_PATH.save();
    gf_setCurrentWeekSlot();
    if (!databaseRead) {
        gf_readDbase();
        databaseRead = true;
    }
    gf_readAirports(dataPaths.airportListFile);
    lf_setPackagesPath();
    gf_repaint(WindowRegion::ControlPanel);
    lf_detectRealTraffic();
    manualRadiusNm = RANGE.value.load();
    // Last, so that no message of the start-up hides it at once.
    if (const std::string notice = gf_takeParametersNotice(); !notice.empty()) {
        gf_showMessage(notice, false);
    }
}

void prepareDataFolders() {
    // Below the working folder, in the order they are made.
    for (const fs::path* folder :
         {&dataPaths.outputFolder, &dataPaths.infoFolder, &dataPaths.errorsFolder, &dataPaths.airportsFolder,
          &dataPaths.learnedFolder, &dataPaths.learnedStockFolder, &dataPaths.learnedSimaddonFolder,
          &dataPaths.learnedThirdpartyFolder, &dataPaths.mySimaddonFolder, &dataPaths.myThirdpartyFolder,
          &dataPaths.myRegcodesFolder}) {
        lf_makeFolder(*folder);
    }
    for (const fs::path& file :
         {dataPaths.inputFolder / "AIG-regcodes0.xml", dataPaths.inputFolder / "AIG-regcodes00.xml"}) {
        if (fs::exists(file)) {
            fs::remove(file);
        }
    }
}

void stripCommunitySuffix(StringParameter& packagesPath) {
    constexpr std::size_t kMinimumLength = 10;  // a separator and "Community"
    std::string path = packagesPath.value;
    const std::size_t suffixStart = path.size() - std::min(path.size(), kCommunityFolder.size() + 1);
    if (path.size() < kMinimumLength || !path.ends_with(kCommunityFolder) ||
        (path[suffixStart] != '\\' && path[suffixStart] != '/')) {
        return;
    }
    path.erase(suffixStart);
    packagesPath.setValueAndSave(path);
}
