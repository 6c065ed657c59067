#pragma once
// The labels by which the traffic manager's log lines name aircraft: those
// of the report's texts (records/live_ac_labels.h), also for the identity
// of an aircraft record.

#include <string>

#include "records/live_ac_labels.h"
#include "traffic/aircraft_records.h"

inline std::string gf_describeAc(const AcIdentity& identity) { return gf_describeAc(identity.strings); }
inline std::string gf_describeAcWithId(const AcIdentity& identity) { return gf_describeAcWithId(identity.strings); }
