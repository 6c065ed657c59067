#include "platform/os/timer_resolution.h"

#include <windows.h>
#include <timeapi.h>

namespace platform {

std::uint32_t timeBeginPeriod(std::uint32_t periodMs) {
    const MMRESULT result = ::timeBeginPeriod(periodMs);
    if (result == TIMERR_NOERROR) {
        ++raisedTimerPeriods;
    }
    return result;
}

std::uint32_t timeEndPeriod(std::uint32_t periodMs) {
    const MMRESULT result = ::timeEndPeriod(periodMs);
    if (result == TIMERR_NOERROR) {
        --raisedTimerPeriods;
    }
    return result;
}

}  // namespace platform
