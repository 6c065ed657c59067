#include "sim_events.h"

#include <algorithm>
#include <cctype>

namespace sim {

namespace {

// Event data of the position-type events runs from 0 to 16383.
constexpr double kFullPosition = 16383.0;

struct LightEvent {
    std::string_view name;
    std::uint64_t bit;
};

constexpr LightEvent lf_lightEvents[] = {
    {"NAV_LIGHTS_SET", kLightNav},         {"BEACON_LIGHTS_SET", kLightBeacon}, {"LANDING_LIGHTS_SET", kLightLanding},
    {"TAXI_LIGHTS_SET", kLightTaxi},       {"STROBES_SET", kLightStrobe},       {"LOGO_LIGHTS_SET", kLightLogo},
    {"CABIN_LIGHTS_SET", kLightCabin},
};

constexpr std::string_view lf_otherEvents[] = {
    "GEAR_SET",      "ENGINE_AUTO_START",  "ENGINE_AUTO_SHUTDOWN",          "THROTTLE_SET",
    "FLAPS_SET",     "SPOILERS_SET",       "ALL_LIGHTS_TOGGLE",             "FREEZE_LATITUDE_LONGITUDE_SET",
    "FREEZE_ALTITUDE_SET", "FREEZE_ATTITUDE_SET",
};

double lf_percent(std::uint32_t data) { return std::min(static_cast<double>(data), kFullPosition) * 100.0 / kFullPosition; }

}  // namespace

std::string knownEventName(std::string_view name) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    const bool light = std::any_of(std::begin(lf_lightEvents), std::end(lf_lightEvents),
                                   [&](const LightEvent& event) { return event.name == upper; });
    const bool other = std::find(std::begin(lf_otherEvents), std::end(lf_otherEvents), upper) != std::end(lf_otherEvents);
    return light || other ? upper : std::string{};
}

void applyEvent(SimObject& object, const std::string& eventName, std::uint32_t data) {
    object.events.push_back({eventName, data});
    for (const LightEvent& light : lf_lightEvents) {
        if (light.name == eventName) {
            object.lightStates = data != 0 ? (object.lightStates | light.bit) : (object.lightStates & ~light.bit);
            return;
        }
    }
    if (eventName == "GEAR_SET") {
        object.gearDown = data != 0;
    } else if (eventName == "ENGINE_AUTO_START") {
        object.enginesRunning = true;
    } else if (eventName == "ENGINE_AUTO_SHUTDOWN") {
        object.enginesRunning = false;
    } else if (eventName == "THROTTLE_SET") {
        object.throttlePercent[0] = object.throttlePercent[1] = lf_percent(data);
    } else if (eventName == "FLAPS_SET") {
        object.flapsPercent = lf_percent(data);
    } else if (eventName == "SPOILERS_SET") {
        object.spoilersPercent = lf_percent(data);
    } else if (eventName == "ALL_LIGHTS_TOGGLE") {
        object.lightStates = object.lightStates != 0 ? 0 : std::uint64_t{kLightAll};
    } else if (eventName == "FREEZE_LATITUDE_LONGITUDE_SET") {
        object.frozenLatLon = data != 0;
    } else if (eventName == "FREEZE_ALTITUDE_SET") {
        object.frozenAltitude = data != 0;
    } else if (eventName == "FREEZE_ATTITUDE_SET") {
        object.frozenAttitude = data != 0;
    }
}

}  // namespace sim
