#pragma once
// Text from a client. SimConnect's text fields are single-byte: a client may
// send UTF-8 or a code page such as Latin-1 ("Z\xFCrich"). The stand-in keeps
// its text as UTF-8, so that its state, journal and terminal lines can always
// be written.

#include <string>
#include <string_view>

namespace sim {

// Whole UTF-8 sequences stay as they are; every other byte is taken as
// Latin-1 and becomes the UTF-8 of that character.
std::string clientTextToUtf8(std::string_view text);

}  // namespace sim
