#pragma once
// The traffic manager in a fresh working folder: Log.txt open, every setting
// at its default but RANDOM off, a small aircraft database loaded, no
// aircraft, queues or park airport, the tick counter at 0 and the user
// aircraft nowhere. Everything is back at its start values after the test.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "liveries/livery_data.h"
#include "records/live_ac_update.h"
#include "records/sim_records.h"
#include "support/settings_file_fixture.h"
#include "traffic/aircraft_records.h"

namespace test {

// Types of every category with spans, the airlines, and registrations: one
// operated by another airline, a freighter, a heavy, a helicopter.
extern const std::string_view kTrafficDbase;

// One report as the traffic reader makes it; an airborne one above 0 ft.
struct ReportSpec {
    std::uint32_t id = 0x4B1801;
    std::string callsign = "KLM1234";
    std::string type = "B738";
    std::string airline = "KLM";
    std::string registration = "";
    double latDeg = 47.0;
    double lonDeg = 8.0;
    double altFt = 20000.0;
    double groundSpeedKt = 300.0;
    double trackDeg = 90.0;
    double verticalSpeedFpm = 0.0;
    double feedTimeS = 1000.0;
    std::int32_t playbackTick = 3000;
    std::string origin = "";
    std::string destination = "";
};
LiveAcUpdate makeReport(const ReportSpec& spec);

// One block of a report stream; airborne above 0 ft, its true airspeed its
// ground speed.
struct BlockSpec {
    double latDeg = 47.0;
    double lonDeg = 8.0;
    std::int32_t tick = 3000;
    double altFt = 20000.0;
    double groundSpeedKt = 240.0;
    bool unmoved = false;
    double trackDeg = 0.0;
    double verticalSpeedFpm = 0.0;
};
ReportBlock makeBlock(const BlockSpec& spec);

// An identity's texts: airline, type, callsign, registration; the first
// callsign is the callsign without a trailing "*".
LiveAcStrings makeStrings(std::string airline, std::string type, std::string callsign, std::string registration = "");

class TrafficTest : public SettingsFileTest {
public:

    // Runs lf_handleAddingStack that many times.
    static void tick(int count = 1);
    // Puts the report on the adding stack as the reader does, with its own
    // playback tick.
    static void queueReport(const ReportSpec& spec);
    // Takes the report in (the intake alone, no tick).
    static void accept(const ReportSpec& spec);
    // A live aircraft made from the report, with the reports that follow it
    // every 10 s and 100 ticks (the same position when unmoved, else 0.01
    // degree further east each).
    static LiveAc& makeAircraft(const ReportSpec& spec, int reportCount = 1, bool unmoved = false);
    // An active aircraft made from the report, with object id 100 and these
    // blocks as its stream, standing at the front block with its heading
    // toward the second, on the ground when the front block is.
    static LiveAc& makeActiveAircraft(const ReportSpec& spec, const std::vector<BlockSpec>& blocks);
    // The user aircraft at the position, in the run's copy and in the
    // simulator link's data, on the ground or in the air.
    static void placeUser(const UserAcData& data, bool onGround);
    // The livery catalogue of these liveries, as a start-up builds it.
    static void buildCatalog(std::vector<LiveryData> liveries);
    // The events queued for the simulator since the last call (event and
    // data), in their order.
    static std::vector<std::pair<SimEventId, std::uint32_t>> takeEvents();

protected:
    TrafficTest();
    ~TrafficTest() override;

    std::vector<std::string> logLines() const { return log.lines(); }
    bool logged(std::string_view line) const;
};

// Every piece of traffic state at its start value.
void resetTrafficState();

}  // namespace test
