#pragma once
// Which simulator answered the open: MSFS 2020 calls itself "KittyHawk",
// MSFS 2024 "SunRise". A simulator other than the selected one ends the
// connection with an error for the user.

#include <string>

#include "platform/simconnect/simconnect.h"

// The OPEN record: shows the simulator and its version, or throws
// qrx::UserErrorException, code 71 for the wrong one of the two simulators
// and 77 for any other.
void onSimConnectOpen(const platform::simconnect::RecvOpen& message);

// The text of the wrong-simulator error; it names the simulator that runs.
std::string wrongSimMessage();
