#include "traffic/support/stands.h"

#include "airports/airports_state.h"

#include <numbers>

namespace test {

void loadStands(const std::vector<StandSpec>& stands) {
    parkPositions.clear();
    for (const StandSpec& spec : stands) {
        ParkPosition& stand = parkPositions.emplace_back(spec.name, spec.options, spec.latDeg, spec.lonDeg,
                                                         std::numbers::pi / 2, spec.radiusM, spec.cargo, spec.ramp,
                                                         spec.heli);
        stand.standId = static_cast<std::uint32_t>(parkPositions.size());
    }
}

ParkOption makeOption(const OptionSpec& spec) {
    ParkOption option;
    option.airline = spec.airline;
    option.type = spec.type;
    option.registration = spec.registration;
    option.callsign = spec.callsign;
    option.callsignSuffix = spec.callsignSuffix;
    option.day = spec.day;
    for (const std::size_t halfHour : spec.halfHours) {
        option.timeSlots.set(halfHour);
    }
    option.sequence = spec.sequence;
    option.real = spec.real;
    option.fromArchive = spec.fromArchive;
    return option;
}

}  // namespace test
