#pragma once
// The program's string table, which LoadStringW reads: on Windows it is a
// compiled resource, here the program fills it at start.

#include <string_view>

#include "platform/window/win32_types.h"

namespace platform::window {

// Any thread; a later call for the same id replaces the text.
void setStringResource(UINT id, std::u16string_view text);

}  // namespace platform::window
