#pragma once
// Numbers as RealTraffic's datagrams write them, read in place from the
// start of a field without copying it. Text after the number is ignored.
// Only plain decimal numbers count: no leading blank, no plus sign, and
// never "nan" or "inf", which would slip through every range check.

#include <cstdint>
#include <optional>
#include <string_view>

// Digits with an optional leading minus, an optional fraction and exponent:
// "-12.5e2x" gives -1250; ".5" gives 0.5; empty when the field does not
// begin with such a number or its value lies beyond a double.
std::optional<double> gf_readDecimal(std::string_view field);

// Digits only: "12ab" gives 12; empty for no digit at the start or a value
// above 4294967295.
std::optional<std::uint32_t> gf_readUnsigned32(std::string_view field);

// An optional minus and digits: "1013hPa" gives 1013; empty for no digit at
// the start or a value beyond an int.
std::optional<int> gf_readLeadingInt(std::string_view field);
