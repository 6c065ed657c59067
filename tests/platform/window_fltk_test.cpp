// The FLTK backend on a real X display (Xvfb in the test command): a window
// with a few controls, driven by the program from another thread and by the
// user, and a screenshot of it in the build folder.

// Google Test first: FLTK's drawing header brings Xlib's macros (None).
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <array>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "support/png_file.h"
#include "platform/support/window_fixture.h"
#include "platform/window/inspect.h"

namespace {

using vantrel::test::EnterSubclass;
using vantrel::test::WindowTest;

constexpr COLORREF kPanel = 0xFFCC99;
constexpr COLORREF kGreen = 0x32CD32;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr int kCheckBoxId = 0x801d;
constexpr int kComboId = 0x8032;
constexpr int kEditId = 0x8047;
constexpr int kButtonId = 0x805a;
constexpr UINT kDriven = WM_APP + 5;

class WindowFltkTest : public WindowTest {
protected:
    platform::window::Backend backend() const override { return platform::window::Backend::fltk; }

    // What the main window paints of its own: the panel, the message line
    // and their texts.
    static void paint(HWND hwnd) {
        static const HBRUSH panel = CreateSolidBrush(kPanel);
        static const HBRUSH green = CreateSolidBrush(kGreen);
        PAINTSTRUCT ps{};
        const HDC dc = BeginPaint(hwnd, &ps);
        const RECT panelRect{0, 112, 880, 392};
        const RECT messageLine{0, 448, 880, 476};
        FillRect(dc, &panelRect, panel);
        FillRect(dc, &messageLine, green);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kGreen);
        TextOutW(dc, 390, 7, u"Vantrel", 7);
        SetTextColor(dc, kYellow);
        TextOutW(dc, 3, 455, u"Close window button clicked, closing Vantrel ...", 48);
        SetTextColor(dc, 0);
        TextOutW(dc, 25, 147, u"Scan for liveries", 17);
        EndPaint(hwnd, &ps);
    }

    // The pixels of the window's client area, as X shows them.
    std::vector<std::uint8_t> screenshot(Fl_Window& window) {
        // Once the server has shown the window, draw it; reading the image is
        // a round trip to the server, which has done all drawing asked before.
        window.wait_for_expose();
        Fl::flush();
        window.make_current();
        std::unique_ptr<std::uint8_t[]> pixels(fl_read_image(nullptr, 0, 0, window.w(), window.h()));
        return {pixels.get(), pixels.get() + static_cast<std::ptrdiff_t>(window.w() * window.h() * 3)};
    }

    static std::array<std::uint8_t, 3> pixelAt(const std::vector<std::uint8_t>& rgb, int width, int x, int y) {
        const auto offset = static_cast<std::size_t>((y * width + x) * 3);
        return {rgb[offset], rgb[offset + 1], rgb[offset + 2]};
    }
};

