#pragma once
// Every user setting of Vantrel: one global object per parameters.xml key,
// named by its key, with its default, limits or choices and, for a setting
// the main window shows, its control id and row. The classes are in
// core/parameter.h; reading and saving in core/parameters_file.h.
//
// The objects are built before the program's entry and live until it ends.
// Their values are safe to read and write from any thread (atomic numbers and
// switches, guarded texts).
//
// Legacy keys (MSFS_2020, MAX_LIVE, LATERAL_RANGE, AI_PACKAGE_ORDER,
// AUTO_RANGE_ABOVE_HEIGHT, CUSTOM_MAX_PARK, AIRPORT_RANGE, AIRPORT_HEIGHT)
// are read only so that a settings file of an older version can be carried
// into their successors (core/parameters_migration.h).

#include <array>
#include <atomic>
#include <cstdint>

#include "core/parameter.h"

// Data-set versions, kept to decide on downloads.
extern StringParameter DBASE_VERSION;
extern StringParameter AIG_VERSION;
extern StringParameter VAVOVEVIDE24_VERSION;

// The simulator's packages folder: the one shown (of the selected simulator)
// and the one kept per simulator.
extern StringControlParameter ALL_INSTALL_PATH;
extern StringParameter MSFS_2024_INSTALL_PATH;
extern StringParameter MSFS_INSTALL_PATH;
extern StringParameter PROGRAM_INSTALL_PATH;
extern StringParameter PROGRAM_VERSION;  // the version that last wrote parameters.xml

// Which aircraft categories take part.
extern BoolControlParameter HIGH_PERF_AIRCRAFT;
extern BoolControlParameter HELICOPTERS;
extern BoolControlParameter LIGHT_AIRCRAFT;

extern BoolControlParameter LOG;  // routine decisions of the traffic manager go to the log

// The traffic radius, nautical miles, and how it follows the user aircraft.
extern IntChoiceParameter RANGE;
extern BoolControlParameter AUTO_RANGE;
extern IntChoiceParameter AR_ABOVE_HEIGHT;  // feet
extern IntParameter LATERAL_RANGE;          // legacy of RANGE, nautical miles
extern IntParameter AUTO_RANGE_ABOVE_HEIGHT;  // legacy of AR_ABOVE_HEIGHT, feet

// Static parking.
extern ButtonControl flushStaticButton;  // "Flush static"
extern FloatControlParameter MAX_FIT_FL;  // hours, (MAX_FIT + 1) x 0.5
extern IntControlParameter MAX_FIT;       // half hours minus one, 47 meaning 24 hours
extern IntControlParameter parking_percentage;  // percent
extern IntParameter CUSTOM_PARKING_PERCENTAGE;  // percent, -1 for none
// Where the main window was last closed, screen pixels; the window holds
// them as MainWindow::MAIN_WINDOW_X and MAIN_WINDOW_Y.
extern IntParameter MAIN_WINDOW_X;
extern IntParameter MAIN_WINDOW_Y;
extern BoolControlParameter WEEK;
extern BoolControlParameter PARK_FAKE;
extern BoolControlParameter PARK_SOFT;
extern BoolControlParameter LEARN_SOFT;
extern BoolControlParameter INITIAL_LOAD_ONLY;
extern IntChoiceParameter MAX_PARK_SEL;  // aircraft
extern IntParameter CUSTOM_MAX_PARK;     // legacy of MAX_PARK_SEL
extern IntChoiceParameter MAX_LIVE_SEL;  // aircraft
extern IntParameter MAX_LIVE;            // legacy of MAX_LIVE_SEL

// The park airport.
extern StringControlParameter DESTINATION;  // ICAO code
extern IntChoiceParameter AIRP_RANGE;       // nautical miles
extern IntParameter AIRPORT_RANGE;          // legacy of AIRP_RANGE, nautical miles
extern IntChoiceParameter AIRP_HEIGHT;      // feet
extern IntParameter AIRPORT_HEIGHT;         // legacy of AIRP_HEIGHT, feet
extern ButtonControl reReadButton;          // "Re-read"

// Ground movement and holding.
extern IntParameter HOLDING_THRESHOLD_METERS;  // metres
extern IntParameter MAX_HOLDING_MINUTES;       // minutes
extern BoolControlParameter STRAIGHT_PBS_ONLY;
extern BoolControlParameter NAV_LIGHTS_WHILE_PARKED;
extern BoolControlParameter GUID_CHANGES;

// Collision avoidance.
extern BoolControlParameter COLLISION_USER_AIR;
extern BoolControlParameter COLLISION_USER_GND;
extern BoolControlParameter COLLISION_LIVE_PARKED_GND;

// Callsigns.
extern BoolControlParameter CALLSIGN_OBJECTIDS;
extern StringControlParameter BLOCK_CALLSIGN;
extern ButtonControl unblockButton;  // "Unblock"
extern StringControlParameter CALLSIGN_2_OBJECTID;

// Liveries.
extern BoolControlParameter SCAN_LIVERIES;
extern BoolControlParameter LIG_AUTOMATIC;
extern BoolControlParameter LIG_PRIORITIZE;
extern StringChoiceParameter AI_PACKAGE_SELECTOR;
extern IntParameter AI_PACKAGE_ORDER;  // legacy of AI_PACKAGE_SELECTOR, 1 to 6
extern BoolControlParameter SUPPRESS_STUB;
extern IntChoiceParameter MATCHING_DEPTH;
extern std::array<StringParameter, 10> lfolder;  // lfolder0 to lfolder9: extra livery folders

// Simulator, RealTraffic and the program.
extern StringChoiceParameter SIM_CHOICE;
extern BoolParameter MSFS_2020;  // legacy of SIM_CHOICE
extern BoolControlParameter SCAN_AIRPORTS;
extern BoolControlParameter AEROWINX;
extern BoolControlParameter ALWAYS_ON_TOP;
extern StringParameter PORT_NUMBER;  // TCP port of the RealTraffic link, decimal text
extern IntParameter LAST_EPOCH_TIME;  // key "LAST_EPOCH_TIME:", read and never used
extern BoolParameter RANDOM;  // random choices of liveries, stands and models; off makes runs repeatable

// The traffic radius derived from RANGE: 40 nm and 74080 m at start; set
// together with RANGE by the main window's gf_setRadiusNm.
extern std::atomic<double> trafficRadiusNm;
extern std::atomic<std::uint32_t> trafficRadiusMeters;
// The radius kept for the "Auto range" check box, nautical miles: RANGE at
// start-up.
extern std::atomic<std::int32_t> manualRadiusNm;

// The settings that airport stand files keep per airport, in the order the
// files write them: LATERAL_RANGE, AUTO_RANGE, INITIAL_LOAD_ONLY, PARK_SOFT,
// PARK_FAKE, parking_percentage, MAX_FIT, WEEK, LEARN_SOFT, MAX_LIVE. Their
// keys are the settings' names. Addresses only, so the list is complete
// before any initialiser runs, in whatever order the files build their
// globals.
extern const std::array<const Parameter*, 10> perAirportSettings;
