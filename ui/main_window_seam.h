#pragma once
// Seam: the main window's services that the settings call, until the main
// window is built. Each does the least the window promises; the window's
// own module replaces this file.

#include <atomic>
#include <cstdint>

#include "core/parameter.h"
#include "platform/window/win32_types.h"

struct MainWindow {
    // Where the window was last closed, screen pixels; read with the other
    // plain integer settings.
    static IntParameter MAIN_WINDOW_X;
    static IntParameter MAIN_WINDOW_Y;
    static std::atomic<HWND> hwnd;  // null until the window exists
};

// The controls of settings and buttons, made by the window while it is
// created (parent and create struct of its WM_CREATE), x and width in
// client pixels, at the binding's row with its control id as child id. The
// binding keeps the control.
// A check box, 12 x 12, ticked by the value.
void gf_createCheckBox(BoolControlParameter& setting, HWND parent, const CREATESTRUCTW* create, int x);
// A push button with its label, 20 high, created disabled.
void gf_createButton(ButtonControl& button, HWND parent, const CREATESTRUCTW* create, int x, int width);
// An edit box, 16 high, created disabled and subclassed at once with the
// procedure; the binding keeps the procedure it replaced.
void gf_createEditBox(ControlBinding& binding, HWND parent, const CREATESTRUCTW* create, int x, int width,
                      WNDPROC subclass);

// The setting's value into its control, found by id in the main window:
// decimal text (and the control panel repainted), or the text. A missing
// control logs "GetDlgItem failed for ID {}", text that cannot be converted
// "Utf8ConversionException: {}"; neither is passed on.
void gf_setTbInt(const IntControlParameter& setting);
void gf_setTbText(const StringControlParameter& setting);

// RANGE := nm within its limits, selected in its combo box when it is one of
// the choices; trafficRadiusNm := nm and trafficRadiusMeters := nm x 1852,
// from nm as given. Returns the metres.
std::uint32_t gf_setRadiusNm(int nm);

// Any radius onto the nearest sensible RANGE choice: below 3 gives 2, 3 to 6
// stay, 7 and 8 give 8, ..., 38 to 44 give 40, 45 to 56 give 50, 57 to 72
// give 65, 73 to 89 give 80, 90 and more give 100.
int gf_snapToRangeChoice(int nm);

// Feet onto the airport-height choices by the first threshold reached: 47000
// gives 48000, 27000 gives 36000, 17000 gives 18000, then every 2000 feet
// from 15000 (16000) down to 3000 (4000); below 3000, 2000.
int gf_snapToAirportHeightChoice(int feet);
