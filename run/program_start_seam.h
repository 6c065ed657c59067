#pragma once
// Seam: what the feed needs of program start, until program start is built.
// Program start owns realTrafficOnThisPc, sets it at every start of the
// worker and replaces this file whole; until then it keeps its start value.

#include <atomic>

// RealTraffic is installed on this PC: the feed's readers then listen on
// 127.0.0.1 only and RealTraffic connects to the program's TCP server.
extern std::atomic<bool> realTrafficOnThisPc;
