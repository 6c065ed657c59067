#include "traffic/farthest_active.h"
#include "traffic/traffic_state.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace {

constexpr double kNotActive = -std::numeric_limits<double>::infinity();
constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

// The distance the walk compares, kNotActive for an aircraft it passes over
// (not active, or no distance to compare: NaN is never farther).
double lf_walkDistanceNm(const LiveAc& aircraft, const GeoPosition& user) {
    if (aircraft.simState != SimState::Active) {
        return kNotActive;
    }
    const double nm =
        gf_greatCircleDistanceNm(user, {aircraft.position.latitudeDeg, aircraft.position.longitudeDeg});
    return std::isnan(nm) ? kNotActive : nm;
}

// The distances of the live list in its order, as a binary tree of maxima:
// leaf i (at leafCount + i) is aircraft i, every inner node the larger of
// its two children. Its storage is kept from pass to pass.
class DistanceTree {
public:
    void build(const GeoPosition& user) {
        user_ = user;
        leafCount_ = 1;
        while (leafCount_ < liveAircraft.size()) {
            leafCount_ *= 2;
        }
        maxima_.assign(2 * leafCount_, kNotActive);
        for (std::size_t index = 0; index < liveAircraft.size(); ++index) {
            maxima_[leafCount_ + index] = lf_walkDistanceNm(liveAircraft[index], user_);
        }
        for (std::size_t node = leafCount_ - 1; node >= 1; --node) {
            maxima_[node] = std::max(maxima_[2 * node], maxima_[2 * node + 1]);
        }
    }

    [[nodiscard]] const GeoPosition& user() const { return user_; }
    [[nodiscard]] double distanceNm(std::size_t index) const { return maxima_[leafCount_ + index]; }

    void refresh(std::size_t index) {
        std::size_t node = leafCount_ + index;
        maxima_[node] = lf_walkDistanceNm(liveAircraft[index], user_);
        for (node /= 2; node >= 1; node /= 2) {
            maxima_[node] = std::max(maxima_[2 * node], maxima_[2 * node + 1]);
        }
    }

    // The first aircraft at or after `from` whose distance exceeds the
    // threshold; kNone when there is none.
    [[nodiscard]] std::size_t firstBeyond(std::size_t from, double thresholdNm) const {
        return firstBeyondIn(1, 0, leafCount_, from, thresholdNm);
    }

private:
    [[nodiscard]] std::size_t firstBeyondIn(std::size_t node, std::size_t begin, std::size_t end, std::size_t from,
                                             double thresholdNm) const {
        if (end <= from || !(maxima_[node] > thresholdNm)) {
            return kNone;
        }
        if (end - begin == 1) {
            return begin;
        }
        const std::size_t middle = begin + (end - begin) / 2;
        const std::size_t found = firstBeyondIn(2 * node, begin, middle, from, thresholdNm);
        return found != kNone ? found : firstBeyondIn(2 * node + 1, middle, end, from, thresholdNm);
    }

    GeoPosition user_;
    std::size_t leafCount_ = 1;
    std::vector<double> maxima_;
};

bool keeping = false;
bool treeBuilt = false;
DistanceTree keptTree;

LiveAc* lf_walkList(const GeoPosition& user, double distanceNm, double marginNm) {
    LiveAc* farthest = nullptr;
    double farthestNm = distanceNm;
    for (LiveAc& aircraft : liveAircraft) {
        const double nm = lf_walkDistanceNm(aircraft, user);
        if (nm > farthestNm + marginNm) {
            farthestNm = nm;
            farthest = &aircraft;
        }
    }
    return farthest;
}

LiveAc* lf_searchTree(const DistanceTree& tree, double distanceNm, double marginNm) {
    LiveAc* farthest = nullptr;
    double farthestNm = distanceNm;
    for (std::size_t index = tree.firstBeyond(0, farthestNm + marginNm); index != kNone;
         index = tree.firstBeyond(index + 1, farthestNm + marginNm)) {
        farthestNm = tree.distanceNm(index);
        farthest = &liveAircraft[index];
    }
    return farthest;
}

}  // namespace

FarthestActiveKeeper::FarthestActiveKeeper() { keeping = true; }

FarthestActiveKeeper::~FarthestActiveKeeper() {
    keeping = false;
    treeBuilt = false;
}

LiveAc* gf_findFarthestActive(const GeoPosition& user, double distanceNm, double marginNm) {
    if (!keeping) {
        return lf_walkList(user, distanceNm, marginNm);
    }
    if (!treeBuilt || !(keptTree.user() == user)) {
        keptTree.build(user);
        treeBuilt = true;
    }
    return lf_searchTree(keptTree, distanceNm, marginNm);
}

void gf_refreshFarthestActive(const LiveAc& aircraft) {
    if (!treeBuilt) {
        return;
    }
    if (const auto index = gf_liveIndexOf(aircraft)) {
        keptTree.refresh(*index);
    }
}
