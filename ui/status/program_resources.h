#pragma once
// The program's resources: the string table entries and icon ids that the
// main window loads (on Windows a compiled resource script; here the start
// of the user interface fills the window layer's string table with them
// while the program's globals are built).

#include <string_view>

#include "platform/window/win32_types.h"

inline constexpr std::string_view kProductName = "Vantrel";
inline constexpr UINT kTitleStringId = 101;  // the window's title and class name: the product name
inline constexpr WORD kIconId = 100;         // large and small icon of the window class
