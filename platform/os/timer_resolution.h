#pragma once
// The multimedia timer resolution. Windows runs the 10 ms main loop and the
// simulator link's 1 ms dispatch steps with the timer raised to 1 ms
// (timeBeginPeriod) and restores it afterwards (timeEndPeriod); there both
// are the system's calls. Linux sleeps with fine resolution anyway, so there
// they report success and do nothing. Both systems count the raises not yet
// restored.

#include <atomic>
#include <cstdint>

namespace platform {

// TIMERR_NOERROR, the result of a successful call.
inline constexpr std::uint32_t kTimerNoError = 0;

// timeBeginPeriod calls not yet matched by a timeEndPeriod.
inline std::atomic<std::int32_t> raisedTimerPeriods{0};

std::uint32_t timeBeginPeriod(std::uint32_t periodMs);
std::uint32_t timeEndPeriod(std::uint32_t periodMs);

// The timer at 1 ms for as long as the guard lives, restored however its
// scope ends (when it was raised).
class OneMillisecondTimer {
public:
    OneMillisecondTimer() : raised_(timeBeginPeriod(1) == kTimerNoError) {}
    ~OneMillisecondTimer() {
        if (raised_) {
            timeEndPeriod(1);
        }
    }
    OneMillisecondTimer(const OneMillisecondTimer&) = delete;
    OneMillisecondTimer& operator=(const OneMillisecondTimer&) = delete;

private:
    bool raised_;
};

}  // namespace platform
