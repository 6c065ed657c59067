#include "ui/main_window_seam.h"

#include <array>
#include <string>

#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/parameter_controls.h"
#include "core/settings.h"
#include "core/text_conversion.h"
#include "core/threshold_steps.h"
#include "platform/window/user32.h"

IntParameter MainWindow::MAIN_WINDOW_X{"MAIN_WINDOW_X", 400, -30000, 30000};
IntParameter MainWindow::MAIN_WINDOW_Y{"MAIN_WINDOW_Y", 20, -30000, 30000};
constinit std::atomic<HWND> MainWindow::hwnd{nullptr};

namespace {

constexpr std::uint32_t kMetresPerNm = 1852;

// The panel of the controls in the client area.
constexpr RECT kControlPanel{0, 112, 880, 392};

constexpr int kCheckBoxSizePx = 12;
constexpr int kCheckBoxOffsetPx = 2;  // below the row's top, to line up with the row's text
constexpr int kButtonHeightPx = 20;
constexpr int kEditBoxHeightPx = 16;

HWND lf_createControl(ControlBinding& binding, HWND parent, const CREATESTRUCTW* create, const char16_t* className,
                      const std::u16string& text, DWORD style, RECT rect) {
    const HWND control =
        CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, parent,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(binding.controlId)),
                        create != nullptr ? create->hInstance : nullptr, nullptr);
    binding.window = control;
    return control;
}

// The control of the binding, found in the main window; logged when missing.
HWND lf_findControl(const ControlBinding& binding) {
    const HWND control = GetDlgItem(MainWindow::hwnd, binding.controlId);
    if (control == nullptr) {
        gf_writeLogPlain(fmtlib::format("GetDlgItem failed for ID {}", binding.controlId));
    }
    return control;
}

void lf_setText(HWND control, const std::string& text) {
    try {
        SetWindowTextW(control, gf_utf8ToUtf16(text).c_str());
    } catch (const win32::Utf8ConversionException& error) {
        gf_writeLogPlain(fmtlib::format("Utf8ConversionException: {}", error.what()));
    }
}

// (first value, choice), highest first.
constexpr std::array<ThresholdStep, 15> kRangeSteps = {{{90, 100}, {73, 80}, {57, 65}, {45, 50}, {38, 40},
                                                       {33, 35}, {28, 30}, {23, 25}, {19, 20}, {17, 18},
                                                       {15, 16}, {13, 14}, {11, 12}, {9, 10}, {7, 8}}};
constexpr std::array<ThresholdStep, 10> kAirportHeightStepsFt = {{{47000, 48000}, {27000, 36000}, {17000, 18000},
                                                                  {15000, 16000}, {13000, 14000}, {11000, 12000},
                                                                  {9000, 10000}, {7000, 8000}, {5000, 6000},
                                                                  {3000, 4000}}};

}  // namespace

void gf_createCheckBox(BoolControlParameter& setting, HWND parent, const CREATESTRUCTW* create, int x) {
    const int top = setting.y + kCheckBoxOffsetPx;
    lf_createControl(setting, parent, create, u"button", u"", BS_CHECKBOX,
                     {x, top, x + kCheckBoxSizePx, top + kCheckBoxSizePx});
    gf_setCheckBox(setting);
}

void gf_createButton(ButtonControl& button, HWND parent, const CREATESTRUCTW* create, int x, int width) {
    lf_createControl(button, parent, create, u"button", gf_utf8ToUtf16(button.name), BS_DEFPUSHBUTTON | WS_DISABLED,
                     {x, button.y, x + width, button.y + kButtonHeightPx});
}

void gf_createEditBox(ControlBinding& binding, HWND parent, const CREATESTRUCTW* create, int x, int width,
                      WNDPROC subclass) {
    const HWND editBox = lf_createControl(binding, parent, create, u"Edit", u"", WS_BORDER | WS_DISABLED,
                                          {x, binding.y, x + width, binding.y + kEditBoxHeightPx});
    binding.previousWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(editBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass)));
}

void gf_setTbInt(const IntControlParameter& setting) {
    if (const HWND control = lf_findControl(setting)) {
        lf_setText(control, std::to_string(setting.value));
        InvalidateRect(MainWindow::hwnd, &kControlPanel, TRUE);
    }
}

void gf_setTbText(const StringControlParameter& setting) {
    if (const HWND control = lf_findControl(setting)) {
        lf_setText(control, setting.value);
    }
}

std::uint32_t gf_setRadiusNm(int nm) {
    RANGE.value = RANGE.clamped(nm);
    gf_selectChoice(RANGE);
    trafficRadiusNm = static_cast<double>(nm);
    trafficRadiusMeters = static_cast<std::uint32_t>(nm) * kMetresPerNm;
    return trafficRadiusMeters;
}

int gf_snapToRangeChoice(int nm) { return gf_firstStepReached(nm, kRangeSteps, nm < 3 ? 2 : nm); }

int gf_snapToAirportHeightChoice(int feet) { return gf_firstStepReached(feet, kAirportHeightStepsFt, 2000); }
