#include "traffic/geo_cells.h"

#include <algorithm>
#include <cmath>

#include "core/units.h"

namespace {

// Cells of 0.002 degree, about 220 m north to south, wider than the searches.
constexpr double kCellDeg = 0.002;
// Along a great circle a degree of latitude is 60 nm; a degree of longitude
// is at least 60 nm times the cosine of the latitude farthest from the
// equator. The reach is widened a little against rounding.
constexpr double kNmPerDegree = 60.0;
constexpr double kReachMargin = 1.01;
// Nearer a pole than this, or a search reaching beyond the date line, the
// cells are not used; nor for a search over more cells than this.
constexpr double kLowestCosine = 0.01;
constexpr double kWidestLonDeg = 180.0;
constexpr std::int64_t kMostCells = 64;

std::int64_t lf_cellOf(double degrees) { return static_cast<std::int64_t>(std::floor(degrees / kCellDeg)); }

}  // namespace

std::uint64_t gf_geoCellKey(std::int64_t row, std::int64_t column) {
    return (static_cast<std::uint64_t>(row) << 32U) ^ static_cast<std::uint64_t>(static_cast<std::uint32_t>(column));
}

std::optional<std::uint64_t> gf_geoCellKey(const GeoPosition& position) {
    if (!std::isfinite(position.latDeg) || !std::isfinite(position.lonDeg)) {
        return std::nullopt;  // no distance to it is within any reach
    }
    return gf_geoCellKey(lf_cellOf(position.latDeg), lf_cellOf(position.lonDeg));
}

std::optional<GeoCellRange> gf_geoCellsWithin(const GeoPosition& point, double reachNm) {
    if (!std::isfinite(point.latDeg) || !std::isfinite(point.lonDeg) || !(reachNm >= 0.0)) {
        return std::nullopt;
    }
    const double latReachDeg = kReachMargin * reachNm / kNmPerDegree;
    const double farthestLatDeg = std::fabs(point.latDeg) + latReachDeg;
    const double cosine = std::cos(std::min(farthestLatDeg, 90.0) * kRadiansPerDegree);
    if (cosine < kLowestCosine) {
        return std::nullopt;
    }
    const double lonReachDeg = latReachDeg / cosine;
    if (point.lonDeg - lonReachDeg < -kWidestLonDeg || point.lonDeg + lonReachDeg > kWidestLonDeg) {
        return std::nullopt;
    }
    const GeoCellRange range{lf_cellOf(point.latDeg - latReachDeg), lf_cellOf(point.latDeg + latReachDeg),
                             lf_cellOf(point.lonDeg - lonReachDeg), lf_cellOf(point.lonDeg + lonReachDeg)};
    if ((range.lastRow - range.firstRow + 1) * (range.lastColumn - range.firstColumn + 1) > kMostCells) {
        return std::nullopt;
    }
    return range;
}

void gf_emptyCellPlaces(GeoCellPlaces& cells) {
    for (auto& [key, places] : cells) {
        places.clear();
    }
}

void gf_collectCellPlaces(const GeoCellPlaces& cells, const GeoCellRange& range, std::vector<std::size_t>& places) {
    places.clear();
    for (std::int64_t row = range.firstRow; row <= range.lastRow; ++row) {
        for (std::int64_t column = range.firstColumn; column <= range.lastColumn; ++column) {
            const auto found = cells.find(gf_geoCellKey(row, column));
            if (found != cells.end()) {
                places.insert(places.end(), found->second.begin(), found->second.end());
            }
        }
    }
}
