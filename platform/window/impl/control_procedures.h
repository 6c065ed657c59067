#pragma once
// The built-in control classes and their window procedures, which keep each
// control's state in the registry and so serve every thread.

#include <optional>
#include <string_view>

#include "platform/window/impl/window_registry.h"
#include "platform/window/win32_types.h"

namespace platform::window::impl {

struct BuiltInClass {
    WindowKind kind;
    WNDPROC procedure;
};

// "button" (a check box with BS_CHECKBOX, else a push button), "Edit" and
// "ComboBox", the names compared without case; empty for any other name.
std::optional<BuiltInClass> builtInClass(std::u16string_view className, DWORD style);

// The text a window shows and GetWindowTextW gives: a combo box (a drop-down
// list, without text of its own) shows its selected item.
std::u16string_view shownText(const WindowState& state);

}  // namespace platform::window::impl
