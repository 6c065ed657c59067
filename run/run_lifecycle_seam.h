#pragma once
// Seam: the parts of the run lifecycle that the simulator link and the UDP
// readers call, until the run lifecycle is built; it replaces this file whole.

#include <string_view>

// The simulator is gone (it quit, the connection was lost, or the link's
// thread failed): unless the run is stopping already, logs it and ends the
// run with SIM WAS CLOSED, which ends the program.
void gf_handleSimDisconnected();

// A UDP reader's thread ended with an error: shows and logs "The {} has
// stopped with error: {}" and, unless the run is stopping already, ends the
// run with READER ERROR and a restart after 15 s. Any thread.
void onReaderStopped(std::string_view readerName, std::string_view errorText);
