#include "platform/window/fltk/offscreen_painter.h"

#include <FL/Fl_Device.H>
#include <FL/fl_draw.H>

#include <string>

#include "platform/window/fltk/conversions.h"

namespace {

// The DC's default font stands in for Windows' system font (a 16-pixel
// cell): at 13 pixels every label of the main window fits the room the
// window's layout leaves it before the next control.
constexpr Fl_Font kTextFont = FL_HELVETICA;
constexpr Fl_Fontsize kTextSizePx = 13;

int lf_stepTowards(LONG from, LONG to) { return from < to ? 1 : (from > to ? -1 : 0); }

}  // namespace

namespace platform::window::fltk {

void OffscreenPainter::begin(TopLevelWindow* window, const RECT& clip) {
    if (window == nullptr) {
        return;
    }
    const Fl_Offscreen target = window->surface();
    savedTarget_ = fl_window;
    fl_window = target;
    savedGc_ = fl_gc;
    if (savedGc_ == nullptr) {
        fl_gc = XCreateGC(fl_display, target, 0, nullptr);
    }
    savedSurface_ = Fl_Surface_Device::surface();
    Fl_Display_Device::display_device()->set_current();
    fl_push_no_clip();
    fl_push_clip(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
    active_ = true;
}

void OffscreenPainter::end() {
    if (!active_) {
        return;
    }
    fl_pop_clip();
    fl_pop_clip();
    fl_window = savedTarget_;
    savedSurface_->set_current();
    if (savedGc_ == nullptr) {
        XFreeGC(fl_display, fl_gc);
    }
    fl_gc = savedGc_;
    active_ = false;
}

void OffscreenPainter::fillRect(const RECT& rect, COLORREF colour) {
    if (!active_ || rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    fl_color(toFlColour(colour));
    fl_rectf(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// LineTo leaves out the end point; FLTK draws it, so a horizontal or
// vertical line ends one pixel short. A line of no length draws nothing.
void OffscreenPainter::line(POINT from, POINT to, COLORREF colour, int widthPx) {
    if (!active_ || (from.x == to.x && from.y == to.y)) {
        return;
    }
    if (from.x == to.x || from.y == to.y) {
        to = POINT{to.x - lf_stepTowards(from.x, to.x), to.y - lf_stepTowards(from.y, to.y)};
    }
    fl_color(toFlColour(colour));
    fl_line_style(FL_SOLID, widthPx);
    fl_line(from.x, from.y, to.x, to.y);
    fl_line_style(0);
}

void OffscreenPainter::text(POINT at, std::u16string_view text, COLORREF colour,
                            std::optional<COLORREF> background) {
    if (!active_) {
        return;
    }
    const std::string utf8 = toUtf8(text);
    fl_font(kTextFont, kTextSizePx);
    if (background) {
        fl_color(toFlColour(*background));
        fl_rectf(at.x, at.y, static_cast<int>(fl_width(utf8.c_str())), fl_height());
    }
    fl_color(toFlColour(colour));
    fl_draw(utf8.c_str(), at.x, at.y + fl_height() - fl_descent());
}

}  // namespace platform::window::fltk
