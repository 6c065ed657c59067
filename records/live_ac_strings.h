#pragma once
// The identity texts that a traffic report and every aircraft record begin
// with. A plain record: it moves (leaving the source's texts empty) and
// copies field by field.

#include <cstdint>
#include <string>

struct LiveAcStrings {
    std::string airline;      // ICAO airline code of the operator (3 letters when known)
    std::string type;         // ICAO aircraft type code
    std::string origin;       // departure airport code; empty when unknown
    std::string destination;  // arrival airport code; empty when unknown
    // Also the tail number (ATC id) the simulator gets when the aircraft is
    // created, by which the created object is recognised.
    std::string callsign;
    std::string firstCallsign;    // the callsign when the record was made or last renamed
    std::string coupledCallsign;  // a callsign coupled with this one in the schedule data
    std::string registration;     // as reported; empty when unknown
    // 0 until the run's work cycle has first handled the spawned aircraft.
    std::uint64_t firstCycleDone = 0;
};
