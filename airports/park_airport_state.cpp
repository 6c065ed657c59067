#include "airports/park_airport_state.h"

std::atomic<bool> parkingActive{false};
bool learnSoftAllowed = false;
QualityFactors parkQualityFactors;
std::atomic<std::uint32_t> userMaxLiveSel{500};
std::atomic<bool> userLearnSoft{true};
