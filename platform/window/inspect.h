#pragma once
// A look at the state of a window or control as the layer keeps it, for
// tests of either backend: what the user would see.

#include <optional>
#include <string>
#include <vector>

#include "platform/window/win32_types.h"

namespace platform::window {

struct WindowSnapshot {
    HWND parent = nullptr;
    std::u16string className;  // as given to CreateWindowExW
    int id = 0;                // child id; 0 for a top-level window
    DWORD style = 0;
    // As created or moved: a top-level window's screen rectangle, caption
    // included; a child's rectangle in its parent's client area (for a combo
    // box the height is that of its open list).
    RECT rect{};
    std::u16string text;  // what GetWindowTextW gives: for a combo box its selected item
    UINT check = 0;       // BST_CHECKED or BST_UNCHECKED
    std::vector<std::u16string> items;  // a combo box's list
    int selection = -1;                 // a combo box's selected index, -1 for none
    bool enabled = true;
    bool visible = false;
    bool topmost = false;
};

std::optional<WindowSnapshot> inspectWindow(HWND hwnd);

// The children of a window in the order they were created.
std::vector<HWND> childWindows(HWND parent);

}  // namespace platform::window
