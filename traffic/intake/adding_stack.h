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

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "records/live_ac_update.h"

// Every report plays this long after it arrived: 30 s of 10-ms ticks.
inline constexpr std::int32_t kPlaybackDelayTicks = 3000;
// Reports the traffic manager takes from the stack per tick.
inline constexpr std::size_t kReportsTakenPerTick = 2;
// The most reports the stack holds: those taken within 20 s.
inline constexpr std::size_t kAddingStackCap = kReportsTakenPerTick * (kPlaybackDelayTicks * 2 / 3);

class AddingStack {
public:
    // Adds the report at the back, or, when the aircraft has two reports
    // waiting already, puts it in the place of the newer of them. At the
    // cap, the front report is dropped first.
    void push(LiveAcUpdate&& report);
    // The front report, taken off the stack; empty when there is none.
    std::optional<LiveAcUpdate> takeFront();
    std::size_t size() const { return reports_.size(); }
    bool empty() const { return reports_.empty(); }
    void clear();
    // Reports dropped at the cap since the last call.
    std::uint64_t takeDroppedCount();

private:
    // The sequence numbers of an aircraft's waiting reports.
    struct Waiting {
        std::uint64_t oldest = 0;
        std::optional<std::uint64_t> newest;
    };

    // Removes the front report and forgets it as its aircraft's oldest.
    LiveAcUpdate popFront();

    std::deque<LiveAcUpdate> reports_;
    std::uint64_t frontSequence_ = 0;  // sequence number of reports_.front()
    std::unordered_map<std::uint32_t, Waiting> waiting_;
    std::uint64_t dropped_ = 0;
};

// Guards addingStack and acceptingFeed. In the lock order it comes before
// the command-queue mutex; the reader holds it only to append one report.
extern std::mutex feedMutex;
// Reports waiting for the traffic manager.
extern AddingStack addingStack;
// The run takes traffic (set by the main loop; cleared before it, while the
// flight does not run and while closing down); while clear, every report is
// dropped. Only under feedMutex.
extern bool acceptingFeed;

// Sets acceptingFeed under feedMutex.
void gf_setAcceptingFeed(bool accepting);

// Under feedMutex: while the run takes traffic, stamps the report with its
// playback tick (tickCounter + 3000) and pushes it onto the adding stack;
// otherwise drops it. True when the report was queued.
bool gf_queueReport(LiveAcUpdate&& report);
