#pragma once
// Seam: the stand names of the park airport that log lines write, until
// static parking is built; its own stand list replaces this file whole.

#include <cstdint>
#include <string>

// The name of the stand with the id in parkPositions; "sid==0?" for id 0,
// "unknown" when no stand has the id.
std::string gf_standName(std::uint32_t standId);
