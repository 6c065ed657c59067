#pragma once
// What the real USER32 windows show, read and worked as another program or
// the user would: by class and title, through the real handles. No Win32
// names here, so the tests that speak the window layer's names can use it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::test {

struct RealControl {
    std::u16string className;  // as GetClassNameW gives it
    int id = 0;
    std::u16string text;  // GetWindowTextW: for a drop-down list its selected item
    bool enabled = false;
    bool visible = false;
    bool checked = false;
    std::vector<std::u16string> items;  // a combo box's list
    int selection = -1;
    // In the parent's client area; a combo box shows one line.
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct RealWindow {
    int left = 0;  // the frame's top-left corner on the screen
    int top = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    bool visible = false;
    bool topmost = false;
    std::vector<RealControl> controls;  // in the order of EnumChildWindows

    // The control with this id; null when there is none.
    const RealControl* control(int id) const;
};

std::optional<RealWindow> findRealWindow(std::u16string_view className, std::u16string_view title);

// The client area's pixels as the window shows them: width x height pixels
// of red, green and blue, row by row.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    std::uint32_t pixel(int x, int y) const;  // 0xRRGGBB
};
std::optional<Screenshot> screenshotOf(std::u16string_view className, std::u16string_view title);

// The user's input on the real window and its controls (the control by id):
// a mouse click's BM_CLICK on a button, the Down key on a drop-down list,
// typed characters replacing an edit box's text, the Enter key, the close
// box (SC_CLOSE), dragging the window to x, y. False when the window or
// control is not there.
struct RealInput {
    std::u16string_view className;
    std::u16string_view title;
    bool click(int id) const;
    bool pressDown(int id) const;
    bool type(int id, std::u16string_view text) const;
    bool pressEnter(int id) const;
    bool closeBox() const;
    bool moveTo(int x, int y) const;
};

}  // namespace vantrel::test
