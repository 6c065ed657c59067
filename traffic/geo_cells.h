#pragma once
// Cells of latitude and longitude for the searches by position within a
// pass: a cell's key, and the cells a point's reach may touch.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/great_circle.h"

// The key of the cell holding the position; empty for a position that is
// not a number.
std::optional<std::uint64_t> gf_geoCellKey(const GeoPosition& position);

// The rows and columns of the cells that hold every position within reachNm
// of the point (a great-circle distance); empty when the point lies too near
// a pole or the date line, or the reach spans too many cells.
struct GeoCellRange {
    std::int64_t firstRow = 0;
    std::int64_t lastRow = 0;
    std::int64_t firstColumn = 0;
    std::int64_t lastColumn = 0;
};
std::optional<GeoCellRange> gf_geoCellsWithin(const GeoPosition& point, double reachNm);
std::uint64_t gf_geoCellKey(std::int64_t row, std::int64_t column);

// Cell key to the places (indexes into a list) of what lies in the cell.
using GeoCellPlaces = std::unordered_map<std::uint64_t, std::vector<std::size_t>>;
// Empties every cell, keeping the storage for the next pass.
void gf_emptyCellPlaces(GeoCellPlaces& cells);
// The places of every cell of the range, cell after cell.
void gf_collectCellPlaces(const GeoCellPlaces& cells, const GeoCellRange& range, std::vector<std::size_t>& places);
