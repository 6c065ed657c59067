// The Win32 backend on Windows' own desktop (under Wine on Xvfb in the test
// command): a window with the main window's kinds of controls, driven by the
// program from another thread and by the user on the real controls, read
// back through the real window handles, and a screenshot of it in the build
// folder.

#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

#include "platform/support/window_fixture.h"
#include "platform/window/inspect.h"
#include "support/png_file.h"
#include "windows/support/real_windows.h"

namespace {

using vantrel::test::EnterSubclass;
using vantrel::test::findRealWindow;
using vantrel::test::RealControl;
using vantrel::test::RealInput;
using vantrel::test::screenshotOf;
using vantrel::test::WindowTest;

constexpr COLORREF kPanel = 0xFFCC99;
constexpr COLORREF kGreen = 0x32CD32;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr int kCheckBoxId = 0x801d;
constexpr int kComboId = 0x8032;
constexpr int kEditId = 0x8047;
constexpr int kButtonId = 0x805a;
constexpr UINT kDriven = WM_APP + 5;
// The fixture's window, as other programs find it.
constexpr std::u16string_view kClass = u"VantrelTestWindow";
constexpr std::u16string_view kTitle = u"Vantrel test";

class WindowWin32Test : public WindowTest {
protected:
    platform::window::Backend backend() const override { return platform::window::Backend::win32; }

    void SetUp() override {
        WindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        checkBox_ = createControl(u"button", BS_CHECKBOX, kCheckBoxId, {5, 149, 17, 161});
        combo_ = createControl(u"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, kComboId, {217, 226, 267, 426});
        edit_ = createControl(u"Edit", WS_BORDER, kEditId, {217, 343, 317, 359});
        button_ = createControl(u"button", BS_DEFPUSHBUTTON, kButtonId, {758, 369, 848, 389}, u"Flush static");
        handler_ = [](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (message == WM_PAINT) {
                paint(hwnd);
                return 0;
            }
            if (message == WM_CTLCOLOREDIT) {
                static const HBRUSH yellow = CreateSolidBrush(kYellow);
                return reinterpret_cast<LRESULT>(yellow);
            }
            return message == WM_CLOSE ? std::optional<LRESULT>(0) : std::nullopt;
        };
        EnterSubclass::install(edit_);
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
    }

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
        SelectObject(dc, GetStockObject(BLACK_PEN));
        MoveToEx(dc, 0, 140, nullptr);
        LineTo(dc, 880, 140);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kGreen);
        TextOutW(dc, 390, 7, u"Vantrel", 7);
        SetTextColor(dc, kYellow);
        TextOutW(dc, 3, 455, u"Close window button clicked, closing Vantrel ...", 48);
        SetTextColor(dc, 0);
        TextOutW(dc, 25, 147, u"Scan for liveries", 17);
        EndPaint(hwnd, &ps);
    }

    // The program's other threads change the controls while the UI thread
    // waits for them to end, as it does when it joins the worker: none of
    // these calls may wait for the UI thread.
    void changeFromAnotherThreadWhileJoiningIt() {
        std::thread worker([this] {
            for (const char16_t* item : {u"20", u"25/30", u"40"}) {
                SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            }
            SendMessageW(combo_, CB_SETCURSEL, 1, 0);
            SendMessageW(checkBox_, BM_SETCHECK, BST_CHECKED, 0);
            SetWindowTextW(edit_, u"EDDF");
            EnableWindow(button_, FALSE);
            const RECT messageLine{0, 448, 880, 476};
            InvalidateRect(window_, &messageLine, TRUE);
            PostMessageW(window_, kDriven, 0, 0);
        });
        worker.join();
        runLoopUntil([](const MSG& message) { return message.message == kDriven; });
        pumpPending();
    }

    HWND checkBox_ = nullptr;
    HWND combo_ = nullptr;
    HWND edit_ = nullptr;
    HWND button_ = nullptr;
    RealInput input_{kClass, kTitle};
};

