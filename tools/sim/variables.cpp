#include "variables.h"

#include <algorithm>
#include <cctype>
#include <numbers>

namespace sim {

namespace {

struct Unit {
    Dimension dimension;
    std::string_view name;
    double baseUnits;  // how many of the dimension's base unit one of this unit is
};

constexpr Unit lf_units[] = {
    {Dimension::Angle, "radians", 1.0},
    {Dimension::Angle, "radian", 1.0},
    {Dimension::Angle, "degrees", std::numbers::pi / 180.0},
    {Dimension::Angle, "degree", std::numbers::pi / 180.0},
    {Dimension::Length, "feet", 1.0},
    {Dimension::Length, "foot", 1.0},
    {Dimension::Length, "meters", 1.0 / 0.3048},
    {Dimension::Length, "meter", 1.0 / 0.3048},
    {Dimension::Speed, "knots", 1.0},
    {Dimension::Speed, "knot", 1.0},
    {Dimension::Speed, "feet per second", 3600.0 * 0.3048 / 1852.0},
    {Dimension::Speed, "meters per second", 3600.0 / 1852.0},
    {Dimension::Percent, "percent", 1.0},
    {Dimension::Percent, "percent over 100", 100.0},
    {Dimension::Time, "seconds", 1.0},
    {Dimension::Time, "second", 1.0},
    {Dimension::Number, "number", 1.0},
    {Dimension::Number, "mask", 1.0},
    {Dimension::Number, "bool", 1.0},
    {Dimension::Number, "boolean", 1.0},
    {Dimension::Number, "enum", 1.0},
};

double lf_onGround(const World& world, const SimObject& object) { return world.onGround(object) ? 1.0 : 0.0; }

const Variable lf_variables[] = {
    {"PLANE LATITUDE", Dimension::Angle, "degrees", [](const World&, const SimObject& o) { return o.latitudeDeg; },
     [](SimObject& o, double v) { o.latitudeDeg = v; }, nullptr},
    {"PLANE LONGITUDE", Dimension::Angle, "degrees", [](const World&, const SimObject& o) { return o.longitudeDeg; },
     [](SimObject& o, double v) { o.longitudeDeg = v; }, nullptr},
    {"PLANE PITCH DEGREES", Dimension::Angle, "radians", [](const World&, const SimObject& o) { return o.pitchRad; },
     [](SimObject& o, double v) { o.pitchRad = v; }, nullptr},
    {"PLANE BANK DEGREES", Dimension::Angle, "radians", [](const World&, const SimObject& o) { return o.bankRad; },
     [](SimObject& o, double v) { o.bankRad = v; }, nullptr},
    {"PLANE HEADING DEGREES TRUE", Dimension::Angle, "radians",
     [](const World&, const SimObject& o) { return o.headingRad; }, [](SimObject& o, double v) { o.headingRad = v; },
     nullptr},
    {"PLANE ALTITUDE", Dimension::Length, "feet", [](const World&, const SimObject& o) { return o.altitudeFt; },
     [](SimObject& o, double v) { o.altitudeFt = v; }, nullptr},
    {"VERTICAL SPEED", Dimension::Speed, "feet per second",
     [](const World&, const SimObject& o) { return o.verticalSpeedFps; },
     [](SimObject& o, double v) { o.verticalSpeedFps = v; }, nullptr},
    {"AIRSPEED TRUE", Dimension::Speed, "knots", [](const World&, const SimObject& o) { return o.airspeedKt; },
     [](SimObject& o, double v) { o.airspeedKt = v; }, nullptr},
    {"GROUND VELOCITY", Dimension::Speed, "knots", [](const World&, const SimObject& o) { return o.groundSpeedKt; },
     [](SimObject& o, double v) { o.groundSpeedKt = v; }, nullptr},
    {"PLANE ALT ABOVE GROUND", Dimension::Length, "feet",
     [](const World& w, const SimObject& o) { return w.altAboveGroundFt(o); }, nullptr, nullptr},
    {"GROUND ALTITUDE", Dimension::Length, "feet", [](const World& w, const SimObject&) { return w.groundElevationFt; },
     nullptr, nullptr},
    {"SIM ON GROUND", Dimension::Number, "bool", lf_onGround, nullptr, nullptr},
    {"ZULU TIME", Dimension::Time, "seconds", [](const World& w, const SimObject&) { return w.zulu.timeOfDayS; },
     nullptr, nullptr},
    {"ZULU DAY OF YEAR", Dimension::Number, "number",
     [](const World& w, const SimObject&) { return static_cast<double>(w.zulu.dayOfYear); }, nullptr, nullptr},
    {"ZULU YEAR", Dimension::Number, "number",
     [](const World& w, const SimObject&) { return static_cast<double>(w.zulu.year); }, nullptr, nullptr},
    {"LIGHT STATES", Dimension::Number, "mask",
     [](const World&, const SimObject& o) { return static_cast<double>(o.lightStates); }, nullptr, nullptr},
    {"LIGHT ON STATES", Dimension::Number, "mask",
     [](const World&, const SimObject& o) { return static_cast<double>(o.lightStates); }, nullptr, nullptr},
    {"STATIC CG TO GROUND", Dimension::Length, "feet",
     [](const World&, const SimObject& o) { return o.staticCgToGroundFt; }, nullptr, nullptr},
    {"STATIC PITCH", Dimension::Angle, "radians", [](const World&, const SimObject& o) { return o.staticPitchRad; },
     nullptr, nullptr},
    {"SPOILERS HANDLE POSITION", Dimension::Percent, "percent",
     [](const World&, const SimObject& o) { return o.spoilersPercent; },
     [](SimObject& o, double v) { o.spoilersPercent = v; }, nullptr},
    {"GENERAL ENG THROTTLE LEVER POSITION:1", Dimension::Percent, "percent",
     [](const World&, const SimObject& o) { return o.throttlePercent[0]; },
     [](SimObject& o, double v) { o.throttlePercent[0] = v; }, nullptr},
    {"GENERAL ENG THROTTLE LEVER POSITION:2", Dimension::Percent, "percent",
     [](const World&, const SimObject& o) { return o.throttlePercent[1]; },
     [](SimObject& o, double v) { o.throttlePercent[1] = v; }, nullptr},
    {"TITLE", Dimension::Text, "", nullptr, nullptr, [](const SimObject& o) { return o.title; }},
    {"ATC ID", Dimension::Text, "", nullptr, nullptr, [](const SimObject& o) { return o.atcId; }},
    {"ATC MODEL", Dimension::Text, "", nullptr, nullptr, [](const SimObject& o) { return o.atcModel; }},
};

bool lf_equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

const Unit* lf_findUnit(Dimension dimension, std::string_view name) {
    for (const Unit& unit : lf_units) {
        if (unit.dimension == dimension && lf_equalsIgnoringCase(unit.name, name)) {
            return &unit;
        }
    }
    return nullptr;
}

}  // namespace

const Variable* findVariable(std::string_view name) {
    for (const Variable& variable : lf_variables) {
        if (lf_equalsIgnoringCase(variable.name, name)) {
            return &variable;
        }
    }
    return nullptr;
}

std::optional<double> unitFactor(const Variable& variable, std::string_view units) {
    if (variable.dimension == Dimension::Text) {
        return 1.0;
    }
    const Unit* natural = lf_findUnit(variable.dimension, variable.naturalUnit);
    const Unit* wanted = lf_findUnit(variable.dimension, units);
    if (natural == nullptr || wanted == nullptr) {
        return std::nullopt;
    }
    return natural->baseUnits / wanted->baseUnits;
}

}  // namespace sim
