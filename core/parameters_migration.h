#pragma once
// Carrying parameters.xml over to a newer program version. The file keeps
// the version that last wrote it (PROGRAM_VERSION). On the first start of a
// newer version, the settings that older versions kept under other keys are
// carried into their successors, the installer left by the update is
// deleted, and both scans are switched on.

#include <cstdint>
#include <set>
#include <string>

#include "core/parameter.h"

// keysInFile: the keys the file held as it was read (loadParameters). A
// legacy setting is carried over only when its entry was really there, so a
// successor never takes the default of a legacy key it never had.
void updateParameters(const std::set<std::string>& keysInFile);

// True for the settings of older versions (MSFS_2020, AI_PACKAGE_ORDER,
// CUSTOM_MAX_PARK, MAX_LIVE, LATERAL_RANGE, AIRPORT_RANGE,
// AUTO_RANGE_ABOVE_HEIGHT, AIRPORT_HEIGHT), read only to be carried over.
bool gf_isLegacyParameter(const Parameter& setting);

// An aircraft count onto the choices of MAX_LIVE_SEL and MAX_PARK_SEL: below
// 0 (no limit) or above 299 gives 500; 88 to 299 gives 100; 63 to 87, 75;
// 38 to 62, 50; 18 to 37, 25; 1 to 17, 10; 0 stays 0.
std::int32_t gf_snapToCountChoice(std::int32_t count);
