// The built-in controls of the window layer (combo boxes, check boxes,
// push buttons, edit boxes) on the headless backend: their Win32 semantics,
// what the user's actions deliver, and their use from several threads.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/support/window_fixture.h"
#include "platform/window/inspect.h"
#include "platform/window/user_input.h"

namespace {

using vantrel::test::EnterSubclass;
using vantrel::test::WindowTest;

constexpr int kComboId = 0x8016;
constexpr int kCheckBoxId = 0x801d;
constexpr int kButtonId = 0x805a;
constexpr int kEditId = 0x8047;

std::u16string lf_windowText(HWND hwnd) {
    std::array<char16_t, 256> buffer{};
    return {buffer.data(), static_cast<std::size_t>(GetWindowTextW(hwnd, buffer.data(), 256))};
}

std::vector<MSG> lf_commands(const std::vector<MSG>& received) {
    std::vector<MSG> commands;
    std::ranges::copy_if(received, std::back_inserter(commands),
                         [](const MSG& message) { return message.message == WM_COMMAND; });
    return commands;
}

class WindowControlsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        combo_ = createControl(u"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kComboId, {5, 114, 110, 194});
        checkBox_ = createControl(u"button", BS_CHECKBOX, kCheckBoxId, {5, 149, 17, 161});
        button_ = createControl(u"button", BS_DEFPUSHBUTTON | WS_DISABLED, kButtonId, {758, 369, 848, 389},
                                u"Flush static");
        edit_ = createControl(u"Edit", WS_BORDER | WS_DISABLED, kEditId, {217, 343, 267, 359});
        ASSERT_TRUE(combo_ && checkBox_ && button_ && edit_);
    }

    HWND combo_ = nullptr;
    HWND checkBox_ = nullptr;
    HWND button_ = nullptr;
    HWND edit_ = nullptr;
};

struct ComboStep {
    const char* what;
    UINT message;
    WPARAM wParam;
    const char16_t* text;  // lParam
    LRESULT result;
    int selection;         // CB_GETCURSEL afterwards
    const char16_t* shown; // GetWindowTextW afterwards
};

TEST_F(WindowControlsTest, ComboBoxAnswersEachMessageAsWindowsDoes) {
    const WPARAM none = static_cast<WPARAM>(-1);
    const std::vector<ComboStep> steps = {
        {"add appends and gives the index", CB_ADDSTRING, 0, u"MSFS 2020", 0, CB_ERR, u""},
        {"second item", CB_ADDSTRING, 0, u"MSFS 2024", 1, CB_ERR, u""},
        {"third item", CB_ADDSTRING, 0, u"AIG, FSLTL, JF", 2, CB_ERR, u""},
        {"select by index", CB_SETCURSEL, 1, nullptr, 1, 1, u"MSFS 2024"},
        {"an index past the end clears the selection", CB_SETCURSEL, 5, nullptr, CB_ERR, CB_ERR, u""},
        {"a prefix, without case, from the top", CB_SELECTSTRING, none, u"msfs", 0, 0, u"MSFS 2020"},
        {"the search starts after the start index", CB_SELECTSTRING, 0, u"MSFS", 1, 1, u"MSFS 2024"},
        {"and wraps round to the top", CB_SELECTSTRING, 1, u"MSFS", 0, 0, u"MSFS 2020"},
        {"the whole text matches as well", CB_SELECTSTRING, none, u"AIG, FSLTL, JF", 2, 2, u"AIG, FSLTL, JF"},
        {"only a prefix matches; no match keeps the selection", CB_SELECTSTRING, none, u"2020", CB_ERR, 2,
         u"AIG, FSLTL, JF"},
        {"a drop-down list takes no text", WM_SETTEXT, 0, u"typed", CB_ERR, 2, u"AIG, FSLTL, JF"},
        {"the count", CB_GETCOUNT, 0, nullptr, 3, 2, u"AIG, FSLTL, JF"},
        {"an item's length", CB_GETLBTEXTLEN, 2, nullptr, 14, 2, u"AIG, FSLTL, JF"},
        {"no item there", CB_GETLBTEXTLEN, 3, nullptr, CB_ERR, 2, u"AIG, FSLTL, JF"},
        {"reset empties the list and the selection", CB_RESETCONTENT, 0, nullptr, 0, CB_ERR, u""},
        {"an empty list has nothing to select", CB_SETCURSEL, 0, nullptr, CB_ERR, CB_ERR, u""},
    };
    for (const ComboStep& step : steps) {
        SCOPED_TRACE(step.what);
        EXPECT_EQ(SendMessageW(combo_, step.message, step.wParam, reinterpret_cast<LPARAM>(step.text)), step.result);
        EXPECT_EQ(SendMessageW(combo_, CB_GETCURSEL, 0, 0), step.selection);
        EXPECT_EQ(lf_windowText(combo_), step.shown);
    }
}

