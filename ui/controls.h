#pragma once
// The child controls of the main window, each bound to its setting through
// the setting's ControlBinding (control id = child-window id, row y, window,
// previous procedure of a subclassed edit box). The setters that show a
// setting's value in its control are in ui/status/control_texts.h.

#include "core/parameter.h"
#include "platform/window/win32_types.h"

// Makes the 42 controls of the main window on its WM_CREATE (parent and
// create struct), each at its place with its setting's control id, and
// repaints the control panel. Every edit box is subclassed with the
// procedure.
void gf_createControls(HWND parent, const CREATESTRUCTW* create, WNDPROC editBoxProcedure);

// Makers, called while the window is created (the parent and create struct
// of its WM_CREATE), x and width in client pixels, at the binding's row with
// its control id as child id. The binding keeps the control.
// A check box, 12 x 12 two pixels below the row, ticked by the value; it
// does not tick itself on a click.
void gf_createCheckBox(BoolControlParameter& setting, HWND parent, const CREATESTRUCTW* create, int x);
// A push button with its label, 20 high, created disabled.
void gf_createButton(ButtonControl& button, HWND parent, const CREATESTRUCTW* create, int x, int width);
// An edit box, 16 high, created disabled and subclassed at once with the
// procedure; the binding keeps the procedure it replaced.
void gf_createEditBox(ControlBinding& binding, HWND parent, const CREATESTRUCTW* create, int x, int width,
                      WNDPROC subclass);
// A drop-down list five pixels above the row, width x listHeight, enabled and
// empty: the worker's start-up fills it.
void gf_createComboBox(ControlBinding& binding, HWND parent, const CREATESTRUCTW* create, int x, int width,
                       int listHeight);
