#pragma once
// The program's entry and what start-up keeps for the whole program. One
// instance per user: a second start ends at once with -1, touching nothing.
// Then Log.txt is opened and the main window runs on this thread until the
// worker ends the program (ui/gui.h).

#include <string>
#include <string_view>

#include "ui/window_entry.h"

// The named lock that keeps a second instance out (per user).
inline constexpr std::string_view kSingleInstanceName = "Local\\$Vantrel$";

// The program's entry. -1 when another instance of this user runs; else
// the exit code of the main window's message loop, once every thread of the
// program has ended.
int wWinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR commandLine, int showCommand);

// Forms a template whose two placeholders both take the product name:
// "{} must be run from the {} folder!" gives "Vantrel must be run from the
// Vantrel folder!".
std::string formatWithProductName(std::string_view text);
