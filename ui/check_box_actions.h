#pragma once
// A click on one of the main window's check boxes (UI thread): the box is
// toggled by the program (it never ticks itself), the new state stored as
// its setting's value and saved to parameters.xml, then the box's own
// action: a message, a request to the worker or a restart of the run.

#include <cstdint>

#include "platform/window/win32_types.h"

// True when the control is one of the check boxes.
bool gf_handleCheckBoxes(HWND hwnd, std::uint16_t controlId);
