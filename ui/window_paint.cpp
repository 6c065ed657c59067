#include "ui/window_paint.h"

#include <mutex>
#include <string>

#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/text_conversion.h"
#include "platform/window/gdi32.h"
#include "ui/main_window.h"

namespace {

// COLORREF is 0x00BBGGRR.
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x32CD32;  // lime green
constexpr COLORREF kYellow = 0x00FFFF;

constexpr POINT kMessageTextAt{3, 455};

// The brushes of the panel, made once and kept for the program's life.
struct Brushes {
    HBRUSH red = CreateSolidBrush(kRed);
    HBRUSH green = CreateSolidBrush(kGreen);
};

const Brushes& lf_brushes() {
    static const Brushes brushes;
    return brushes;
}

// The UTF-8 text in the colour; a text that cannot be converted is logged
// and skipped.
void lf_drawText(HDC dc, POINT at, const std::string& text, COLORREF colour) {
    try {
        const std::u16string wide = gf_utf8ToUtf16(text);
        SetTextColor(dc, colour);
        TextOutW(dc, at.x, at.y, wide.c_str(), static_cast<int>(wide.size()));
    } catch (const win32::Utf8ConversionException& error) {
        gf_writeLogPlain(
            fmtlib::format("{} conversion exception {}, error code: {}", "lf_drawText", error.what(), error.errorCode));
    }
}

void lf_paintMessageLine(HDC dc) {
    const std::lock_guard lock(MainWindow::messageMutex);
    const bool error = !MainWindow::errorText.empty();
    FillRect(dc, &MainWindow::messageLineRect, error ? lf_brushes().red : lf_brushes().green);
    const std::string& text = error ? MainWindow::errorText : MainWindow::messageText;
    if (!text.empty()) {
        lf_drawText(dc, kMessageTextAt, text, kYellow);
    }
}

}  // namespace

void gf_paintWindow(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    lf_paintMessageLine(dc);
}
