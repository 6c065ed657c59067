#include "ui/controls.h"

#include <string>

#include "core/settings.h"
#include "core/text_conversion.h"
#include "platform/window/user32.h"
#include "ui/status/main_window.h"
#include "ui/status/parameter_controls.h"
#include "ui/status/window_updates.h"

namespace {

constexpr int kCheckBoxSizePx = 12;
constexpr int kCheckBoxOffsetPx = 2;  // below the row's top, to line up with the row's label
constexpr int kButtonHeightPx = 20;
constexpr int kEditBoxHeightPx = 16;
constexpr int kComboBoxOffsetPx = 5;  // above the row's top: a combo box is taller than its label

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

// Makes controls of one window, x and widths in client pixels.
struct ControlMaker {
    HWND parent;
    const CREATESTRUCTW* create;
    WNDPROC editBoxProcedure;

    void checkBox(BoolControlParameter& setting, int x) const { gf_createCheckBox(setting, parent, create, x); }
    void comboBox(ControlBinding& binding, int x, int width, int listHeight) const {
        gf_createComboBox(binding, parent, create, x, width, listHeight);
    }
    void editBox(ControlBinding& binding, int x, int width) const {
        gf_createEditBox(binding, parent, create, x, width, editBoxProcedure);
    }
    void button(ButtonControl& button, int x, int width) const { gf_createButton(button, parent, create, x, width); }
};

}  // namespace

void gf_createControls(HWND parent, const CREATESTRUCTW* create, WNDPROC editBoxProcedure) {
    const ControlMaker make{parent, create, editBoxProcedure};
    // In the order of their ids' table; rows are the settings' own.
    make.comboBox(SIM_CHOICE, 5, 105, 80);
    make.editBox(ALL_INSTALL_PATH, 111, 1200);  // runs past the window's right edge
    make.checkBox(SCAN_LIVERIES, 5);
    make.checkBox(LIG_AUTOMATIC, 217);
    make.comboBox(AI_PACKAGE_SELECTOR, 308, 125, 144);
    make.checkBox(LIG_PRIORITIZE, 450);
    make.checkBox(SUPPRESS_STUB, 536);
    make.checkBox(LOG, 652);
    make.checkBox(ALWAYS_ON_TOP, 748);
    make.checkBox(SCAN_AIRPORTS, 5);
    make.checkBox(NAV_LIGHTS_WHILE_PARKED, 652);
    make.checkBox(LEARN_SOFT, 748);
    make.comboBox(MATCHING_DEPTH, 217, 40, 120);
    make.checkBox(LIGHT_AIRCRAFT, 323);
    make.checkBox(HELICOPTERS, 430);
    make.checkBox(HIGH_PERF_AIRCRAFT, 536);
    make.checkBox(AEROWINX, 652);
    make.checkBox(GUID_CHANGES, 748);
    make.comboBox(RANGE, 217, 50, 200);
    make.checkBox(AUTO_RANGE, 323);
    make.comboBox(AR_ABOVE_HEIGHT, 455, 70, 230);
    make.checkBox(CALLSIGN_OBJECTIDS, 748);
    make.checkBox(COLLISION_USER_GND, 217);
    make.checkBox(COLLISION_USER_AIR, 323);
    make.checkBox(COLLISION_LIVE_PARKED_GND, 430);
    make.editBox(BLOCK_CALLSIGN, 217, 100);
    make.button(unblockButton, 323, 70);
    make.editBox(CALLSIGN_2_OBJECTID, 460, 95);
    make.comboBox(MAX_PARK_SEL, 323, 55, 144);
    make.comboBox(MAX_LIVE_SEL, 536, 55, 144);
    make.editBox(DESTINATION, 217, 50);
    make.comboBox(AIRP_RANGE, 353, 45, 144);
    make.comboBox(AIRP_HEIGHT, 566, 70, 230);
    make.checkBox(STRAIGHT_PBS_ONLY, 652);
    make.checkBox(PARK_FAKE, 5);
    make.checkBox(WEEK, 71);
    make.checkBox(PARK_SOFT, 151);
    make.editBox(parking_percentage, 323, 34);
    make.checkBox(INITIAL_LOAD_ONLY, 430);
    make.editBox(MAX_FIT_FL, 566, 34);
    make.button(reReadButton, 758, 90);
    make.button(flushStaticButton, 758, 90);
    InvalidateRect(parent, &MainWindow::controlPanelRect, TRUE);
}

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
    // Kept before the subclass is installed: other threads set the box's
    // text through it at any time, and it hands that on to the procedure
    // kept here.
    binding.previousWindowProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(editBox, GWLP_WNDPROC));
    SetWindowLongPtrW(editBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass));
}

void gf_createComboBox(ControlBinding& binding, HWND parent, const CREATESTRUCTW* create, int x, int width,
                       int listHeight) {
    const int top = binding.y - kComboBoxOffsetPx;
    lf_createControl(binding, parent, create, u"ComboBox", u"", WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
                     {x, top, x + width, top + listHeight});
}
