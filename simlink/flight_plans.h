#pragma once
// Flight-plan files of live aircraft whose origin and destination are known,
// so that the simulator can show their route: one small AceXML file per
// created aircraft, named by its object id, in one folder below the
// program's application-data folder. Made at the start of the worker,
// removed with its contents when a run closes down. Worker thread.

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "liveries/aircraft_category.h"

// What a flight plan tells of its aircraft: the size category, which gives
// the flight type, and the route.
struct FlightPlanRoute {
    AircraftCategory category = AircraftCategory::Light;
    std::string_view origin;
    std::string_view destination;
};

// Sets flightPlanFolder and creates it (and the application-data folder)
// when missing; true when it exists afterwards. A folder that cannot be
// created is shown and logged, naming it, and false is returned: the run
// goes on without flight plans. A failing query of the folder throws
// std::filesystem::filesystem_error.
bool gf_makeFlightPlanFolder();

// "{object id}.pln", relative to flightPlanFolder.
std::filesystem::path gf_flightPlanFileName(std::uint32_t objectId);

// Writes the flight plan of an aircraft to the path, replacing an old file:
// IFR for business jets, large and heavy aircraft, VFR for the others;
// origin and destination escaped for XML. False, with no file left behind, when the
// file cannot be opened or written whole.
bool gf_writeFlightPlan(const std::filesystem::path& path, const FlightPlanRoute& route);

// Deletes a plan file that is not to stay: a regular file only, never a
// device given as the path. A file that cannot be deleted stays until the
// folder goes at the close of the run.
void gf_discardFlightPlan(const std::filesystem::path& path);

// Removes flightPlanFolder with its contents; an error is logged
// ("gf_removeFlightPlanFolder: {}"). True when it does not exist afterwards.
bool gf_removeFlightPlanFolder();
