#include "airports/fake_traffic.h"

#include <array>
#include <map>
#include <utility>
#include <vector>

#include "airports/airports_state.h"
#include "airports/park_stands.h"
#include "airports/stand_size.h"
#include "core/format.h"
#include "core/random.h"
#include "liveries/aircraft_database.h"
#include "records/clock.h"
#include "records/week_slot.h"

namespace {

using DemoAircraft = std::pair<std::string_view, std::string_view>;  // airline, type

constexpr std::array<DemoAircraft, 5> kCargo{
    {{"FDX", "C208"}, {"FDX", "B752"}, {"FDX", "B763"}, {"UPS", "A306"}, {"DHK", "B763"}}};
constexpr std::array<std::string_view, 19> kRampTypes{"C172", "C206", "P28A", "PC12", "C550", "TBM9", "LJ25",
                                                      "GLF6", "FA6X", "FA8X", "GLF4", "GLF5", "LJ60", "DHC7",
                                                      "DH8A", "DH8C", "E550", "CL30", "GA6C"};
constexpr std::string_view kRampAirline = "PVT";
constexpr DemoAircraft kHelicopter{"PVT", "EC35"};
constexpr DemoAircraft kAnyAirliner{"ZZZ", "B738"};

// Airliners by the first letter of the airport's code.
const std::map<char, std::vector<DemoAircraft>>& lf_airlinersByRegion() {
    static const std::map<char, std::vector<DemoAircraft>> airliners{
        {'C', {{"ACA", "B789"}, {"ACA", "B38M"}, {"ROU", "A321"}, {"JZA", "CRJ9"}}},
        {'E',
         {{"KLM", "B77W"}, {"SAS", "A320"}, {"EZY", "A320"}, {"RYR", "B738"}, {"DLH", "A320"}, {"KLM", "B738"},
          {"BAW", "A21N"}}},
        {'K',
         {{"UAL", "B77W"}, {"DAL", "B739"}, {"JBU", "BCS3"}, {"FFT", "A320"}, {"UAL", "B78X"}, {"UAL", "B738"},
          {"AAL", "B738"}, {"SKW", "E75L"}, {"SWA", "B737"}, {"FFT", "A320"}}},
        {'R', {{"ANA", "A20N"}, {"JAL", "A35K"}, {"JAL", "B738"}}},
        {'Z', {{"CSA", "A320"}, {"CES", "A333"}, {"CES", "A321"}}},
    };
    return airliners;
}

bool lf_fits(const ParkPosition& stand, std::string_view type) {
    return gf_standFitsSpan(stand, gf_getHalfWingspanNm(type));
}

template <class Range>
void lf_addFitting(std::vector<DemoAircraft>& choice, const ParkPosition& stand, const Range& aircraft) {
    for (const DemoAircraft& demo : aircraft) {
        if (lf_fits(stand, demo.second)) {
            choice.push_back(demo);
        }
    }
}

std::vector<DemoAircraft> lf_demoAircraftFor(const ParkPosition& stand, const std::string& icao) {
    std::vector<DemoAircraft> choice;
    if (stand.heli) {
        choice.push_back(kHelicopter);
    } else if (stand.cargo) {
        lf_addFitting(choice, stand, kCargo);
    } else if (stand.ramp) {
        for (const std::string_view type : kRampTypes) {
            if (lf_fits(stand, type)) {
                choice.emplace_back(kRampAirline, type);
            }
        }
    } else if (const auto region = lf_airlinersByRegion().find(icao.empty() ? ' ' : icao.front());
               region != lf_airlinersByRegion().end()) {
        lf_addFitting(choice, stand, region->second);
    } else {
        choice.push_back(kAnyAirliner);
    }
    return choice;
}

}  // namespace

void fillFakeTraffic(const std::string& /*standFileName*/, const std::string& icao) {
    const std::uint64_t timeOfWeek = currentWeekSlot;
    const auto weekday = static_cast<std::int32_t>(gf_weekdayOf(timeOfWeek));
    const std::uint32_t halfHour = gf_halfHourOf(timeOfWeek);
    std::uint32_t number = 0;
    for (ParkPosition& stand : parkPositions) {
        const std::vector<DemoAircraft> choice = lf_demoAircraftFor(stand, icao);
        if (choice.empty()) {
            continue;
        }
        const DemoAircraft& demo = choice.at(gf_randomIndex(choice.size()).value_or(0));
        ++number;
        ParkOption option;
        option.airline = demo.first;
        option.type = demo.second;
        option.registration = fmtlib::format("REGFAKE{}", number);
        option.callsign = fmtlib::format("FAKE{}", number);
        option.timeSlots.set(halfHour);
        option.sequence = stand.options.empty() ? 1 : stand.options.back().sequence + 1;
        option.day = weekday;
        option.fromArchive = true;
        option.real = false;
        option.demo = true;
        stand.options.push_back(std::move(option));
    }
}
