#include "run/traffic_reader.h"

#include <array>
#include <cmath>
#include <stdexcept>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "core/calendar.h"
#include "core/core_state.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "records/qnh.h"
#include "run/feed_numbers.h"
#include "run/feed_readers.h"
#include "run/live_target_filter.h"
#include "run/run_state.h"
#include "run/traffic_record.h"
#include "traffic/intake/adding_stack.h"
#include "ui/status/main_window.h"

namespace {

constexpr std::size_t kReservedFields = 64;
// Datagrams of vehicles on the ground carry this mark and are skipped.
constexpr std::string_view kVehicleMark = " VEH";
constexpr std::size_t kMaxRegistrationLength = 12;
// Ids up to this one belong to static parked aircraft.
constexpr std::uint32_t kHighestStaticAircraftId = 10000;
// A position this close to (0, 0) in both latitude and longitude is no
// position at all.
constexpr double kNullIslandDeg = 0.0001;

constexpr double kDegToRad = 0.017453292519943295;  // pi / 180
constexpr double kRadToDeg = 57.29577951308232;     // 180 / pi
constexpr double kFullCircleRad = 6.283185307179586;
constexpr double kFullCircleDeg = 360.0;

// The ground decision. Below kGroundCheckCeilingFt a report close to the
// park airport's elevation (or, without a park airport, to
// kNoElevationFt) at a low ground speed is on the ground: within 45 ft at
// up to 120 kt, within 90 ft at up to 80 kt, within 120 ft at up to 43 kt.
// At kTaxiSpeedKt or less every report is on the ground.
constexpr double kGroundCheckCeilingFt = 14000.0;
constexpr double kNoElevationFt = -1000.0;
struct GroundRule {
    double heightFt;
    double groundSpeedKt;
};
constexpr std::array<GroundRule, 3> kGroundRules{{{45.0, 120.0}, {90.0, 80.0}, {120.0, 43.0}}};
constexpr double kTaxiSpeedKt = 35.0;
// A report on the ground counts only this close to the park airport.
constexpr double kParkAirportRadiusNm = 5.0;

// An unknown true airspeed (-1) is taken from the altitude: up to 2000 ft
// 180 kt, up to 5000 ft 220 kt, and so on; above 20000 ft 430 kt.
struct AirspeedStep {
    double upToAltFt;
    double trueAirspeedKt;
};
constexpr std::array<AirspeedStep, 4> kAirspeedByAltitude{{{2000.0, 180.0}, {5000.0, 220.0}, {10000.0, 250.0},
                                                           {20000.0, 350.0}}};
constexpr double kHighTrueAirspeedKt = 430.0;
constexpr double kUnknownValue = -1.0;

std::string lf_formatLatLon(double latDeg, double lonDeg) { return fmtlib::format("{:.6f},{:.6f}", latDeg, lonDeg); }

// A number of the record; "{name}:{field}" when it cannot be read.
double lf_readNumber(std::string_view field, std::string_view name) {
    const auto value = gf_readDecimal(field);
    if (!value) {
        throw std::runtime_error(fmtlib::format("{}:{}", name, field));
    }
    return *value;
}

// Feed times outside 1970 to the year 9999 (negative, huge) are no times.
double lf_readTimestamp(std::string_view field) {
    const double timestampS = lf_readNumber(field, "timestamp");
    if (timestampS < 0.0 || timestampS >= static_cast<double>(kEndOfYear9999S)) {
        throw std::runtime_error(fmtlib::format("{}:{}", "timestamp", field));
    }
    return timestampS;
}

double lf_groundedAltitudeFt(double altFt, double groundSpeedKt) {
    if (altFt <= 0.0) {
        return 0.0;
    }
    if (altFt < kGroundCheckCeilingFt) {
        const double heightFt = altFt - TrafficReader::parkAirportElevation.load().value_or(kNoElevationFt);
        if (heightFt <= 0.0) {
            return 0.0;
        }
        for (const auto& rule : kGroundRules) {
            if (std::abs(heightFt) <= rule.heightFt && groundSpeedKt <= rule.groundSpeedKt) {
                return 0.0;
            }
        }
    }
    return groundSpeedKt <= kTaxiSpeedKt ? 0.0 : altFt;
}

double lf_assumedTrueAirspeedKt(double altFt) {
    for (const auto& step : kAirspeedByAltitude) {
        if (altFt <= step.upToAltFt) {
            return step.trueAirspeedKt;
        }
    }
    return kHighTrueAirspeedKt;
}

bool lf_nearParkAirport(const ReportBlock& block) {
    const AirportRecord airport = parkAirport;
    return !airport.code.empty() &&
           gf_greatCircleDistanceNm({block.latDeg, block.lonDeg}, {airport.lat, airport.lon}) <= kParkAirportRadiusNm;
}

// A callsign the feed really gave: not "null", and no "@" (a placeholder).
bool lf_isRealCallsign(std::string_view callsign) {
    return !callsign.empty() && callsign != "null" && callsign.find('@') == std::string_view::npos;
}

void lf_showTrafficListening() {
    gf_setReaderLamp(MainWindow::trafficReaderState, MainWindow::readerReceiving);
    gf_setReaderLamp(MainWindow::weatherReaderState, MainWindow::readerReceiving);
}

}  // namespace

