#pragma once
// Reads a flight plan that a client names by its path. The path comes from
// the client, so only a regular file of bounded size is read: a device
// (/dev/zero, CON), a FIFO or pipe or a folder is refused at once, without
// blocking.

#include <cstddef>
#include <optional>
#include <string>

namespace sim {

// Flight plans are a few kilobytes; anything above this is refused.
inline constexpr std::size_t kMaxFlightPlanBytes = 1024 * 1024;

// The file's content, or nullopt when it is no regular file, is larger than
// kMaxFlightPlanBytes or cannot be read.
std::optional<std::string> readFlightPlanFile(const std::string& path);

}  // namespace sim
