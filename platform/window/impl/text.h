#pragma once
// Text helpers of the Win32 calls: terminated UTF-16 strings in, copies into
// the caller's buffers out.

#include <string>
#include <string_view>

#include "platform/window/win32_types.h"

namespace platform::window::impl {

// The text a terminated string holds; empty for null.
std::u16string_view terminatedText(LPCWSTR text);

// Copies at most bufferMax - 1 characters and a terminating zero into
// buffer; the number of characters copied (0 for no buffer or bufferMax < 1).
int copyToBuffer(std::u16string_view text, LPWSTR buffer, int bufferMax);

// Equal, or a prefix, when ASCII letters are compared without case, as
// Windows compares class names and the prefixes of CB_SELECTSTRING.
bool equalsIgnoringCase(std::u16string_view left, std::u16string_view right);
bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);

}  // namespace platform::window::impl
