#pragma once
// Readable texts of socket error codes (Winsock's numbering) for the
// program's messages.

#include <cstdint>
#include <string>

// "10048 Address already in use"; "{code} Unknown errror code" for a code
// without a text.
std::string gf_winsockErrorText(std::uint32_t code);
