#pragma once
// The small records that the traffic manager's state holds in its lists
// (traffic/traffic_state.h): parked live aircraft, option slots, static
// parking's candidates, keeps and removals, created objects, the aircraft
// without a matching livery, and the adding stack of the reports handed
// over (traffic/intake/adding_stack.h tells how it keeps them). The
// aircraft records themselves are in traffic/aircraft_records.h.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "records/live_ac_update.h"
#include "records/sim_records.h"

// One live aircraft parked on a stand, for static parking.
struct LiveParkedEntry {
    std::string callsign;
    std::uint32_t standId = 0;
    std::int32_t minutesParked = 0;  // 0 while its reports confirm it on the stand
};

// The half hour of the day (0 to 47) at which a live aircraft last recorded
// a stand option.
struct OptionSlot {
    std::uint32_t aircraftId = 0;
    std::uint32_t halfHour = 0;
};

// One static aircraft to create: the stand, the half hours back from now at
// which its option was found, and the option's aircraft.
struct ParkCandidate {
    std::uint32_t standId = 0;
    std::int32_t fit = 0;
    std::string airline;
    std::string type;
    std::string callsign;
    std::string callsignSuffix;
    std::string registration;
    // The aircraft of the option still stands there in the next half hour:
    // it is named by its first callsign, else by its second. Set by the
    // stand search, carried for the traffic manager.
    bool continues = false;
};

// A static aircraft that the renewal keeps.
struct KeptParkedAc {
    std::string liveryTitle;
    std::string airline;
    std::string type;
    std::string callsign;
    std::string registration;
    std::uint64_t arrivalSlot = 0;  // time of week of its arrival
    std::uint32_t standId = 0;
};

// A static aircraft that the renewal removes.
struct StaticRemoval {
    std::string liveryTitle;
    std::uint32_t standId = 0;
};

// One created object waiting for its activation.
struct CreatedEntry {
    std::uint32_t objectId = 0;
    std::uint32_t aircraftId = 0;  // live above 10000, static 10000 or less
    std::int32_t counter = 0;      // ticks waited; -1 = done, to leave the list
    SimResultKind kind = SimResultKind::LiveCreated;
};

// Labels (gf_describeAcWithRegistration) of aircraft for which no livery
// matched, in the order they were found, so that later reports of the same
// aircraft do not try again in this run.
class UnmatchedAircraft {
public:
    void insert(const std::string& label);
    bool contains(const std::string& label) const { return members_.contains(label); }
    const std::vector<std::string>& inOrder() const { return order_; }
    void clear();

private:
    std::vector<std::string> order_;
    std::unordered_set<std::string> members_;
};

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
