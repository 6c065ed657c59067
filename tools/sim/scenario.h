#pragma once
// Scenario files of the stand-in simulator (JSON). Every key is optional:
//
// {
//   "simulator": "KittyHawk",          // OPEN name: "KittyHawk" (MSFS 2020), "SunRise" (MSFS 2024), any text
//   "applicationVersion": [11, 0, 282174, 999],
//   "protocols": [5, 4],               // Open versions accepted (KittyHawk: 5, 4; others: 6, 5, 4)
//   "running": true,                   // false: at the menu
//   "frameRate": 30,
//   "groundElevationFt": 0,
//   "userObjectId": 1,
//   "zulu": {"timeOfDayS": 43200, "dayOfYear": 1, "year": 2024},
//   "titles": ["Airbus A320 Neo Asobo"],   // what AICreateNonATCAircraft can create
//   "maxAiObjects": 1000,
//   "createDelayFrames": 3,
//   "user": { aircraft },
//   "aircraft": [ { aircraft }, ... ]      // aircraft of other programs
// }
//
// An aircraft: "title", "atcId", "atcModel", "latitudeDeg", "longitudeDeg",
// "altitudeFt", "pitchRad", "bankRad", "headingRad", "verticalSpeedFps",
// "airspeedKt", "groundSpeedKt", "altAboveGroundFt", "onGround",
// "lightStates", "staticCgToGroundFt", "staticPitchRad". The user aircraft's
// "altAboveGroundFt" and "onGround" are taken as given; other aircraft
// derive them from the ground elevation.
// An unknown key or a value of the wrong kind is an error.

#include "simulator.h"

#include <filesystem>
#include <nlohmann/json.hpp>

namespace sim {

struct Scenario {
    World world;
    Identity identity;
};

// Throws std::runtime_error naming what is wrong.
Scenario parseScenario(const nlohmann::json& document);
Scenario loadScenario(const std::filesystem::path& path);

// Sets the aircraft fields the object names; throws std::runtime_error.
void applyAircraftJson(SimObject& aircraft, const nlohmann::json& fields);

}  // namespace sim
