#include "run/run_state.h"

#include "run/feed_readers.h"
#include "run/main_loop.h"
#include "run/run_traffic.h"

std::jthread workerThread;
QnhReader qnhReader;
TrafficReader trafficReader;
std::atomic<bool> realTrafficOnThisPc{false};
std::atomic<bool> realTrafficConnected{false};
bool flightPaused = false;
std::atomic<bool> restartRequested{false};

void gf_resetRunState() {
    gf_waitForReadersToEnd();
    gf_resetFeedState();
    gf_resetMainLoop();
}
