#pragma once
// What the main window's controls do when the user works them, on the UI
// thread: a check box is toggled and its setting saved; a pick in a combo
// box becomes the setting's value and is saved; the buttons and the "Block:"
// and "Oid:" boxes pass their requests to the worker; a new packages path
// or simulator, or a scan switched on before RealTraffic has connected,
// restarts the run.

#include <string>

#include "core/great_circle.h"
#include "platform/window/win32_types.h"

// WM_COMMAND of the main window: true when a control's command was handled.
// Otherwise, also when a handler throws (logged "lf_HandleWMCOMMAND
// exception {}"), the control panel is repainted and false returned.
bool gf_handleWmCommand(HWND hwnd, WPARAM wParam);

// The subclass procedure of the main window's edit boxes: Enter (WM_CHAR 13)
// is acted on; every message then goes on to the procedure the box had.
LRESULT gf_editBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// DESTINATION := the ICAO code, saved and shown, "New destination: {}"
// shown and logged, the airport made the first park airport, and "Re-read"
// disabled.
void gf_setDestination(const std::string& icao, GeoPosition position);
