#pragma once
// How the other threads end a run: a UDP reader that failed, and the
// simulator link when the simulator is gone. Each sets the stop flag with
// its reason only when no reason was set before (the first reason wins);
// the worker then closes the run down (run/closing_down.h). Any thread.

#include <string_view>

// A UDP reader's thread ended with an error: shows and logs "The {} has
// stopped with error: {}" and ends the run with READER ERROR, restarting
// after 15 s.
void onReaderStopped(std::string_view readerName, std::string_view errorText);

// The simulator quit or the connection was lost: logs "{} Flight Simulator
// no longer connected, {} will stop ..." and ends the run with SIM WAS
// CLOSED, which ends the program. Nothing while the run is stopping already.
void gf_handleSimDisconnected();
