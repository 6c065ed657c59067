#pragma once
// What the main window's controls do when the user works them, on the UI
// thread. Settings are stored and saved at once; what the worker must do is
// asked through the atomic requests of core/core_state.h, and a change the run
// cannot take on the fly (another simulator, a new packages path, a scan
// switched on before RealTraffic has connected) restarts the run. The
// actions of each kind of control: ui/check_box_actions.h,
// ui/combo_box_actions.h, ui/edit_box_actions.h.

#include "platform/window/win32_types.h"

// WM_COMMAND of the main window: the push buttons, then the check boxes,
// then the combo boxes; true when one handled the command. Otherwise, also
// when a handler throws (logged "lf_HandleWMCOMMAND exception {}"; what it
// changed before stays changed), the control panel is repainted and false
// returned.
bool gf_handleWmCommand(HWND hwnd, WPARAM wParam);
