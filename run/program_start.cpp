#include "run/program_start.h"

#include <exception>
#include <filesystem>
#include <iostream>

#include "core/format.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "platform/os/single_instance.h"
#include "run/run_state.h"
#include "run/run_traffic.h"
#include "run/worker.h"
#include "simlink/sim_client.h"
#include "simlink/simlink_state.h"
#include "ui/display_hooks.h"
#include "ui/gui.h"
#include "ui/status/program_resources.h"
#include "ui/window_procedure.h"

namespace {

// The worker has posted its last message before the loop ended; the
// simulator link and the readers end on their stop flags. None of them may
// outlive the program's globals, which they use. Should the loop have ended
// otherwise, the stop flags end the worker's run first.
void lf_endThreads() {
    gf_requestUserClose();
    if (workerThread.joinable()) {
        workerThread.request_stop();
        workerThread.join();
    }
    if (simClientThread.joinable()) {
        simClientThread.request_stop();
        simClientThread.join();
    }
    gf_waitForReadersToEnd();
}

}  // namespace

int wWinMain(HINSTANCE instance, HINSTANCE /*previousInstance*/, LPWSTR /*commandLine*/, int /*showCommand*/) {
    if (platform::acquireInstanceLock(kSingleInstanceName) == platform::InstanceLock::alreadyHeld) {
        // Nothing else is shown: a user who started it from a terminal
        // learns why it ended.
        std::cerr << kProductName << " is already running" << std::endl;
        return -1;
    }
    try {
        gf_openLogFile();
        std::error_code error;
        std::cout << kProductName << " writes its log to " << std::filesystem::absolute("Log.txt", error).string()
                  << std::endl;
    } catch (const std::exception&) {
        // Without Log.txt the program runs all the same; its lines are
        // dropped.
    }
    gf_connectDisplayHooks();
    workerStarter = gf_startWorker;
    const int exitCode = gf_runGui(instance);
    lf_endThreads();
    return exitCode;
}

std::string formatWithProductName(std::string_view text) {
    return fmtlib::format(fmtlib::runtime(text), kProductName, kProductName);
}
