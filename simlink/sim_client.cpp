#include "simlink/sim_client.h"

#include <chrono>
#include <exception>
#include <mutex>
#include <utility>

#include "core/calendar.h"
#include "core/core_state.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "platform/os/timer_resolution.h"
#include "simlink/object_identification.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/program_resources.h"
#include "ui/status/window_updates.h"

namespace sc = platform::simconnect;

namespace {

constexpr auto kOpenRetryInterval = std::chrono::milliseconds(100);
constexpr auto kDispatchInterval = std::chrono::milliseconds(1);

void lf_repaintStatus() { gf_repaint(WindowRegion::StatusBlock); }

void lf_showWaiting() {
    gf_showMessage(fmtlib::format("Waiting for MSFS 20{} ...", msfs2020Selected ? "20" : "24"), true);
    gf_writeLogPlain("");
    lf_repaintStatus();
}

// Dispatches every millisecond until the token asks to stop or the
// simulator is gone (CallDispatch fails once nothing is left of a lost or
// closed connection).
void lf_dispatch(sc::Handle handle, const std::stop_token& stop) {
    const platform::OneMillisecondTimer timer;
    while (!stop.stop_requested()) {
        if (sc::SimConnect_CallDispatch(handle, onSimConnectDispatch, nullptr) < 0) {
            simRunning = false;
            gf_handleSimDisconnected();
            return;
        }
        std::this_thread::sleep_until(std::chrono::steady_clock::now() + kDispatchInterval);
    }
}

void lf_connectAndDispatch(const std::stop_token& stop) {
    bool waitingShown = false;
    while (!gf_stopFlagSet() && !stop.stop_requested()) {
        if (!waitingShown) {
            lf_showWaiting();
            waitingShown = true;
        }
        sc::selectTargetSimulator(msfs2020Selected ? sc::TargetSimulator::Msfs2020 : sc::TargetSimulator::Msfs2024);
        sc::Handle handle = nullptr;
        if (sc::SimConnect_Open(&handle, std::string(kProductName).c_str(), nullptr, 0, nullptr, 0) < 0) {
            std::this_thread::sleep_until(std::chrono::steady_clock::now() + kOpenRetryInterval);
            continue;
        }
        {
            const std::lock_guard lock(simQueueMutex);
            hSimConnect = handle;
        }
        registerSimConnect();
        lf_dispatch(handle, stop);
        return;
    }
}

// However the link ends: the worker keeps the user's stand, and the
// connection is closed after the handle and the running state are cleared
// under simQueueMutex, so that no thread calls the closed connection.
void lf_cleanUp() {
    gf_requestUserStandReservation();
    MainWindow::simConnected = false;
    lf_repaintStatus();
    sc::Handle handle = nullptr;
    {
        const std::lock_guard lock(simQueueMutex);
        handle = std::exchange(hSimConnect, nullptr);
        simRunning = false;
    }
    MainWindow::simRunningShown = false;
    lf_repaintStatus();
    if (handle == nullptr) {
        return;
    }
    if (sc::SimConnect_Close(handle) < 0) {
        gf_writeLog("Closing SimConnect failed?!");
    } else {
        gf_writeLogPlain("SimConnect closed ok");
    }
}

void lf_onFailure(std::string_view text) {
    gf_showError(text);
    simRunning = false;
    gf_handleSimDisconnected();
}

}  // namespace

void gf_startSimClient() { simClientThread = std::jthread(SimClient); }

void gf_stopSimClient() { simClientThread.request_stop(); }

void gf_resetSimLink() {
    if (simClientThread.joinable()) {
        simClientThread.request_stop();
        simClientThread.join();
    }
    simRunning = false;
    simRequestError = false;
    {
        const std::lock_guard lock(simQueueMutex);
        hSimConnect = nullptr;
        positionBuffers.clearUnlocked();
        simCreateQueue.clear();
        simRemoveQueue.clear();
        simEventQueue.clear();
    }
    sentCreates.clear();
    addedObjectIds.clear();
    gf_resetUserAircraft();
}

void SimClient(std::stop_token stop) {
    try {
        lf_connectAndDispatch(stop);
    } catch (const qrx::UserErrorException& error) {
        // The user must act (wrong simulator, no aircraft): the error stays
        // shown and the run is not restarted for it.
        gf_showError(error.what());
    } catch (const std::exception& error) {
        lf_onFailure(error.what());
    } catch (...) {
        lf_onFailure(fmtlib::format("Exception in {}", "SimClient"));
    }
    try {
        lf_cleanUp();
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("{} exception: {}", "SimClient", error.what()));
    }
}

void gf_reportSimConnectError() {
    gf_showMessage("SimConnect request error", true);
    simRequestError.exchange(true);
    gf_requestRunStop(ClosingReason::SimConnectError, 9);
}

void gf_handleSimDisconnected() {
    if (runStopRequested) {
        return;
    }
    gf_writeLog(fmtlib::format("{} Flight Simulator no longer connected, {} will stop ...", gf_currentTimeOfDay(),
                               kProductName));
    gf_requestRunStop(ClosingReason::SimWasClosed, 0);
}
