// The window layer's windows and message queue on the headless backend.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <thread>
#include <vector>

#include "platform/support/window_fixture.h"
#include "platform/window/inspect.h"
#include "platform/window/resources.h"
#include "platform/window/user_input.h"

namespace {

using vantrel::test::WindowTest;

constexpr UINT kTestMessage = WM_APP + 1;
constexpr UINT kLastMessage = WM_APP + 2;

using WindowMessagesTest = WindowTest;

TEST_F(WindowMessagesTest, MessagesPostedFromOtherThreadsArriveInTheOrderEachPosted) {
    constexpr int kThreads = 4;
    constexpr int kPerThread = 500;
    std::vector<std::thread> posters;
    // The loop is already waiting when the posts come.
    const HWND window = window_;
    std::thread starter([&posters, window] {
        for (int thread = 0; thread < kThreads; ++thread) {
            posters.emplace_back([window, thread] {
                for (int sequence = 0; sequence < kPerThread; ++sequence) {
                    PostMessageW(window, kTestMessage, static_cast<WPARAM>(thread), sequence);
                }
            });
        }
    });
    int seen = 0;
    runLoopUntil([&seen](const MSG& message) { return message.message == kTestMessage && ++seen == kThreads * kPerThread; });
    starter.join();
    for (auto& poster : posters) {
        poster.join();
    }

    std::array<std::vector<LPARAM>, kThreads> sequences;
    for (const MSG& message : received_) {
        if (message.message == kTestMessage) {
            sequences.at(message.wParam).push_back(message.lParam);
        }
    }
    for (const auto& sequence : sequences) {
        ASSERT_EQ(sequence.size(), static_cast<std::size_t>(kPerThread));
        EXPECT_TRUE(std::ranges::is_sorted(sequence));
        EXPECT_EQ(sequence.back(), kPerThread - 1);
    }
}

TEST_F(WindowMessagesTest, PostedMessagesComeBeforeQuitAndQuitBeforePaint) {
    ShowWindow(window_, SW_SHOW);
    pumpPending();  // the first paint of the shown window
    PostMessageW(window_, kTestMessage, 1, 0);
    InvalidateRect(window_, nullptr, FALSE);
    PostMessageW(window_, kLastMessage, 2, 0);
    PostQuitMessage(7);

    MSG message{};
    ASSERT_EQ(GetMessageW(&message, nullptr, 0, 0), TRUE);
    EXPECT_EQ(message.message, kTestMessage);
    ASSERT_EQ(GetMessageW(&message, nullptr, 0, 0), TRUE);
    EXPECT_EQ(message.message, kLastMessage);
    ASSERT_EQ(GetMessageW(&message, nullptr, 0, 0), FALSE);
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.wParam, 7U);
    ASSERT_EQ(GetMessageW(&message, nullptr, 0, 0), TRUE);
    EXPECT_EQ(message.message, WM_PAINT);
    EXPECT_EQ(message.hwnd, window_);
    // A paint stays due until it is painted.
    ASSERT_EQ(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE), TRUE);
    EXPECT_EQ(message.message, WM_PAINT);
    DispatchMessageW(&message);
    EXPECT_EQ(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE), FALSE);
}

TEST_F(WindowMessagesTest, CreationSendsTheCreateStructAndMinusOneRefusesTheWindow) {
    std::optional<CREATESTRUCTW> created;
    handler_ = [&created](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message != WM_CREATE) {
            return std::nullopt;
        }
        created = *reinterpret_cast<const CREATESTRUCTW*>(lParam);
        return created->x == 99 ? -1 : 0;
    };
    int parameter = 0;
    const HWND second = CreateWindowExW(0, u"vantreltestwindow", u"second", WS_CAPTION, 5, 6, 70, 80, nullptr,
                                        nullptr, nullptr, &parameter);
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(created);
    EXPECT_EQ(created->lpCreateParams, &parameter);
    EXPECT_EQ(std::u16string_view(created->lpszName), u"second");
    EXPECT_EQ((std::array{created->x, created->y, created->cx, created->cy}), (std::array{5, 6, 70, 80}));
    DestroyWindow(second);

    const HWND refused = CreateWindowExW(0, u"VantrelTestWindow", u"", WS_CAPTION, 99, 0, 10, 10, nullptr, nullptr,
                                         nullptr, nullptr);
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", u"", WS_CAPTION, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}

