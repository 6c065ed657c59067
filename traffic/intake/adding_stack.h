#pragma once
// The hand-over of live-traffic reports from the traffic reader's thread to
// the traffic manager on the worker: reports go in at the back of the
// adding stack and come out at its front.
//
// The traffic manager takes two reports a tick, so a flood of datagrams
// must not pile up in front of it: the stack keeps, of each aircraft, only
// the oldest report still waiting (its playback tick decides when the
// aircraft appears) and its newest (its latest state; a newer report takes
// the place of the one before it), and it never holds more reports than the
// traffic manager takes within two thirds of the playback delay, so that a
// report is always taken before it is due. When that cap is reached the
// oldest report is dropped and counted.

#include "records/live_ac_update.h"
#include "traffic/traffic_state.h"

// Sets acceptingFeed under feedMutex.
void gf_setAcceptingFeed(bool accepting);

// Under feedMutex: while the run takes traffic, stamps the report with its
// playback tick (tickCounter + 3000) and pushes it onto the adding stack;
// otherwise drops it. True when the report was queued.
bool gf_queueReport(LiveAcUpdate&& report);
