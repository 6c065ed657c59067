#include "traffic/stands/stands_by_position.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "airports/airports_state.h"
#include "airports/park_stands.h"
#include "traffic/geo_cells.h"

namespace {

bool keeping = false;
bool sorted = false;
// Cell key to the ascending places of its stands; the storage is kept from
// pass to pass.
GeoCellPlaces cells;

void lf_sortStands() {
    gf_emptyCellPlaces(cells);
    for (std::size_t place = 0; place < parkPositions.size(); ++place) {
        const ParkPosition& stand = parkPositions[place];
        if (const std::optional<std::uint64_t> key = gf_geoCellKey({stand.latDeg, stand.lonDeg})) {
            cells[*key].push_back(place);
        }
    }
    sorted = true;
}

}  // namespace

StandsByPositionKeeper::StandsByPositionKeeper() { keeping = true; }

StandsByPositionKeeper::~StandsByPositionKeeper() {
    keeping = false;
    sorted = false;
}

bool gf_standPlacesNear(const GeoPosition& point, double reachNm, std::vector<std::size_t>& places) {
    if (!keeping) {
        return false;
    }
    const std::optional<GeoCellRange> range = gf_geoCellsWithin(point, reachNm);
    if (!range) {
        return false;
    }
    if (!sorted) {
        lf_sortStands();
    }
    gf_collectCellPlaces(cells, *range, places);
    std::sort(places.begin(), places.end());
    return true;
}