TEST_F(WindowMessagesTest, NullAndDestroyedWindowsAreNoOps) {
    const HWND edit = createControl(u"Edit", WS_BORDER, 0x8014, {111, 119, 211, 135});
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(DestroyWindow(edit), TRUE);
    std::array<char16_t, 8> buffer{u'x'};
    for (const HWND gone : {static_cast<HWND>(nullptr), edit}) {
        SCOPED_TRACE(gone == nullptr ? "null window" : "destroyed window");
        EXPECT_EQ(PostMessageW(gone, kTestMessage, 0, 0), FALSE);
        EXPECT_EQ(SendMessageW(gone, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"x")), 0);
        EXPECT_EQ(SendMessageW(gone, BM_SETCHECK, BST_CHECKED, 0), 0);
        EXPECT_EQ(SetWindowTextW(gone, u"text"), FALSE);
        EXPECT_EQ(GetWindowTextW(gone, buffer.data(), static_cast<int>(buffer.size())), 0);
        EXPECT_EQ(buffer[0], u'\0');
        EXPECT_EQ(EnableWindow(gone, FALSE), FALSE);
        EXPECT_EQ(InvalidateRect(gone, nullptr, TRUE), FALSE);
        RECT rect{};
        EXPECT_EQ(GetWindowRect(gone, &rect), FALSE);
        EXPECT_EQ(DestroyWindow(gone), FALSE);
    }
    EXPECT_EQ(GetDlgItem(window_, 0x8014), nullptr);
    EXPECT_EQ(GetDlgItem(nullptr, 0x8014), nullptr);
    EXPECT_EQ(IsDlgButtonChecked(window_, 0x8014), BST_UNCHECKED);
}

TEST_F(WindowMessagesTest, DestroyingSendsWmDestroyToTheWindowAndGoesThroughItsChildren) {
    const HWND box = createControl(u"button", BS_CHECKBOX, 0x801d, {5, 149, 17, 161});
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(SendMessageW(window_, WM_CLOSE, 0, 0), 0);  // DefWindowProcW destroys
    EXPECT_FALSE(platform::window::inspectWindow(window_));
    EXPECT_FALSE(platform::window::inspectWindow(box));
    EXPECT_EQ(std::ranges::count_if(received_, [](const MSG& m) { return m.message == WM_DESTROY; }), 1);
    window_ = nullptr;
}

TEST_F(WindowMessagesTest, WindowsKeepTheirGeometryAndStackingAsMovedAndPlaced) {
    const HWND combo = createControl(u"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 0x8032, {217, 226, 267, 426});
    RECT rect{};
    ASSERT_EQ(GetWindowRect(window_, &rect), TRUE);
    EXPECT_EQ((std::array{rect.left, rect.top, rect.right, rect.bottom}), (std::array<LONG, 4>{40, 30, 920, 546}));
    // A child lies in its parent's client area, which starts below the caption.
    ASSERT_EQ(GetWindowRect(combo, &rect), TRUE);
    EXPECT_EQ((std::array{rect.left, rect.top}),
              (std::array<LONG, 2>{40 + 217, 30 + platform::window::kCaptionHeightPx + 226}));

    ASSERT_TRUE(platform::window::moveWindow(window_, -30000, 25));
    EXPECT_EQ(SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE), TRUE);
    ASSERT_EQ(GetWindowRect(window_, &rect), TRUE);
    EXPECT_EQ((std::array{rect.left, rect.top, rect.right, rect.bottom}),
              (std::array<LONG, 4>{-30000, 25, -30000 + 880, 25 + 516}));
    EXPECT_TRUE(platform::window::inspectWindow(window_)->topmost);
    SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_FALSE(platform::window::inspectWindow(window_)->topmost);
}

TEST_F(WindowMessagesTest, StringResourcesAreCopiedAsLoadStringCopiesThem) {
    platform::window::setStringResource(101, u"Vantrel");
    std::array<char16_t, 100> title{};
    EXPECT_EQ(LoadStringW(nullptr, 101, title.data(), static_cast<int>(title.size())), 7);
    EXPECT_EQ(std::u16string_view(title.data()), u"Vantrel");
    EXPECT_EQ(LoadStringW(nullptr, 101, title.data(), 4), 3);
    EXPECT_EQ(std::u16string_view(title.data()), u"Van");
    EXPECT_EQ(LoadStringW(nullptr, 102, title.data(), static_cast<int>(title.size())), 0);
    EXPECT_NE(LoadIconW(nullptr, MAKEINTRESOURCEW(100)), nullptr);
    EXPECT_NE(LoadCursorW(nullptr, IDC_ARROW), nullptr);
}

}  // namespace
