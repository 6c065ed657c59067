#include "platform/os/timer_resolution.h"

namespace platform {

std::uint32_t timeBeginPeriod(std::uint32_t /*periodMs*/) {
    ++raisedTimerPeriods;
    return kTimerNoError;
}

std::uint32_t timeEndPeriod(std::uint32_t /*periodMs*/) {
    --raisedTimerPeriods;
    return kTimerNoError;
}

}  // namespace platform
