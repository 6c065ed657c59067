#include "traffic/aircraft_by_position.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "traffic/geo_cells.h"
#include "traffic/stream_geometry.h"
#include "traffic/traffic_state.h"

namespace {

bool keeping = false;
bool sorted = false;
// Cell key to the places of its aircraft, in no order; the cell of each
// place (none for a position that is not a number); the widest half span of
// any aircraft. The storage is kept from pass to pass.
GeoCellPlaces cells;
std::vector<std::optional<std::uint64_t>> cellOfPlace;
double widestHalfSpanNm = 0.0;

void lf_sortAircraft() {
    gf_emptyCellPlaces(cells);
    cellOfPlace.assign(liveAircraft.size(), std::nullopt);
    widestHalfSpanNm = 0.0;
    for (std::size_t place = 0; place < liveAircraft.size(); ++place) {
        const LiveAc& aircraft = liveAircraft[place];
        widestHalfSpanNm = std::max(widestHalfSpanNm, aircraft.identity.halfSpanNm);
        cellOfPlace[place] = gf_geoCellKey(gf_aircraftPosition(aircraft));
        if (cellOfPlace[place]) {
            cells[*cellOfPlace[place]].push_back(place);
        }
    }
    sorted = true;
}

}  // namespace

AircraftByPositionKeeper::AircraftByPositionKeeper() { keeping = true; }

AircraftByPositionKeeper::~AircraftByPositionKeeper() {
    keeping = false;
    sorted = false;
}

bool gf_livePlacesNear(const GeoPosition& point, double fixedNm, double perHalfSpan, std::vector<std::size_t>& places) {
    if (!keeping) {
        return false;
    }
    if (!sorted) {
        lf_sortAircraft();
    }
    const std::optional<GeoCellRange> range = gf_geoCellsWithin(point, fixedNm + perHalfSpan * widestHalfSpanNm);
    if (!range) {
        return false;
    }
    gf_collectCellPlaces(cells, *range, places);
    return true;
}

void gf_refreshAircraftByPosition(const LiveAc& aircraft) {
    if (!sorted) {
        return;
    }
    const std::optional<std::size_t> place = gf_liveIndexOf(aircraft);
    if (!place || *place >= cellOfPlace.size()) {
        return;
    }
    widestHalfSpanNm = std::max(widestHalfSpanNm, aircraft.identity.halfSpanNm);
    const std::optional<std::uint64_t> key = gf_geoCellKey(gf_aircraftPosition(aircraft));
    std::optional<std::uint64_t>& kept = cellOfPlace[*place];
    if (key == kept) {
        return;
    }
    if (kept) {
        std::vector<std::size_t>& old = cells[*kept];
        std::erase(old, *place);
    }
    if (key) {
        cells[*key].push_back(*place);
    }
    kept = key;
}
