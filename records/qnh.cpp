#include "records/qnh.h"

std::atomic<int> qnhForSim{kStandardQnhHpa};
