#pragma once
// Colours and text between the layer's Win32 forms and FLTK's.

#include <FL/Enumerations.H>

#include <string>
#include <string_view>

#include "platform/window/win32_types.h"

namespace platform::window::fltk {

Fl_Color toFlColour(COLORREF colour);

// FLTK shows UTF-8; text that is no valid UTF-16 shows as empty.
std::string toUtf8(std::u16string_view text);
// What the user typed (valid UTF-8) as UTF-16.
std::u16string fromUtf8(std::string_view text);

}  // namespace platform::window::fltk