CallsignSet TrafficReader::callsignSet;
SharedValue<GeoPosition> TrafficReader::referencePosition;
std::atomic<bool> TrafficReader::collectCallsigns{false};
std::atomic<int> TrafficReader::qnh{kStandardQnhHpa};
std::atomic<double>& TrafficReader::feedTimestamp = lastFeedTimestamp;

TrafficReader::TrafficReader() { fields.reserve(kReservedFields); }

std::string nullToEmpty(std::string_view text) { return text == "null" ? std::string{} : std::string{text}; }

void TrafficReader::processDatagram(std::string_view datagram) {
    // One pass over the datagram both splits it and looks for the vehicle
    // mark, which may stand anywhere in it.
    fields.clear();
    const char* const text = datagram.data();
    const std::size_t size = datagram.size();
    std::size_t start = 0;
    for (std::size_t at = 0; at < size; ++at) {
        if (text[at] == ',') {
            fields.emplace_back(text + start, at - start);
            start = at + 1;
        } else if (text[at] == ' ' && datagram.substr(at, kVehicleMark.size()) == kVehicleMark) {
            return;
        }
    }
    fields.emplace_back(text + start, size - start);
    datagram_ = datagram;
    processLineSub();
}

void TrafficReader::processLineSub() {
    try {
        LiveAcUpdate report;
        if (buildReport(report)) {
            gf_queueReport(std::move(report));
        }
    } catch (const std::exception& error) {
        gf_writeLogPlain(fmtlib::format("exception in processLineSub: {}", error.what()));
    }
}

bool TrafficReader::readRegistration(LiveAcUpdate& report) {
    const std::string_view registration = fields[registrationField];
    if (registration.size() > kMaxRegistrationLength) {
        return false;
    }
    report.strings.registration = nullToEmpty(registration);
    return true;
}

bool TrafficReader::readCallsign(LiveAcUpdate& report) {
    const std::string_view callsign = fields[callsignField];
    if (callsign == "ERARMTR0" || callsign == "AIRPORT1") {
        return false;
    }
    if (lf_isRealCallsign(callsign)) {
        report.strings.callsign = callsign;
    }
    return true;
}

