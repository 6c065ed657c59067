#pragma once
// The multimedia timer resolution. Windows runs the 10 ms main loop and the
// simulator link's 1 ms dispatch steps with the timer raised to 1 ms
// (timeBeginPeriod) and restores it afterwards (timeEndPeriod). Linux sleeps
// with fine resolution anyway, so both only count, as Windows does, the
// raises not yet restored, and report success.

#include <atomic>
#include <cstdint>

namespace platform {

// TIMERR_NOERROR, the result of a successful call.
inline constexpr std::uint32_t kTimerNoError = 0;

// timeBeginPeriod calls not yet matched by a timeEndPeriod.
inline std::atomic<std::int32_t> raisedTimerPeriods{0};

inline std::uint32_t timeBeginPeriod(std::uint32_t /*periodMs*/) {
    ++raisedTimerPeriods;
    return kTimerNoError;
}
inline std::uint32_t timeEndPeriod(std::uint32_t /*periodMs*/) {
    --raisedTimerPeriods;
    return kTimerNoError;
}

// The timer at 1 ms for as long as the guard lives, restored however its
// scope ends.
class OneMillisecondTimer {
public:
    OneMillisecondTimer() { timeBeginPeriod(1); }
    ~OneMillisecondTimer() { timeEndPeriod(1); }
    OneMillisecondTimer(const OneMillisecondTimer&) = delete;
    OneMillisecondTimer& operator=(const OneMillisecondTimer&) = delete;
};

}  // namespace platform
