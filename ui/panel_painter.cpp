#include "ui/panel_painter.h"

#include <array>
#include <utility>

#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/text_conversion.h"
#include "platform/window/gdi32.h"

namespace {

template <typename Handle, std::size_t count>
using ColourTable = std::array<std::pair<COLORREF, Handle>, count>;

// Made on first use and kept for the program's life, as GDI objects of a
// window that is never redrawn with other colours.
template <typename Handle, std::size_t count>
Handle lf_find(const ColourTable<Handle, count>& table, COLORREF colour) {
    for (const auto& [tableColour, handle] : table) {
        if (tableColour == colour) {
            return handle;
        }
    }
    return table.front().second;
}

HBRUSH lf_brush(COLORREF colour) {
    using namespace panelColour;
    static const ColourTable<HBRUSH, 5> brushes{{{black, CreateSolidBrush(black)},
                                                 {green, CreateSolidBrush(green)},
                                                 {yellow, CreateSolidBrush(yellow)},
                                                 {red, CreateSolidBrush(red)},
                                                 {controlArea, CreateSolidBrush(controlArea)}}};
    return lf_find(brushes, colour);
}

HPEN lf_pen(COLORREF colour) {
    using namespace panelColour;
    static const ColourTable<HPEN, 2> pens{{{black, CreatePen(PS_SOLID, 1, black)},
                                            {white, CreatePen(PS_SOLID, 1, white)}}};
    return lf_find(pens, colour);
}

}  // namespace

void PanelPainter::fill(const RECT& rect, COLORREF colour) const { FillRect(dc_, &rect, lf_brush(colour)); }

void PanelPainter::line(POINT from, POINT to, COLORREF colour) const {
    SelectObject(dc_, lf_pen(colour));
    MoveToEx(dc_, from.x, from.y, nullptr);
    LineTo(dc_, to.x, to.y);
}

void PanelPainter::text(int x, int y, const std::string& text, COLORREF colour) const {
    if (text.empty()) {
        return;
    }
    try {
        const std::u16string wide = gf_utf8ToUtf16(text);
        SetTextColor(dc_, colour);
        TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
    } catch (const win32::Utf8ConversionException& error) {
        gf_writeLogPlain(
            fmtlib::format("{} conversion exception {}, error code: {}", "lf_drawText", error.what(), error.errorCode));
    }
}

void PanelPainter::label(int x, int y, const std::string& text, bool enabled) const {
    this->text(x, y, text, enabled ? panelColour::black : panelColour::grey);
}
