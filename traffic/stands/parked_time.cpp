#include "traffic/stands/parked_time.h"

#include <chrono>

namespace {

using SystemTicks = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;
constexpr std::uint64_t kTicksPerSecond = 10'000'000;

}  // namespace

std::uint64_t gf_systemTicksNow() {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<SystemTicks>(std::chrono::system_clock::now().time_since_epoch()).count());
}

std::uint64_t gf_secondsSince(std::uint64_t systemTicks) {
    const std::uint64_t now = gf_systemTicksNow();
    return now > systemTicks ? (now - systemTicks) / kTicksPerSecond : 0;
}
