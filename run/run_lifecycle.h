#pragma once
// How a UDP reader that failed ends a run (the simulator link ends it with
// gf_handleSimDisconnected, simlink/sim_client.h). It sets the stop flag
// with its reason only when no reason was set before (the first reason
// wins); the worker then closes the run down (run/closing_down.h). Any
// thread.

#include <string_view>

// A UDP reader's thread ended with an error: shows and logs "The {} has
// stopped with error: {}" and ends the run with READER ERROR, restarting
// after 15 s.
void onReaderStopped(std::string_view readerName, std::string_view errorText);
