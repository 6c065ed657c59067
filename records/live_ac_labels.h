#pragma once
// The labels by which log lines name aircraft, made of a report's texts.
// Texts shorter than a label's width are padded on the right with blanks;
// longer ones are not cut.

#include <string>
#include <string_view>

#include "records/live_ac_strings.h"

// "{:3} {:4}": airline and type ("DLH A20N", "    C172").
std::string gf_describeAcIdentity(std::string_view airline, std::string_view type);
std::string gf_describeAcIdentity(const LiveAcStrings& strings);
// "{:8}": the callsign.
std::string gf_describeCallsign(const LiveAcStrings& strings);
// "{:3}->{:3}": origin and destination; eight blanks when both are empty.
std::string gf_describeRoute(const LiveAcStrings& strings);
// Callsign label, registration ("{:8}") and route label.
std::string gf_describeAcRoute(const LiveAcStrings& strings);
// Identity label and the label of gf_describeAcRoute.
std::string gf_describeAc(const LiveAcStrings& strings);
// Identity label, callsign label and registration.
std::string gf_describeAcWithId(const LiveAcStrings& strings);
// Identity label, a blank and the registration: the key of the aircraft for
// which no livery matched.
std::string gf_describeAcWithRegistration(const LiveAcStrings& strings);
