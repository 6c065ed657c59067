#pragma once
// Fixed tables that several subsystems look up, built before the program's
// entry and never changed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

// Per aircraft category: 0 Light, 1 Buzjets, 2 Large, 3 Heavy, 4 HighPerf,
// 5 Rotorcraft. What a new aircraft identity takes from its category.
template <class Value>
using CategoryTable = std::unordered_map<std::uint32_t, Value>;

struct CategoryTables {
    CategoryTable<double> rotationPitchDeg;  // take-off rotation, nose up negative
    CategoryTable<double> climbPitchDeg;     // climb, nose up negative
    CategoryTable<double> taxiTurnRateRad;   // per tick: 0.15 degrees for Light down to 0.05 for Heavy
    CategoryTable<std::uint32_t> flareTicks;
    CategoryTable<std::uint32_t> rolloutTicks;
    CategoryTable<std::uint32_t> rotationTicks;
    CategoryTable<std::uint32_t> climbPitchTicks;
};

extern const CategoryTables categoryTables;

// The table's value for the category; std::out_of_range
// "invalid unordered_map<K, T> key" for a category the table lacks.
template <class Value>
const Value& gf_categoryValue(const CategoryTable<Value>& table, std::uint32_t category) {
    const auto found = table.find(category);
    if (found == table.end()) {
        throw std::out_of_range("invalid unordered_map<K, T> key");
    }
    return found->second;
}

// A table of names by their value (0, 1, 2 ...), for gf_categoryValue.
template <std::size_t Count>
CategoryTable<std::string_view> gf_nameTable(const std::array<std::string_view, Count>& names) {
    CategoryTable<std::string_view> table;
    for (std::uint32_t value = 0; value < Count; ++value) {
        table.emplace(value, names[value]);
    }
    return table;
}

// The model name of a stock aircraft of the simulator to its ICAO type code
// ("Asobo_A320_NEO" to "A20N"); 30 models.
extern const std::unordered_map<std::string, std::string> stockAircraftTypes;
