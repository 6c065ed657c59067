#include "run/run_flags_seam.h"

std::atomic<bool> runStopRequested{false};
std::atomic<bool> userCloseRequested{false};