TEST_F(WindowControlsTest, ComboBoxGivesItemTextsAndTellsTheParentWhatTheUserPicked) {
    for (const char16_t* item : {u"10", u"25", u"50"}) {
        SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    std::array<char16_t, 256> buffer{};
    EXPECT_EQ(SendMessageW(combo_, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(buffer.data())), 2);
    EXPECT_EQ(std::u16string_view(buffer.data()), u"25");
    EXPECT_EQ(SendMessageW(combo_, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(buffer.data())), CB_ERR);

    EXPECT_FALSE(platform::window::pickComboItem(combo_, 3));
    ASSERT_TRUE(platform::window::pickComboItem(combo_, 2));
    ASSERT_TRUE(platform::window::pickComboItem(combo_, 2));  // the same entry again notifies again
    pumpPending();
    EXPECT_EQ(SendMessageW(combo_, CB_GETCURSEL, 0, 0), 2);
    const auto commands = lf_commands(received_);
    ASSERT_EQ(commands.size(), 2U);
    for (const MSG& command : commands) {
        EXPECT_EQ(LOWORD(command.wParam), kComboId);
        EXPECT_EQ(HIWORD(command.wParam), CBN_SELCHANGE);
        EXPECT_EQ(reinterpret_cast<HWND>(command.lParam), combo_);
    }

    EnableWindow(combo_, FALSE);
    EXPECT_FALSE(platform::window::pickComboItem(combo_, 0));
    EXPECT_EQ(SendMessageW(combo_, CB_GETCURSEL, 0, 0), 2);
}

TEST_F(WindowControlsTest, CheckBoxTicksOnlyWhenToldAndAClickOnlyNotifies) {
    EXPECT_EQ(IsDlgButtonChecked(window_, kCheckBoxId), BST_UNCHECKED);
    EXPECT_EQ(CheckDlgButton(window_, kCheckBoxId, BST_CHECKED), TRUE);
    EXPECT_EQ(SendMessageW(checkBox_, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(checkBox_, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(IsDlgButtonChecked(window_, kCheckBoxId), BST_UNCHECKED);

    ASSERT_TRUE(platform::window::clickControl(checkBox_));
    pumpPending();
    EXPECT_EQ(IsDlgButtonChecked(window_, kCheckBoxId), BST_UNCHECKED);
    const auto commands = lf_commands(received_);
    ASSERT_EQ(commands.size(), 1U);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(kCheckBoxId, BN_CLICKED));
    EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), checkBox_);

    // A push button has no check.
    SendMessageW(button_, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(IsDlgButtonChecked(window_, kButtonId), BST_UNCHECKED);
    EXPECT_EQ(CheckDlgButton(window_, 0x7777, BST_CHECKED), FALSE);
}

TEST_F(WindowControlsTest, DisabledControlsIgnoreTheUserUntilEnabled) {
    EXPECT_EQ(IsWindowEnabled(button_), FALSE);
    EXPECT_FALSE(platform::window::clickControl(button_));
    EXPECT_FALSE(platform::window::pressEnter(edit_));
    EXPECT_FALSE(platform::window::editText(edit_, u"EDDF"));
    EXPECT_TRUE(platform::window::inspectWindow(checkBox_)->enabled);

    EXPECT_EQ(EnableWindow(button_, TRUE), TRUE);  // it was disabled
    EXPECT_EQ(EnableWindow(button_, TRUE), FALSE);
    EXPECT_EQ(EnableWindow(checkBox_, FALSE), FALSE);
    EXPECT_EQ(IsWindowEnabled(checkBox_), FALSE);
    EXPECT_FALSE(platform::window::clickControl(checkBox_));
    ASSERT_TRUE(platform::window::clickControl(button_));
    pumpPending();
    const auto commands = lf_commands(received_);
    ASSERT_EQ(commands.size(), 1U);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(kButtonId, BN_CLICKED));
}

TEST_F(WindowControlsTest, SubclassedEditBoxGetsEnterAndHandsOnTheRest) {
    EnableWindow(edit_, TRUE);
    const LONG_PTR builtIn = GetWindowLongPtrW(edit_, GWLP_WNDPROC);
    EnterSubclass::install(edit_);
    ASSERT_NE(EnterSubclass::previous, nullptr);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(EnterSubclass::previous), builtIn);
    EXPECT_EQ(GetWindowLongPtrW(edit_, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&EnterSubclass::procedure));

    ASSERT_TRUE(platform::window::editText(edit_, u"eddf"));
    ASSERT_TRUE(platform::window::pressEnter(edit_));
    pumpPending();
    EXPECT_EQ(EnterSubclass::enters, 1);
    EXPECT_EQ(lf_windowText(edit_), u"eddf");

    EXPECT_EQ(SetWindowTextW(edit_, u"EDDF"), TRUE);
    EXPECT_EQ(GetWindowTextLengthW(edit_), 4);
    std::array<char16_t, 3> small{};
    EXPECT_EQ(GetWindowTextW(edit_, small.data(), static_cast<int>(small.size())), 2);
    EXPECT_EQ(std::u16string_view(small.data()), u"ED");
    EXPECT_EQ(lf_windowText(edit_), u"EDDF");
    EXPECT_EQ(EnterSubclass::seen, (std::vector<UINT>{WM_CHAR, WM_GETTEXT, WM_SETTEXT, WM_GETTEXTLENGTH, WM_GETTEXT, WM_GETTEXT}));
}

