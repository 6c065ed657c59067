#include "support/reported_flights.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <sstream>

namespace e2e {

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;
constexpr double kMinutesPerDeg = 60.0;

// Local flat geometry around the first point: nautical miles east, north.
struct Offset {
    double eastNm = 0.0;
    double northNm = 0.0;
};

Offset lf_offset(const Position& origin, const Position& point) {
    return {(point.lonDeg - origin.lonDeg) * kMinutesPerDeg * std::cos(origin.latDeg * kRadPerDeg),
            (point.latDeg - origin.latDeg) * kMinutesPerDeg};
}

Position lf_advance(const Position& start, double trackDeg, double distanceNm) {
    const double northNm = distanceNm * std::cos(trackDeg * kRadPerDeg);
    const double eastNm = distanceNm * std::sin(trackDeg * kRadPerDeg);
    return {start.latDeg + northNm / kMinutesPerDeg,
            start.lonDeg + eastNm / (kMinutesPerDeg * std::cos(start.latDeg * kRadPerDeg))};
}

double lf_distanceToLegNm(const Position& point, const Position& from, const Position& to) {
    const Offset p = lf_offset(from, point);
    const Offset leg = lf_offset(from, to);
    const double lengthSquared = leg.eastNm * leg.eastNm + leg.northNm * leg.northNm;
    const double along =
        lengthSquared == 0.0 ? 0.0 : std::clamp((p.eastNm * leg.eastNm + p.northNm * leg.northNm) / lengthSquared, 0.0, 1.0);
    return std::hypot(p.eastNm - along * leg.eastNm, p.northNm - along * leg.northNm);
}

// A record of RealTraffic's 29 fields (see run/traffic_record.h).
std::string lf_record(const Flight& flight, const Position& position, std::int64_t timestampS) {
    std::ostringstream record;
    record.precision(6);
    record << std::fixed << "RTTFC," << flight.hexId << ',' << position.latDeg << ',' << position.lonDeg << ','
           << flight.altFt << ",0,1," << flight.trackDeg << ',' << flight.speedKt << ',' << flight.callsign << ','
           << flight.type << ',' << flight.registration << ',' << flight.origin << ',' << flight.destination << ','
           << timestampS << ",x,x,adsb_icao,,," << flight.speedKt << ",,,0,," << flight.trackDeg << ",,,A3";
    return record.str();
}

}  // namespace

double distanceNm(const Position& from, const Position& to) {
    const double lat1 = from.latDeg * kRadPerDeg;
    const double lat2 = to.latDeg * kRadPerDeg;
    const double halfLat = (lat2 - lat1) / 2.0;
    const double halfLon = (to.lonDeg - from.lonDeg) * kRadPerDeg / 2.0;
    const double a = std::sin(halfLat) * std::sin(halfLat) + std::cos(lat1) * std::cos(lat2) * std::sin(halfLon) * std::sin(halfLon);
    return 2.0 * std::asin(std::min(1.0, std::sqrt(a))) * kMinutesPerDeg / kRadPerDeg;
}

double distanceToLegsNm(const Position& point, const std::vector<Position>& legs) {
    if (legs.size() == 1) {
        return distanceNm(point, legs.front());
    }
    double nearest = std::numeric_limits<double>::infinity();
    for (std::size_t index = 1; index < legs.size(); ++index) {
        nearest = std::min(nearest, lf_distanceToLegNm(point, legs[index - 1], legs[index]));
    }
    return nearest;
}

std::vector<Position> Flight::reportedPositions() const {
    std::vector<Position> positions;
    for (std::int64_t ms = firstReportMs; ms <= lastReportMs; ms += kReportIntervalMs) {
        positions.push_back(reportedPositionAt(ms));
    }
    return positions;
}

Position Flight::reportedPositionAt(std::int64_t ms) const {
    const double flownS = static_cast<double>(std::clamp(ms, firstReportMs, lastReportMs) - firstReportMs) / 1000.0;
    return lf_advance(start, trackDeg, speedKt * flownS / 3600.0);
}

Position Flight::flownPositionAt(std::int64_t ms) const {
    if (ms <= lastReportMs) {
        return reportedPositionAt(ms);
    }
    Position position = reportedPositionAt(lastReportMs);
    double pointSpeedKt = speedKt;
    std::int64_t leftMs = ms - lastReportMs;
    for (int point = 0; point < kExtensionPoints && leftMs > 0; ++point) {
        pointSpeedKt *= kExtensionSlowdown;
        const std::int64_t flownMs = std::min(leftMs, kExtensionIntervalMs);
        position = lf_advance(position, trackDeg, pointSpeedKt * static_cast<double>(flownMs) / 3600000.0);
        leftMs -= flownMs;
    }
    return position;
}

std::vector<Position> Flight::flownPositions() const {
    std::vector<Position> positions = reportedPositions();
    for (int point = 1; point <= kExtensionPoints; ++point) {
        positions.push_back(flownPositionAt(lastReportMs + point * kExtensionIntervalMs));
    }
    return positions;
}

std::string peerScenario(const std::vector<Flight>& flights, std::int64_t feedStartS) {
    std::multimap<std::int64_t, std::string> steps;
    steps.emplace(0, "qnh {\"QNH\":1013}");
    for (const Flight& flight : flights) {
        for (std::int64_t ms = flight.firstReportMs; ms <= flight.lastReportMs; ms += kReportIntervalMs) {
            steps.emplace(ms, "traffic " + lf_record(flight, flight.reportedPositionAt(ms), feedStartS + ms / 1000));
        }
    }
    std::string scenario;
    for (const auto& [ms, step] : steps) {
        scenario += std::to_string(ms) + " " + step + "\n";
    }
    return scenario;
}

}  // namespace e2e
