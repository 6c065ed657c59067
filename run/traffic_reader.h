#pragma once
// The traffic reader: receives RealTraffic's traffic records on UDP port
// 49005 and turns each into a live-traffic report on the adding stack,
// filtering on the way (outside the traffic radius, no aircraft, no
// callsign nor registration, on the ground away from the park airport,
// unreadable). Its thread ("Traffic Reader") owns the receive buffer and the
// fields; the static members (and the park airport's elevation of
// TrafficReaderState) are the feed state that other threads read or set,
// each atomic or guarded.

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "core/great_circle.h"
#include "core/shared_value.h"
#include "records/live_ac_update.h"
#include "records/traffic_reader_state.h"
#include "run/callsign_set.h"
#include "run/udp_receiver.h"

class TrafficReader final : public UdpReceiver, public TrafficReaderState {
public:
    TrafficReader();

    // Callsigns heard while collectCallsigns is set, for static parking,
    // which empties the set and sets the flag before a calculation, then
    // clears the flag and takes the set over.
    static CallsignSet callsignSet;
    // The fields of the current datagram, views into the receive buffer.
    std::vector<std::string_view> fields;
    // Centre of the traffic radius: the user aircraft's position, degrees;
    // set by the run.
    static SharedValue<GeoPosition> referencePosition;
    static std::atomic<bool> collectCallsigns;
    // The last QNH accepted by the QNH reader, hPa; 1013 at the start of a
    // run. Sent to RealTraffic with the user aircraft's state.
    static std::atomic<int> qnh;
    // Time of the last readable traffic record, seconds since 1970 (UTC);
    // 0 until one arrives. Always a time from 1970 to the year 9999.
    static std::atomic<double>& feedTimestamp;  // the calendar's lastFeedTimestamp

    // Skips datagrams holding " VEH" (vehicles), splits the others at every
    // comma into fields and reads them (processLineSub).
    void processDatagram(std::string_view datagram) override;
    // Builds the report from fields and queues it; a field that cannot be
    // read is logged "exception in processLineSub: {}" and the report
    // dropped, other drops are silent. Never throws.
    void processLineSub();
    // Field 11: "null" is no registration; more than 12 characters drop the
    // report (false).
    bool readRegistration(LiveAcUpdate& report);
    // Field 9: "null" or a text with an at sign is no callsign; the test
    // callsigns "ERARMTR0" and "AIRPORT1" drop the report (false).
    bool readCallsign(LiveAcUpdate& report);

protected:
    void onStopped() override;

private:
    // False when the report is dropped; throws std::runtime_error with the
    // log text when a field cannot be read.
    bool buildReport(LiveAcUpdate& report);

    std::string_view datagram_;  // the datagram being read, for error texts
};

// The traffic reader's thread body ("Traffic Reader"): binds the port, lights
// the traffic and weather lamps, receives until stopped.
void runTrafficReader(std::uint16_t port);

// The text, or an empty one for "null".
std::string nullToEmpty(std::string_view text);