bool TrafficReader::buildReport(LiveAcUpdate& report) {
    // Other records of the feed (and cut-off ones) are not traffic.
    if (fields.size() < kTrafficFieldCount) {
        return false;
    }
    ReportBlock& block = report.block;

    report.feedTimestampS = lf_readTimestamp(fields[timestampField]);
    feedTimestamp = report.feedTimestampS;

    block.latDeg = lf_readNumber(fields[latField], "lat");
    block.lonDeg = lf_readNumber(fields[lonField], "lon");
    if (std::abs(block.latDeg) > 90.0 || std::abs(block.lonDeg) > 180.0 ||
        (std::abs(block.latDeg) <= kNullIslandDeg && std::abs(block.lonDeg) <= kNullIslandDeg)) {
        throw std::runtime_error(fmtlib::format("invalid lalo: {}", lf_formatLatLon(block.latDeg, block.lonDeg)));
    }
    if (gf_greatCircleDistanceNm(referencePosition, {block.latDeg, block.lonDeg}) > trafficRadiusNm) {
        return false;
    }

    if (!readRegistration(report)) {
        return false;
    }
    if (collectCallsigns && lf_isRealCallsign(fields[callsignField])) {
        callsignSet.insert(fields[callsignField]);
    }
    if (const std::string_view type = fields[typeField]; type != "null" && type != "0" && type != "ZZZZ") {
        report.strings.type = type;
    }
    if (!isWantedLiveTarget(report, fields[categoryField])) {
        return false;
    }

    if (fields[sourceField] == "adsb_icao") {
        const double headingDeg = lf_readNumber(fields[trueHeadingField], "trueheading");
        if (headingDeg > kFullCircleDeg) {
            throw std::runtime_error(fmtlib::format("trueheading: {:.2f}", headingDeg));
        }
        if (headingDeg >= 0.0) {
            block.trueHeadingRad = headingDeg == 0.0 ? kFullCircleRad : headingDeg * kDegToRad;
            block.headingKnown = true;
        }
    }

    const auto aircraftId = gf_readUnsigned32(fields[hexidField]);
    if (!aircraftId) {
        throw std::runtime_error(fmtlib::format("hexid incorrect{}", fields[hexidField]));
    }
    if (*aircraftId <= kHighestStaticAircraftId) {
        return false;
    }
    report.aircraftId = *aircraftId;

    block.groundSpeedKt = lf_readNumber(fields[groundSpeedField], "gs");
    const auto altFt = gf_readDecimal(fields[altitudeField]);
    if (!altFt) {
        throw std::runtime_error(fmtlib::format("altitude {} incorrect, from: {}", fields[altitudeField], datagram_));
    }
    block.altFt = lf_groundedAltitudeFt(*altFt, block.groundSpeedKt);
    block.airborne = block.altFt > 0.0;

    if (!readCallsign(report)) {
        return false;
    }
    if (report.strings.callsign.empty() && report.strings.registration.empty()) {
        return false;
    }
    if (!block.airborne && !lf_nearParkAirport(block)) {
        return false;
    }

    if (const std::string_view track = fields[trackField]; !track.empty()) {
        const auto trackDeg = gf_readDecimal(track);
        if (!trackDeg) {
            throw std::runtime_error(fmtlib::format("track incorrect {}", track));
        }
        block.trackDeg = *trackDeg;
    }
    if (block.trackDeg == 0.0 && block.headingKnown) {
        block.trackDeg = *block.trueHeadingRad * kRadToDeg;
    }
    block.verticalSpeedFpm = lf_readNumber(fields[verticalSpeedField], "vs");
    report.strings.origin = nullToEmpty(fields[originField]);
    report.strings.destination = nullToEmpty(fields[destinationField]);

    if (block.airborne) {
        const double rollDeg = lf_readNumber(fields[rollField], "roll");
        if (rollDeg != kUnknownValue && rollDeg != 0.0) {
            block.bankRad = -rollDeg * kDegToRad;
        }
    }
    const auto trueAirspeedKt = gf_readDecimal(fields[trueAirspeedField]);
    if (!trueAirspeedKt) {
        throw std::runtime_error(fmtlib::format("TAS incorrect{}", fields[trueAirspeedField]));
    }
    block.trueAirspeedKt =
        *trueAirspeedKt == kUnknownValue ? lf_assumedTrueAirspeedKt(block.altFt) : *trueAirspeedKt;
    block.unmoved = false;
    return true;
}

void TrafficReader::onStopped() {
    gf_setReaderLamp(MainWindow::trafficReaderState, MainWindow::readerNotStarted);
    gf_writeLogPlain("Traffic Reader has stopped");
}

void runTrafficReader(std::uint16_t port) { gf_runUdpReceiver(trafficReader, "Traffic Reader", port, lf_showTrafficListening); }
