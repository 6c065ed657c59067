#pragma once
// RealTraffic's traffic record: one target per UDP datagram, as text fields
// separated by commas, numbered from 0. The fields the feed reads, with
// their units and an example value; the others (0 record kind, 6, 15, 16,
// 18, 19, 21, 22, 24, 26, 27) are not read. A record with fewer than
// kTrafficFieldCount fields is no traffic record.

#include <cstddef>

enum TrafficField : std::size_t {
    hexidField = 1,          // ICAO address as a decimal number: "7867035"
    latField = 2,            // degrees, north positive: "-33.9425"
    lonField = 3,            // degrees, east positive: "151.1787"
    altitudeField = 4,       // feet: "3025"
    verticalSpeedField = 5,  // feet per minute: "-768"
    trackField = 7,          // degrees; may be empty: "165.2"
    groundSpeedField = 8,    // knots: "142.5"
    callsignField = 9,       // "QFA12", "null"
    typeField = 10,          // ICAO type code: "A388", "null", "0", "ZZZZ"
    registrationField = 11,  // at most 12 characters: "VH-OQA", "null"
    originField = 12,        // "LAX", "null"
    destinationField = 13,   // "SYD", "null"
    timestampField = 14,     // seconds since 1970 (UTC): "1700000000.5"
    sourceField = 17,        // "adsb_icao" vouches for the true heading
    trueAirspeedField = 20,  // knots; -1 unknown: "150"
    rollField = 23,          // degrees, right wing down positive; -1 or 0 unknown: "-1.4"
    trueHeadingField = 25,   // degrees: "163.9"
    categoryField = 28,      // ADS-B emitter category: "A5", "null"
};

inline constexpr std::size_t kTrafficFieldCount = 29;
