#include "core/settings.h"

namespace {

// Choice lists, each built before the settings that copy it.
constexpr std::int32_t kDefaultRangeNm = 40;
constexpr std::array<std::int32_t, 20> kRangeChoicesNm = {2,  3,  4,  5,  6,  8,  10, 12, 14, 16,
                                                          18, 20, 25, 30, 35, 40, 50, 65, 80, 100};
constexpr std::array<std::int32_t, 7> kAircraftCountChoices = {0, 10, 25, 50, 75, 100, 500};
constexpr std::array<std::int32_t, 4> kMatchingDepthChoices = {1, 2, 3, 4};
constexpr std::array<std::int32_t, 11> kAutoRangeHeightChoicesFt = {18000, 21000, 24000, 27000, 30000, 33000,
                                                                    36000, 39000, 42000, 45000, 48000};
constexpr std::array<std::int32_t, 6> kAirportRangeChoicesNm = {5, 10, 15, 20, 25, 30};
constexpr std::array<std::int32_t, 11> kAirportHeightChoicesFt = {2000,  4000,  6000,  8000,  10000, 12000,
                                                                  14000, 16000, 18000, 36000, 48000};

constexpr std::uint32_t kMetresPerNm = 1852;

}  // namespace

StringParameter DBASE_VERSION{"DBASE_VERSION", ""};
StringParameter AIG_VERSION{"AIG_VERSION", ""};
StringParameter VAVOVEVIDE24_VERSION{"VAVOVEVIDE24_VERSION", ""};

StringControlParameter ALL_INSTALL_PATH{"ALL_INSTALL_PATH", "", 0x8014, 119};
StringParameter MSFS_2024_INSTALL_PATH{"MSFS_2024_INSTALL_PATH", ""};
StringParameter MSFS_INSTALL_PATH{"MSFS_INSTALL_PATH", ""};
StringParameter PROGRAM_INSTALL_PATH{"PROGRAM_INSTALL_PATH", ""};
StringParameter PROGRAM_VERSION{"PROGRAM_VERSION", ""};

BoolControlParameter HIGH_PERF_AIRCRAFT{"HIGH_PERF_AIRCRAFT", true, 0x802b, 203};
BoolControlParameter HELICOPTERS{"HELICOPTERS", true, 0x802a, 203};
BoolControlParameter LIGHT_AIRCRAFT{"LIGHT_AIRCRAFT", true, 0x8029, 203};

BoolControlParameter LOG{"LOG", true, 0x800b, 147};

IntChoiceParameter RANGE{"RANGE", kDefaultRangeNm, kRangeChoicesNm, 0x8032, 231};
BoolControlParameter AUTO_RANGE{"AUTO_RANGE", true, 0x8033, 231};
IntChoiceParameter AR_ABOVE_HEIGHT{"AR_ABOVE_HEIGHT", 48000, kAutoRangeHeightChoicesFt, 0x8034, 231};
IntParameter LATERAL_RANGE{"LATERAL_RANGE", 40, 2, 100};
IntParameter AUTO_RANGE_ABOVE_HEIGHT{"AUTO_RANGE_ABOVE_HEIGHT", 49000, 18000, 49000};

ButtonControl flushStaticButton{"Flush static", 0x805a, 369};
FloatControlParameter MAX_FIT_FL{"MAX_FIT_FL", 24.0F, 0.5F, 24.0F, 0x8057, 371};
IntControlParameter MAX_FIT{"MAX_FIT", 47, 0, 47, 0x8055, 371};
IntControlParameter parking_percentage{"parking_percentage", 30, 0, 100, 0x8050, 371};
IntParameter CUSTOM_PARKING_PERCENTAGE{"CUSTOM_PARKING_PERCENTAGE", -1, -1, 100};
IntParameter MAIN_WINDOW_X{"MAIN_WINDOW_X", 400, -30000, 30000};
IntParameter MAIN_WINDOW_Y{"MAIN_WINDOW_Y", 20, -30000, 30000};
BoolControlParameter WEEK{"WEEK", false, 0x8056, 371};
BoolControlParameter PARK_FAKE{"PARK_FAKE", false, 0x8054, 371};
BoolControlParameter PARK_SOFT{"PARK_SOFT", true, 0x8053, 371};
BoolControlParameter LEARN_SOFT{"LEARN_SOFT", true, 0x8009, 175};
BoolControlParameter INITIAL_LOAD_ONLY{"INITIAL_LOAD_ONLY", false, 0x8052, 371};
IntChoiceParameter MAX_PARK_SEL{"MAX_PARK_SEL", 500, kAircraftCountChoices, 0x804e, 315};
IntParameter CUSTOM_MAX_PARK{"CUSTOM_MAX_PARK", -1, -1, 500};
IntChoiceParameter MAX_LIVE_SEL{"MAX_LIVE_SEL", 500, kAircraftCountChoices, 0x804f, 315};
IntParameter MAX_LIVE{"MAX_LIVE", -1, -1, 300};

