#pragma once
// The size categories of aircraft types. The category decides which
// fallback liveries an aircraft may wear, the per-category flight values of
// the traffic manager and the average wing span of a type without one.

#include <array>
#include <cstdint>
#include <string_view>

enum class AircraftCategory : std::uint32_t {
    Light = 0,  // every type in none of the other categories
    Buzjets = 1,
    Large = 2,
    Heavy = 3,
    HighPerf = 4,
    Rotorcraft = 5,
};

inline constexpr std::size_t kAircraftCategoryCount = 6;

struct AircraftCategoryName {
    AircraftCategory id;
    std::string_view name;  // as logs write it
};

inline constexpr std::array<AircraftCategoryName, kAircraftCategoryCount> aircraftCategoryNames{{
    {AircraftCategory::Light, "Light"},
    {AircraftCategory::Buzjets, "Buzjets"},
    {AircraftCategory::Large, "Large"},
    {AircraftCategory::Heavy, "Heavy"},
    {AircraftCategory::HighPerf, "HighPerf"},
    {AircraftCategory::Rotorcraft, "Rotorcraft"},
}};

constexpr std::size_t gf_categoryIndex(AircraftCategory category) { return static_cast<std::size_t>(category); }
