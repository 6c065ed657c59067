#pragma once
// Draws one paint of a top-level window onto the window's pixmap, clipped
// to the paint's region.

#include <FL/x.H>

#include "platform/window/fltk/widgets.h"
#include "platform/window/impl/backend_interface.h"

class Fl_Surface_Device;

namespace platform::window::fltk {

class OffscreenPainter final : public impl::DrawSurface {
public:
    // A null window paints nothing.
    void begin(TopLevelWindow* window, const RECT& clip);
    void end();

    void fillRect(const RECT& rect, COLORREF colour) override;
    void line(POINT from, POINT to, COLORREF colour, int widthPx) override;
    void text(POINT at, std::u16string_view text, COLORREF colour, std::optional<COLORREF> background) override;

private:
    // FLTK's drawing state while the pixmap is the target, as
    // fl_begin_offscreen keeps it, but across the calls of one paint.
    bool active_ = false;
    Window savedTarget_ = 0;
    GC savedGc_ = nullptr;
    Fl_Surface_Device* savedSurface_ = nullptr;
};

}  // namespace platform::window::fltk