StringControlParameter DESTINATION{"DESTINATION", "", 0x8047, 343};
IntChoiceParameter AIRP_RANGE{"AIRP_RANGE", 20, kAirportRangeChoicesNm, 0x8048, 343};
IntParameter AIRPORT_RANGE{"AIRPORT_RANGE", 20, 8, 30};
IntChoiceParameter AIRP_HEIGHT{"AIRP_HEIGHT", 18000, kAirportHeightChoicesFt, 0x8049, 343};
IntParameter AIRPORT_HEIGHT{"AIRPORT_HEIGHT", 18000, 2000, 45000};
ButtonControl reReadButton{"Re-read", 0x8046, 341};

IntParameter HOLDING_THRESHOLD_METERS{"HOLDING_THRESHOLD_METERS", 250, 10, 4000};
IntParameter MAX_HOLDING_MINUTES{"MAX_HOLDING_MINUTES", 20, 1, 60};
BoolControlParameter STRAIGHT_PBS_ONLY{"STRAIGHT_PBS_ONLY", false, 0x8058, 315};
BoolControlParameter NAV_LIGHTS_WHILE_PARKED{"NAV_LIGHTS_WHILE_PARKED", true, 0x800a, 175};
BoolControlParameter GUID_CHANGES{"GUID_CHANGES", true, 0x8005, 203};

BoolControlParameter COLLISION_USER_AIR{"COLLISION_USER_AIR", true, 0x8041, 287};
BoolControlParameter COLLISION_USER_GND{"COLLISION_USER_GND", true, 0x8042, 287};
BoolControlParameter COLLISION_LIVE_PARKED_GND{"COLLISION_LIVE_PARKED_GND", false, 0x8043, 287};

BoolControlParameter CALLSIGN_OBJECTIDS{"CALLSIGN_OBJECTIDS", false, 0x8036, 231};
StringControlParameter BLOCK_CALLSIGN{"BLOCK_CALLSIGN", "", 0x803c, 259};
ButtonControl unblockButton{"Unblock", 0x803d, 257};
StringControlParameter CALLSIGN_2_OBJECTID{"CALLSIGN_2_OBJECTID", "", 0x8006, 259};

BoolControlParameter SCAN_LIVERIES{"SCAN_LIVERIES", true, 0x801d, 147};
BoolControlParameter LIG_AUTOMATIC{"LIG_AUTOMATIC", true, 0x801e, 147};
BoolControlParameter LIG_PRIORITIZE{"LIG_PRIORITIZE", false, 0x801f, 147};
StringChoiceParameter AI_PACKAGE_SELECTOR{"AI_PACKAGE_SELECTOR",
                                          "AIG, FSLTL, JF",
                                          {"AIG, FSLTL, JF", "AIG, JF, FSLTL", "FSLTL, AIG, JF", "FSLTL, JF, AIG",
                                           "JF, AIG, FSLTL", "JF, FSLTL, AIG"},
                                          0x8017,
                                          147};
IntParameter AI_PACKAGE_ORDER{"AI_PACKAGE_ORDER", 1, 1, 6};
BoolControlParameter SUPPRESS_STUB{"SUPPRESS_STUB", true, 0x8020, 147};
IntChoiceParameter MATCHING_DEPTH{"MATCHING_DEPTH", 4, kMatchingDepthChoices, 0x8028, 203};
std::array<StringParameter, 10> lfolder{
    StringParameter{"lfolder0", ""}, StringParameter{"lfolder1", ""}, StringParameter{"lfolder2", ""},
    StringParameter{"lfolder3", ""}, StringParameter{"lfolder4", ""}, StringParameter{"lfolder5", ""},
    StringParameter{"lfolder6", ""}, StringParameter{"lfolder7", ""}, StringParameter{"lfolder8", ""},
    StringParameter{"lfolder9", ""}};

StringChoiceParameter SIM_CHOICE{"SIM_CHOICE", "MSFS 2020", {"MSFS 2020", "MSFS 2024"}, 0x8016, 119};
BoolParameter MSFS_2020{"MSFS_2020", false};
BoolControlParameter SCAN_AIRPORTS{"SCAN_AIRPORTS", true, 0x8021, 175};
BoolControlParameter AEROWINX{"AEROWINX", false, 0x8007, 203};
BoolControlParameter ALWAYS_ON_TOP{"ALWAYS_ON_TOP", false, 0x8003, 147};
StringParameter PORT_NUMBER{"PORT_NUMBER", "10747"};
IntParameter LAST_EPOCH_TIME{"LAST_EPOCH_TIME:", 0, 0, 2147483647};
BoolParameter RANDOM{"RANDOM", true};

// Constant, so that the radius is right before any initialiser runs.
constinit std::atomic<double> trafficRadiusNm{static_cast<double>(kDefaultRangeNm)};
constinit std::atomic<std::uint32_t> trafficRadiusMeters{kDefaultRangeNm * kMetresPerNm};
constinit std::atomic<std::int32_t> manualRadiusNm{0};

constinit const std::array<const Parameter*, 10> perAirportSettings{
    &LATERAL_RANGE, &AUTO_RANGE, &INITIAL_LOAD_ONLY, &PARK_SOFT, &PARK_FAKE,
    &parking_percentage, &MAX_FIT, &WEEK, &LEARN_SOFT, &MAX_LIVE};
