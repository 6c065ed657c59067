#include "traffic/category_switches.h"

#include "core/settings.h"

bool gf_isCategorySwitchedOn(AircraftCategory category) {
    switch (category) {
        case AircraftCategory::Light: return LIGHT_AIRCRAFT.value;
        case AircraftCategory::HighPerf: return HIGH_PERF_AIRCRAFT.value;
        case AircraftCategory::Rotorcraft: return HELICOPTERS.value;
        default: return true;
    }
}
