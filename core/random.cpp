#include "core/random.h"

#include <algorithm>

#include "core/settings.h"

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
