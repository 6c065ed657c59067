#include "ui/status/parameter_controls.h"

#include <algorithm>
#include <type_traits>

#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/text_conversion.h"
#include "platform/window/user32.h"

// The settings hold a control's window procedure without the window layer.
static_assert(std::is_same_v<ControlWindowProc, WNDPROC>);

namespace {

LPARAM lf_textArgument(const std::u16string& text) { return reinterpret_cast<LPARAM>(text.c_str()); }

void lf_addItem(HWND comboBox, const std::string& item) {
    SendMessageW(comboBox, CB_ADDSTRING, 0, lf_textArgument(gf_utf8ToUtf16(item)));
}

}  // namespace

void gf_setCheckBox(const BoolControlParameter& setting) {
    SendMessageW(setting.window, BM_SETCHECK, setting.value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void gf_selectChoice(const IntChoiceParameter& setting) {
    const auto chosen = std::find(setting.choices.begin(), setting.choices.end(), setting.value.load());
    if (chosen != setting.choices.end()) {
        SendMessageW(setting.window, CB_SETCURSEL, static_cast<WPARAM>(chosen - setting.choices.begin()), 0);
    }
}

void IntChoiceParameter::fillComboBox() const {
    const HWND comboBox = window;
    if (comboBox == nullptr) {
        return;
    }
    SendMessageW(comboBox, CB_RESETCONTENT, 0, 0);
    for (const std::int32_t choice : choices) {
        lf_addItem(comboBox, std::to_string(choice));
    }
    gf_selectChoice(*this);
}

void StringChoiceParameter::fillComboBox() const {
    const HWND comboBox = window;
    if (comboBox == nullptr) {
        return;
    }
    SendMessageW(comboBox, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
        lf_addItem(comboBox, item);
    }
    // The value comes from the file and may be no valid text; then nothing
    // is selected.
    try {
        const std::u16string wanted = gf_utf8ToUtf16(value);
        SendMessageW(comboBox, CB_SELECTSTRING, static_cast<WPARAM>(-1), lf_textArgument(wanted));
    } catch (const win32::Utf8ConversionException& error) {
        gf_writeLogPlain(fmtlib::format("Utf8ConversionException: {}", error.what()));
    }
}
