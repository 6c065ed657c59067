#include "platform/window/fltk/conversions.h"

#include "platform/os/unicode.h"

namespace platform::window::fltk {

Fl_Color toFlColour(COLORREF colour) { return fl_rgb_color(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

std::string toUtf8(std::u16string_view text) { return platform::utf16ToUtf8(text).text; }

std::u16string fromUtf8(std::string_view text) { return platform::utf8ToUtf16(text).text; }

}  // namespace platform::window::fltk
