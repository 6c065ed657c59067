#pragma once
// Spherical geometry for every distance, bearing and position of the
// program. The earth is a sphere on which one minute of arc is one nautical
// mile. Positions are in degrees (north and east positive), bearings in
// radians clockwise from north. All functions are pure and thread-safe.

struct GeoPosition {
    double latDeg = 0.0;
    double lonDeg = 0.0;

    friend bool operator==(const GeoPosition&, const GeoPosition&) = default;
};

// Haversine distance in nautical miles, >= 0.
double gf_greatCircleDistanceNm(const GeoPosition& from, const GeoPosition& to);

// Bearing at the start of the great circle from one position to the other,
// from 0 to 2 pi, never negative (due west is 3 pi / 2).
double gf_initialBearingRad(const GeoPosition& from, const GeoPosition& to);

// The position reached from start along the bearing after distanceFt feet;
// its longitude lies in [-180, 180].
GeoPosition gf_destinationPoint(const GeoPosition& start, double bearingRad, double distanceFt);
