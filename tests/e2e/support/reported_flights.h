#pragma once
// The traffic the end-to-end test plays: aircraft that fly straight and
// level, each reporting its position every 5 s for a while, written as
// RealTraffic's traffic records into an rt-peer scenario; and what the test
// checks against: where each aircraft was reported, and when, and where
// Vantrel flies it on after its reports end.

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

struct Position {
    double latDeg = 0.0;
    double lonDeg = 0.0;
};

// Nautical miles on a sphere of one nautical mile per minute of arc.
double distanceNm(const Position& from, const Position& to);
// The shortest distance from the point to the line of straight legs.
double distanceToLegsNm(const Position& point, const std::vector<Position>& legs);

struct Flight {
    std::uint32_t hexId = 0;
    std::string callsign;
    std::string type;
    std::string registration;
    std::string origin;
    std::string destination;
    Position start;
    double trackDeg = 0.0;
    double speedKt = 0.0;
    double altFt = 0.0;
    std::int64_t firstReportMs = 0;  // after the peer's start
    std::int64_t lastReportMs = 0;

    // The reported positions, one per report.
    std::vector<Position> reportedPositions() const;
    // Where the reports put the aircraft at that time after the peer's
    // start (the first or last report outside their span).
    Position reportedPositionAt(std::int64_t ms) const;

    // The reported positions and, after them, the points Vantrel makes
    // when the reports end.
    std::vector<Position> flownPositions() const;
    // Where the aircraft flies at that time after the peer's start: as
    // reported, then on along its track through the made points, and at
    // the last of them after it.
    Position flownPositionAt(std::int64_t ms) const;
};

// When its reports end, Vantrel flies an aircraft in the air on along its
// track for 8 points 8 s apart, each 5 % slower than the one before, and
// then removes it.
inline constexpr int kExtensionPoints = 8;
inline constexpr std::int64_t kExtensionIntervalMs = 8000;
inline constexpr double kExtensionSlowdown = 0.95;

// Reports are 5 s apart.
inline constexpr std::int64_t kReportIntervalMs = 5000;

// The rt-peer scenario: the QNH at the start, then every flight's reports
// in the order of their times; the records carry timestamps from
// feedStartS on.
std::string peerScenario(const std::vector<Flight>& flights, std::int64_t feedStartS);

}  // namespace e2e
