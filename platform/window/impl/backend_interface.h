#pragma once
// What the layer's core asks of a backend (FLTK, Win32 or headless).

#include <optional>
#include <string_view>

#include "platform/window/win32_types.h"

namespace platform::window::impl {

// Where a paint draws: the window's surface, clipped to the paint's region.
class DrawSurface {
public:
    virtual ~DrawSurface() = default;
    virtual void fillRect(const RECT& rect, COLORREF colour) = 0;
    virtual void line(POINT from, POINT to, COLORREF colour, int widthPx) = 0;
    // text is valid UTF-16; background is set for an OPAQUE cell.
    virtual void text(POINT at, std::u16string_view text, COLORREF colour,
                      std::optional<COLORREF> background) = 0;
};

class BackendImpl {
public:
    virtual ~BackendImpl() = default;

    // UI thread: a window was added to the registry / is about to leave it.
    // Children are destroyed before their parent.
    virtual void windowCreated(HWND hwnd) = 0;
    virtual void windowDestroyed(HWND hwnd) = 0;

    // Any thread, never waiting: a window's state changed (the registry
    // marked it) / a message was posted or a paint became due.
    virtual void stateChanged() = 0;
    virtual void wake() = 0;

    // UI thread. processPendingEvents shows changed state and handles the
    // user's input without waiting; waitForEvents then waits for input or a
    // wake that came after the last processPendingEvents.
    virtual void processPendingEvents() = 0;
    virtual void waitForEvents() = 0;

    // UI thread: the surface of one paint of a custom window.
    virtual DrawSurface& beginPaint(HWND hwnd, const RECT& clip) = 0;
    virtual void endPaint(HWND hwnd) = 0;
};

// The chosen backend; chooses automatically when none is chosen yet.
BackendImpl& currentBackend();

// The backends, built on first use on the calling (UI) thread. The display
// backend is this system's own: FLTK on the X display on Linux, USER32 and
// GDI32 on Windows; it is built after openDisplay has succeeded.
BackendImpl& headlessBackend();
BackendImpl& displayBackend();
// Opens the display for the display backend (once); false when it cannot be
// opened (on Linux: the X display of DISPLAY; Windows' desktop is always
// there).
bool openDisplay();

}  // namespace platform::window::impl
