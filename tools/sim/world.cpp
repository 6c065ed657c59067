#include "world.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sim {

namespace {

constexpr double kEarthRadiusMeters = 6371008.8;
constexpr double kMetersPerNauticalMile = 1852.0;
constexpr double kRadPerDeg = std::numbers::pi / 180.0;

bool lf_isLeapYear(std::int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// An airborne aircraft under the simulator's control flies on along its
// heading at its airspeed, unless frozen; released aircraft stay put.
void lf_fly(SimObject& object, double seconds) {
    if (object.isUser || object.released || object.frozenLatLon || object.airspeedKt <= 0.0) {
        return;
    }
    const double distanceRad = object.airspeedKt * kMetersPerNauticalMile * seconds / 3600.0 / kEarthRadiusMeters;
    object.latitudeDeg += distanceRad * std::cos(object.headingRad) / kRadPerDeg;
    object.longitudeDeg +=
        distanceRad * std::sin(object.headingRad) / std::cos(object.latitudeDeg * kRadPerDeg) / kRadPerDeg;
}

}  // namespace

double distanceMeters(double latitude1Deg, double longitude1Deg, double latitude2Deg, double longitude2Deg) {
    const double dLat = (latitude2Deg - latitude1Deg) * kRadPerDeg;
    const double dLon = (longitude2Deg - longitude1Deg) * kRadPerDeg;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2) + std::cos(latitude1Deg * kRadPerDeg) *
                                                                    std::cos(latitude2Deg * kRadPerDeg) *
                                                                    std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2.0 * kEarthRadiusMeters * std::asin(std::min(1.0, std::sqrt(a)));
}

SimObject* World::find(std::uint32_t objectId) {
    const auto found = objects.find(objectId == 0 ? userObjectId : objectId);
    return found == objects.end() ? nullptr : &found->second;
}

SimObject& World::user() { return objects.at(userObjectId); }

double World::altAboveGroundFt(const SimObject& object) const {
    return object.givenAltAboveGroundFt.value_or(object.altitudeFt - groundElevationFt);
}

bool World::onGround(const SimObject& object) const {
    return object.givenOnGround.value_or(altAboveGroundFt(object) <= object.staticCgToGroundFt + 1.0);
}

bool World::canCreate(const std::string& title) const {
    return std::find(creatableTitles.begin(), creatableTitles.end(), title) != creatableTitles.end();
}

std::size_t World::aiObjectCount() const {
    return static_cast<std::size_t>(
        std::count_if(objects.begin(), objects.end(), [](const auto& entry) { return !entry.second.isUser; }));
}

std::uint32_t World::nextObjectId() {
    std::uint32_t highest = std::max({lastObjectId_, userObjectId, 2U});
    if (!objects.empty()) {
        highest = std::max(highest, objects.rbegin()->first);
    }
    lastObjectId_ = highest + 1;
    return lastObjectId_;
}

std::vector<const SimObject*> World::objectsWithin(double radiusMeters) const {
    std::vector<const SimObject*> found;
    const SimObject& center = objects.at(userObjectId);
    for (const auto& [id, object] : objects) {
        if (object.isUser ||
            distanceMeters(center.latitudeDeg, center.longitudeDeg, object.latitudeDeg, object.longitudeDeg) <=
                radiusMeters) {
            found.push_back(&object);
        }
    }
    return found;
}

void World::advance(double seconds) {
    zulu.timeOfDayS += seconds;
    while (zulu.timeOfDayS >= 86400.0) {
        zulu.timeOfDayS -= 86400.0;
        if (++zulu.dayOfYear > (lf_isLeapYear(zulu.year) ? 366 : 365)) {
            zulu.dayOfYear = 1;
            ++zulu.year;
        }
    }
    for (auto& [id, object] : objects) {
        lf_fly(object, seconds);
    }
}

}  // namespace sim
