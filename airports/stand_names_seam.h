#pragma once
// Seam: the stand names of the park airport that livery matching writes in
// its log lines, until static parking is built; its own stand list replaces
// this file whole. No stand file is loaded before then, so no id names a
// stand.

#include <cstdint>
#include <string>

// The name of the stand with the id; "sid==0?" for id 0, "unknown" when no
// stand has the id.
std::string gf_standName(std::uint32_t standId);
