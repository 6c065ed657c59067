#pragma once
// The simulation variables the stand-in knows, with their units. A value
// is kept in the variable's natural unit and converted to the unit a data
// definition asks for.

#include "world.h"

#include <optional>
#include <string>
#include <string_view>

namespace sim {

enum class Dimension { Angle, Length, Speed, Percent, Time, Number, Text };

struct Variable {
    std::string_view name;
    Dimension dimension;
    std::string_view naturalUnit;
    double (*read)(const World& world, const SimObject& object);  // numbers, in the natural unit
    void (*write)(SimObject& object, double value);                // null: not settable
    std::string (*readText)(const SimObject& object);              // texts
};

// By name, without regard to case ("Plane Latitude", "GENERAL ENG THROTTLE LEVER POSITION:1").
const Variable* findVariable(std::string_view name);

// The factor from the variable's natural unit to the given unit; none when
// the unit does not fit the variable. Texts take any unit.
std::optional<double> unitFactor(const Variable& variable, std::string_view units);

}  // namespace sim
