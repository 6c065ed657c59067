#pragma once
// rt-peer's standard output: one line per event, from any of its threads,
// flushed at once so that a test reading it sees each event as it happens.

#include <string_view>

namespace rtpeer {

void say(std::string_view line);

}  // namespace rtpeer
