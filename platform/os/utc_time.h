#pragma once
// A time as UTC calendar parts, thread-safe: gmtime_r on POSIX, gmtime_s on
// Windows.

#include <ctime>

namespace platform {

// False when the time cannot be broken down.
bool breakDownUtc(std::time_t time, std::tm& parts);

}  // namespace platform