TEST_F(WindowWin32Test, RealWindowShowsTheProgramsControlsAndPaint) {
    changeFromAnotherThreadWhileJoiningIt();

    const auto real = findRealWindow(kClass, kTitle);
    ASSERT_TRUE(real);
    EXPECT_TRUE(real->visible);
    // The client area keeps the size the program's layout is made for.
    EXPECT_EQ((std::pair{real->clientWidth, real->clientHeight}),
              (std::pair{880, 516 - platform::window::kCaptionHeightPx}));
    ASSERT_EQ(real->controls.size(), 4U);
    std::vector<std::u16string> classes;
    for (const RealControl& control : real->controls) {
        classes.push_back(control.className);
    }
    EXPECT_EQ(classes, (std::vector<std::u16string>{u"Button", u"ComboBox", u"Edit", u"Button"}));

    const RealControl* checkBox = real->control(kCheckBoxId);
    const RealControl* combo = real->control(kComboId);
    const RealControl* edit = real->control(kEditId);
    const RealControl* button = real->control(kButtonId);
    ASSERT_TRUE(checkBox && combo && edit && button);
    EXPECT_TRUE(checkBox->checked);
    EXPECT_EQ((std::vector{checkBox->left, checkBox->top, checkBox->right, checkBox->bottom}),
              (std::vector{5, 149, 17, 161}));
    EXPECT_EQ(combo->items, (std::vector<std::u16string>{u"20", u"25/30", u"40"}));
    EXPECT_EQ(combo->selection, 1);
    EXPECT_EQ(combo->text, u"25/30");
    EXPECT_EQ(edit->text, u"EDDF");
    EXPECT_TRUE(edit->enabled);
    EXPECT_EQ(button->text, u"Flush static");
    EXPECT_FALSE(button->enabled);
    EXPECT_TRUE(button->visible);

    const auto shot = screenshotOf(kClass, kTitle);
    ASSERT_TRUE(shot);
    ASSERT_TRUE(vantrel::test::writePng(VANTREL_BINARY_DIR "/window_win32_screenshot.png", shot->width, shot->height,
                                        shot->rgb));
    EXPECT_EQ(shot->pixel(860, 200), 0x99CCFFU);  // the panel
    EXPECT_EQ(shot->pixel(870, 470), 0x32CD32U);  // the message line
    EXPECT_EQ(shot->pixel(860, 50), 0U);          // the class brush
    EXPECT_EQ(shot->pixel(860, 140), 0U);         // a separator line
    EXPECT_EQ(shot->pixel(312, 351), 0xFFFF00U);  // the edit box in the colour its parent gave
}

TEST_F(WindowWin32Test, UsersInputOnTheRealControlsReachesTheProgram) {
    changeFromAnotherThreadWhileJoiningIt();
    received_.clear();

    ASSERT_TRUE(input_.click(kCheckBoxId));
    ASSERT_TRUE(input_.pressDown(kComboId));
    ASSERT_TRUE(input_.type(kEditId, u"LOWW"));
    ASSERT_TRUE(input_.pressEnter(kEditId));
    ASSERT_TRUE(input_.closeBox());
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
    // A click alone ticks nothing: the program decides.
    EXPECT_EQ(IsDlgButtonChecked(window_, kCheckBoxId), BST_CHECKED);
    EXPECT_EQ(SendMessageW(combo_, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(platform::window::inspectWindow(edit_)->text, u"LOWW");
    EXPECT_EQ(EnterSubclass::enters, 1);

    // The program's answer shows on the real control again.
    SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    CheckDlgButton(window_, kCheckBoxId, BST_UNCHECKED);
    pumpPending();
    const auto real = findRealWindow(kClass, kTitle);
    ASSERT_TRUE(real);
    ASSERT_TRUE(real->control(kComboId) && real->control(kCheckBoxId));
    EXPECT_EQ(real->control(kComboId)->selection, -1);
    EXPECT_FALSE(real->control(kCheckBoxId)->checked);
}

TEST_F(WindowWin32Test, MovesGoBothWaysAndTopmostAndDestroyingReachTheRealWindow) {
    pumpPending();
    ASSERT_TRUE(input_.moveTo(120, 90));
    pumpPending();
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window_, &rect));
    EXPECT_EQ((std::pair{rect.left, rect.top}), (std::pair{120, 90}));

    SetWindowPos(window_, HWND_TOPMOST, 200, 150, 0, 0, SWP_NOSIZE);
    pumpPending();
    auto real = findRealWindow(kClass, kTitle);
    ASSERT_TRUE(real);
    EXPECT_EQ((std::pair{real->left, real->top}), (std::pair{200, 150}));
    EXPECT_TRUE(real->topmost);

    ShowWindow(edit_, SW_HIDE);
    pumpPending();
    real = findRealWindow(kClass, kTitle);
    ASSERT_TRUE(real);
    ASSERT_NE(real->control(kEditId), nullptr);
    EXPECT_FALSE(real->control(kEditId)->visible);

    DestroyWindow(window_);
    window_ = nullptr;
    pumpPending();
    EXPECT_FALSE(findRealWindow(kClass, kTitle));
}

}  // namespace
