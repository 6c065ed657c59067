#include "ui/status/control_texts.h"

#include <string>

#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/strings.h"
#include "core/text_conversion.h"
#include "platform/window/user32.h"
#include "ui/status/main_window.h"
#include "ui/status/window_updates.h"

namespace {

// The main window's control with that id; logged when missing.
HWND lf_findControl(std::uint16_t controlId) {
    const HWND control = GetDlgItem(MainWindow::hwnd, controlId);
    if (control == nullptr) {
        gf_writeLogPlain(fmtlib::format("GetDlgItem failed for ID {}", controlId));
    }
    return control;
}

// The text into the control with that id, and the control panel repainted.
void lf_showText(std::uint16_t controlId, const std::string& text) {
    const HWND control = lf_findControl(controlId);
    if (control == nullptr) {
        return;
    }
    try {
        SetWindowTextW(control, gf_utf8ToUtf16(text).c_str());
    } catch (const win32::Utf8ConversionException& error) {
        gf_writeLogPlain(fmtlib::format("Utf8ConversionException: {}", error.what()));
        return;
    }
    gf_repaint(WindowRegion::ControlPanel);
}

}  // namespace

void gf_setTbInt(const IntControlParameter& setting) { lf_showText(setting.controlId, std::to_string(setting.value)); }

void gf_setTbText(const StringControlParameter& setting) { lf_showText(setting.controlId, setting.value); }

void gf_setTbFloat(const FloatControlParameter& setting) {
    lf_showText(setting.controlId, gf_formatNumber(setting.value));
}

void gf_clearControlText(std::uint16_t controlId) {
    if (const HWND control = lf_findControl(controlId)) {
        SetWindowTextW(control, u"");
    }
}
