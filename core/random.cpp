#include "core/random.h"

#include <algorithm>
#include <type_traits>

#include "core/settings.h"

// Thread-local objects must not need a destructor: with the Windows
// toolchain's threads, a destructor run when a thread ends reads storage
// that is already freed (a scan thread that kept a thread-local list of lines
// crashed the program as it ended).
static_assert(std::is_trivially_destructible_v<std::mt19937>);
thread_local std::mt19937 randomEngine{std::random_device{}()};

std::optional<std::uint64_t> gf_randomIndex(std::uint64_t n) {
    if (n == 0) {
        return std::nullopt;
    }
    if (!RANDOM.value || n < 2) {
        return 0;
    }
    return randomEngine() % n;
}

void gf_shuffleList(std::vector<std::string>& list) {
    if (RANDOM.value && list.size() > 1) {
        std::shuffle(list.begin(), list.end(), randomEngine);
    }
}

double gf_randomizeByPercent(double value, double percent) {
    if (percent <= 0.0) {
        return value;
    }
    const double sign = (randomEngine() & 1U) == 0 ? 1.0 : -1.0;
    return value + sign * value * percent / 100.0;
}
