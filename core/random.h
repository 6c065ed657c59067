#pragma once
// Random choices of liveries, stands and similar models. The RANDOM setting
// switches them off, so that a run can be repeated: then the first candidate
// is always taken and lists keep their order. Each thread draws from its own
// engine, so no lock is needed.

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

// This thread's engine, seeded from the system's random device when the
// thread first draws from it.
extern thread_local std::mt19937 randomEngine;

// An index below n: random while RANDOM is on and n >= 2, else 0. Empty for
// n == 0, where there is nothing to index.
std::optional<std::uint64_t> gf_randomIndex(std::uint64_t n);

// Shuffles the list while RANDOM is on; otherwise it keeps its order.
void gf_shuffleList(std::vector<std::string>& list);

// value plus or minus value x percent / 100, the sign drawn at random
// (whatever RANDOM says); value itself when percent <= 0.
double gf_randomizeByPercent(double value, double percent);
