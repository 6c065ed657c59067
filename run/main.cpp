// Vantrel: the program's entry hands over to wWinMain, as on Windows. No
// command-line options. Ctrl-C in the terminal and SIGTERM close the
// program as its window's close box does.

#include "core/run_flags.h"
#include "platform/os/termination_signals.h"
#include "run/program_start.h"
#include "ui/window_entry.h"

int main() {
    const platform::TerminationSignals closeRequests(gf_requestUserClose);
    return wWinMain(nullptr, nullptr, nullptr, kShowMainWindow);
}
