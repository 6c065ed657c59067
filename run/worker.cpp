#include "run/worker.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

#include "airports/airport_list.h"
#include "airports/park_airports.h"
#include "core/core_state.h"
#include "core/data_paths.h"
#include "core/exceptions.h"
#include "core/folders.h"
#include "core/format.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "core/worker_slots.h"
#include "liveries/livery_scan.h"
#include "run/closing_down.h"
#include "run/init_program.h"
#include "run/program_start.h"
#include "run/run_state.h"
#include "run/run_traffic.h"
#include "scanner/addon_airport_scan.h"
#include "simlink/flight_plans.h"
#include "ui/destination.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/parameter_controls.h"
#include "ui/status/window_updates.h"
#include "ui/window_position.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWrongFolderError = 41;

// The program runs from its own folder, the one that holds "docs".
void lf_checkWorkingFolder() {
    std::error_code error;
    const fs::file_status status = fs::status(dataPaths.docsFolder, error);
    if (error && error != std::errc::no_such_file_or_directory) {
        throw fs::filesystem_error("status", dataPaths.docsFolder, error);
    }
    if (!fs::is_directory(status)) {
        throw qrx::UserErrorException(kWrongFolderError,
                                      formatWithProductName("{} must be run from the {} folder!"));
    }
}

// Without the catalogue file the liveries must be scanned again.
void lf_checkLiveryCatalog() {
    if (fs::exists(dataPaths.liveriesCatalogFile) || SCAN_LIVERIES.value) {
        return;
    }
    gf_showMessage(fmtlib::format("File {} is gone, rescan liveries", dataPaths.liveriesCatalogFile.string()), true);
    SCAN_LIVERIES.value = true;
    SCAN_LIVERIES.save();
    gf_setCheckBox(SCAN_LIVERIES);
    gf_repaint(WindowRegion::ControlPanel);
}

void lf_scanAddonAirports() {
    if (SCAN_AIRPORTS.value) {
        MainWindow::simaddonAirportCount = 0;
        MainWindow::thirdpAirportCount = 0;
        gf_repaint(WindowRegion::StatusBlock);
        gf_scanAddonAirports();
    }
    MainWindow::simaddonAirportCount = static_cast<std::int64_t>(gf_countDirectoryEntries(dataPaths.mySimaddonFolder));
    MainWindow::thirdpAirportCount = static_cast<std::int64_t>(gf_countDirectoryEntries(dataPaths.myThirdpartyFolder));
    gf_repaint(WindowRegion::StatusBlock);
}

void lf_prepareAndRunTraffic() {
    gf_makeFlightPlanFolder();
    lf_readMyParkAirports();
    gf_enableControl(reReadButton, true);
    const std::string destination = DESTINATION.value;
    if (const AirportRecord* airport = gf_findAirportByCode(destination)) {
        gf_setDestination(destination, {airport->lat, airport->lon});
        gf_addDestinationParkAirport();
    }
    gf_keepWindowOnTop(ALWAYS_ON_TOP.value);
    runTraffic();
}

void lf_startUpAndRun() {
    lf_checkWorkingFolder();
    initProgram();
    maxWorkers = static_cast<int>(std::thread::hardware_concurrency());
    runningWorkers = 0;
    lf_checkLiveryCatalog();
    if (!gf_scanLiveries() || gf_stopFlagSet()) {
        return;
    }
    lf_scanAddonAirports();
    if (gf_stopFlagSet()) {
        // Closed during the scans: the run is not started. The reason of
        // whoever stopped stays; a stop without one is the user's.
        runStopRequested = true;
        auto notYetSet = ClosingReason::NotYetSet;
        closingReason.compare_exchange_strong(notYetSet, ClosingReason::UserClosedSim);
        return;
    }
    lf_prepareAndRunTraffic();
}

// Every row of the worker's catch table: the error shown, then the run
// ended with SYSTEM ERROR unless a reason was set before.
void lf_endWithSystemError(std::string_view text) {
    gf_showError(text);
    gf_requestRunStop(ClosingReason::SystemError, 0);
}

}  // namespace

void gf_runWorkerThread(std::stop_token /*stop*/) {
    try {
        lf_startUpAndRun();
    } catch (const qrx::UserErrorException& error) {
        const std::string_view text = error.what();
        lf_endWithSystemError(text.empty() ? "Unknown exception" : text);
    } catch (const fmtlib::format_error& error) {
        gf_showError(fmtlib::format("std::format error: {}", error.what()));
        lf_endWithSystemError(error.what());
    } catch (const std::exception& error) {
        lf_endWithSystemError(error.what());
    } catch (...) {
        lf_endWithSystemError("Unknown exception");
    }
    lf_closingDown();
}

void gf_startWorker() {
    if (workerThread.joinable()) {
        workerThread.request_stop();
        workerThread.join();
    }
    workerThread = std::jthread(gf_runWorkerThread);
}
