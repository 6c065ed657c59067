#pragma once
// The message line: the strip at the bottom of the main window in which
// every subsystem, from any thread, shows a message (on green) or an error
// (on red). Each function takes MainWindow::messageMutex, changes the texts
// and only invalidates the line; the UI thread draws it on WM_PAINT. The log
// mutex may be taken while the message-line mutex is held, never the other
// way round, so none of these may be called while holding the log mutex.

#include <string_view>

// Shows the UTF-8 text, stamped with MainWindow::updateCounter (at least 1)
// so that it clears itself 25 work cycles later; an empty text is never
// cleared by itself. With log set, a text that is not empty is also written
// to the log (not while the run is closing). Dropped while an error is
// shown.
void gf_showMessage(std::string_view text, bool log);

// Empties the message line (stamp 0); logs nothing. Kept off while an error
// is shown.
void gf_clearMessage();

// Shows the text on red and logs "Error {}"; empties the message. Every
// message is dropped until the error is cleared.
void gf_showError(std::string_view text);

// Ends the error on red, so that messages show again; the message line is
// left empty.
void gf_clearError();

// The worker's one-second work cycle: counts MainWindow::updateCounter up
// and clears the message whose 25 cycles are over (stamp + 25 reached).
void gf_countUpdateCycle();
