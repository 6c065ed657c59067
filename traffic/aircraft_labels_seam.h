#pragma once
// Seam: the aircraft labels of the traffic manager's log lines that livery
// matching writes, until the traffic manager is built; its own labels
// replace this file whole.

#include <string>
#include <string_view>

#include "traffic/aircraft_records_seam.h"

// "{:3} {:4}": airline and type ("DLH A20N").
std::string gf_describeAcIdentity(std::string_view airline, std::string_view type);
// Identity label, callsign ("{:8}"), registration ("{:8}") and route
// ("{:3}->{:3}", eight blanks without origin and destination).
std::string gf_describeAc(const AcIdentity& identity);
// Identity label, callsign ("{:8}") and registration.
std::string gf_describeAcWithId(const AcIdentity& identity);
