#pragma once
// Enter in one of the main window's six edit boxes (UI thread): a callsign
// to block, a callsign whose object id the worker looks up, the destination,
// the simulator's packages path, the target percentage of static parking and
// the longest fit of a static aircraft.

#include "platform/window/win32_types.h"

// The subclass procedure of the edit boxes: Enter (WM_CHAR 13) is acted on;
// the "Target: " and "Max fit:" boxes keep it (0), the others hand it on
// like every other message to the procedure the box had. An exception of an
// action is logged ("lf_editBoxProcedure exception {}") and the Enter
// handed on.
LRESULT gf_editBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Ends the blocking of the blocked callsign (saved, shown, "no more
// blocking of live aircraft '{}'"); nothing when none is blocked.
void gf_unblockCallsign();
