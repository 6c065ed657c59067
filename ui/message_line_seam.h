#pragma once
// Seam: the main window's message line, until the window is built. The
// window replaces this file; until then a message only reaches the log.

#include <string_view>

// Shows the text on the message line; with log set, a text that is not
// empty is also written to the log. Callable from any thread.
void gf_showMessage(std::string_view text, bool log);