TEST_F(WindowFltkTest, RealWindowShowsTheProgramsPaintAndControlsAndPassesOnTheUsersActions) {
    const HWND checkBox = createControl(u"button", BS_CHECKBOX, kCheckBoxId, {5, 149, 17, 161});
    const HWND combo = createControl(u"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, kComboId, {217, 226, 267, 426});
    const HWND edit = createControl(u"Edit", WS_BORDER, kEditId, {217, 343, 317, 359});
    const HWND button = createControl(u"button", BS_DEFPUSHBUTTON, kButtonId, {758, 369, 848, 389}, u"Flush static");
    handler_ = [](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_PAINT) {
            paint(hwnd);
            return 0;
        }
        if (message == WM_CTLCOLOREDIT) {
            return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
        }
        return message == WM_CLOSE ? std::optional<LRESULT>(0) : std::nullopt;
    };
    EnterSubclass::install(edit);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);

    // The program's other threads change the controls while the loop runs.
    std::thread worker([=, window = window_] {
        for (const char16_t* item : {u"20", u"25/30", u"40"}) {
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        SendMessageW(combo, CB_SETCURSEL, 1, 0);
        SendMessageW(checkBox, BM_SETCHECK, BST_CHECKED, 0);
        SetWindowTextW(edit, u"EDDF");
        EnableWindow(button, FALSE);
        const RECT messageLine{0, 448, 880, 476};
        InvalidateRect(window, &messageLine, TRUE);
        PostMessageW(window, kDriven, 0, 0);
    });
    runLoopUntil([](const MSG& message) { return message.message == kDriven; });
    worker.join();
    pumpPending();

    Fl_Window* shown = Fl::first_window();
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(shown->children(), 4);
    EXPECT_EQ((std::array{shown->w(), shown->h()}), (std::array{880, 516 - platform::window::kCaptionHeightPx}));
    auto* shownCheckBox = dynamic_cast<Fl_Button*>(shown->child(0));
    auto* shownCombo = dynamic_cast<Fl_Choice*>(shown->child(1));
    auto* shownEdit = dynamic_cast<Fl_Input*>(shown->child(2));
    auto* shownButton = dynamic_cast<Fl_Button*>(shown->child(3));
    ASSERT_TRUE(shownCheckBox && shownCombo && shownEdit && shownButton);
    EXPECT_EQ(shownCheckBox->value(), 1);
    EXPECT_EQ(shownCombo->value(), 1);
    EXPECT_STREQ(shownCombo->text(1), "25/30");
    EXPECT_STREQ(shownEdit->value(), "EDDF");
    EXPECT_EQ(shownButton->active(), 0);
    EXPECT_STREQ(shownButton->label(), "Flush static");

    const auto pixels = screenshot(*shown);
    ASSERT_TRUE(vantrel::test::writePng(VANTREL_BINARY_DIR "/window_fltk_screenshot.png", shown->w(), shown->h(),
                                        pixels));
    EXPECT_EQ(pixelAt(pixels, shown->w(), 860, 200), (std::array<std::uint8_t, 3>{0x99, 0xCC, 0xFF}));
    EXPECT_EQ(pixelAt(pixels, shown->w(), 870, 470), (std::array<std::uint8_t, 3>{0x32, 0xCD, 0x32}));
    EXPECT_EQ(pixelAt(pixels, shown->w(), 860, 50), (std::array<std::uint8_t, 3>{0, 0, 0}));

    // The user's actions: a click on the check box, a pick in the list,
    // typing and Enter in the edit box, the close button.
    received_.clear();
    shownCheckBox->do_callback();
    shownCombo->value(2);
    shownCombo->do_callback();
    shownEdit->value("LOWW");
    shownEdit->do_callback();
    Fl::e_keysym = FL_Enter;
    shownEdit->handle(FL_KEYBOARD);
    shown->do_callback();
    pumpPending();
    std::vector<std::pair<UINT, WPARAM>> messages;
    for (const MSG& message : received_) {
        if (message.message == WM_COMMAND || message.message == WM_CLOSE) {
            messages.emplace_back(message.message, message.wParam);
        }
    }
    EXPECT_EQ(messages, (std::vector<std::pair<UINT, WPARAM>>{{WM_COMMAND, MAKEWPARAM(kCheckBoxId, BN_CLICKED)},
                                                             {WM_COMMAND, MAKEWPARAM(kComboId, CBN_SELCHANGE)},
                                                             {WM_CLOSE, 0}}));
    EXPECT_EQ(IsDlgButtonChecked(window_, kCheckBoxId), BST_CHECKED);  // a click alone ticks nothing
    EXPECT_EQ(shownCheckBox->value(), 1);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(platform::window::inspectWindow(edit)->text, u"LOWW");
    EXPECT_EQ(EnterSubclass::enters, 1);

    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    pumpPending();
    EXPECT_EQ(shownCombo->value(), -1);
}

}  // namespace