// The worker, the simulator link and the readers change and read controls
// while the UI thread runs its loop; every change lands and nothing waits
// for the UI thread.
TEST_F(WindowControlsTest, ControlsServeEveryThreadAtOnce) {
    for (const char16_t* item : {u"10", u"25", u"50", u"100"}) {
        SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    constexpr int kRounds = 300;
    std::atomic<int> running = 3;
    const HWND window = window_;
    const auto worker = [&running, window](auto step) {
        return std::thread([&running, window, step] {
            for (int round = 0; round < kRounds; ++round) {
                step(round);
                InvalidateRect(window, nullptr, TRUE);
            }
            if (--running == 0) {
                PostMessageW(window, WM_APP + 9, 0, 0);
            }
        });
    };
    std::array threads{
        worker([this](int round) {
            SetWindowTextW(edit_, round % 2 == 0 ? u"EDDF" : u"LOWW");
            EnableWindow(button_, round % 2);
        }),
        worker([this](int round) {
            SendMessageW(checkBox_, BM_SETCHECK, round % 2 == 0 ? BST_CHECKED : BST_UNCHECKED, 0);
            IsDlgButtonChecked(window_, kCheckBoxId);
        }),
        worker([this](int round) {
            SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(round % 4), 0);
            lf_windowText(combo_);
        }),
    };
    handler_ = [](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_PAINT) {
            PAINTSTRUCT paint{};
            BeginPaint(hwnd, &paint);
            EndPaint(hwnd, &paint);
            return 0;
        }
        return std::nullopt;
    };
    ShowWindow(window_, SW_SHOW);
    runLoopUntil([](const MSG& message) { return message.message == WM_APP + 9; });
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(lf_windowText(edit_), u"LOWW");
    EXPECT_EQ(IsWindowEnabled(button_), TRUE);
    EXPECT_EQ(IsDlgButtonChecked(window_, kCheckBoxId), BST_UNCHECKED);
    EXPECT_EQ(lf_windowText(combo_), u"100");
}

}  // namespace
