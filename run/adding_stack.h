#pragma once
// The hand-over of live-traffic reports from the traffic reader's thread to
// the traffic manager on the worker: reports go in at the back of the
// adding stack and come out at its front.

#include <deque>
#include <mutex>

#include "run/live_ac_update.h"

// Guards addingStack and acceptingFeed. In the lock order it comes before
// the command-queue mutex; the reader holds it only to append one report.
extern std::mutex feedMutex;
// Reports waiting for the traffic manager; no upper bound.
extern std::deque<LiveAcUpdate> addingStack;
// The run takes traffic (set by the main loop; cleared before it, while the
// flight does not run and while closing down); while clear, every report is
// dropped. Only under feedMutex.
extern bool acceptingFeed;

// Sets acceptingFeed under feedMutex.
void gf_setAcceptingFeed(bool accepting);

// Under feedMutex: while the run takes traffic, stamps the report with its
// playback tick (tickCounter + 3000) and moves it to the back of the adding
// stack; otherwise drops it. True when the report was queued.
bool gf_queueReport(LiveAcUpdate&& report);
