#include "run/live_target_filter.h"

#include <array>
#include <unordered_set>

#include "records/live_ac_update.h"

namespace {

constexpr std::size_t kLongestNonAircraftType = 4;

}  // namespace

bool isNonAircraftType(std::string_view type) {
    if (type.size() > kLongestNonAircraftType) {
        return false;
    }
    static const std::unordered_set<std::string_view> nonAircraftTypes{"BALL", "EMER", "GLID", "GRND", "GND",
                                                                       "PARA", "SERV", "SHIP", "VENT"};
    return nonAircraftTypes.contains(type);
}

bool isWantedLiveTarget(const LiveAcUpdate& report, std::string_view category) {
    if (report.strings.type.empty()) {
        return false;
    }
    if (category.empty() || category == "null") {
        return true;
    }
    static constexpr std::array<std::string_view, 5> kNonAircraftCategories{"B1", "B2", "B4", "C1", "C2"};
    for (const std::string_view nonAircraft : kNonAircraftCategories) {
        if (category == nonAircraft) {
            return false;
        }
    }
    return !isNonAircraftType(report.strings.type);
}
