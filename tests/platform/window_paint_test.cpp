// Painting through the window layer on the headless backend: the update
// region, WM_PAINT, and what a paint records.

#include <gtest/gtest.h>

#include <thread>
#include <variant>
#include <vector>

#include "platform/support/window_fixture.h"
#include "platform/window/headless.h"
#include "platform/window/impl/control_colours.h"

namespace {

using platform::window::DrawCall;
using platform::window::FillRectCall;
using platform::window::LineCall;
using platform::window::TextCall;
using vantrel::test::WindowTest;

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kPanel = 0xFFCC99;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;

class WindowPaintTest : public WindowTest {
protected:
    // Paints as the main window paints its regions: filled rectangles,
    // lines in two pens, text on a transparent and on an opaque background.
    void paintRegions() {
        PAINTSTRUCT paint{};
        const HDC dc = BeginPaint(window_, &paint);
        lastPaint_ = paint;
        const RECT messageLine{0, 448, 880, 476};
        FillRect(dc, &messageLine, redBrush_);
        const HGDIOBJ previousPen = SelectObject(dc, whitePen_);
        MoveToEx(dc, 0, 28, nullptr);
        LineTo(dc, 880, 28);
        SelectObject(dc, previousPen);
        POINT previous{};
        MoveToEx(dc, 642, 140, &previous);
        LineTo(dc, 642, 308);
        lastPenPosition_ = previous;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kYellow);
        TextOutW(dc, 3, 455, u"Error 12", 8);
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, kPanel);
        SetTextColor(dc, kBlack);
        TextOutW(dc, 25, 147, u"Scan for liveries", 17);
        const char16_t loneSurrogate[] = {u'a', static_cast<char16_t>(0xD800)};
        textOfLoneSurrogate_ = TextOutW(dc, 5, 5, loneSurrogate, 2);
        EndPaint(window_, &paint);
    }

    void SetUp() override {
        WindowTest::SetUp();
        handler_ = [this](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (message != WM_PAINT) {
                return std::nullopt;
            }
            paintRegions();
            return 0;
        };
    }

    std::vector<DrawCall> regionCalls() const {
        return {FillRectCall{{0, 448, 880, 476}, kRed},
                LineCall{{0, 28}, {880, 28}, kWhite, 1},
                LineCall{{642, 140}, {642, 308}, kBlack, 1},
                TextCall{{3, 455}, u"Error 12", kYellow, std::nullopt},
                TextCall{{25, 147}, u"Scan for liveries", kBlack, kPanel}};
    }

    HBRUSH redBrush_ = CreateSolidBrush(kRed);
    HPEN whitePen_ = CreatePen(PS_SOLID, 1, kWhite);
    PAINTSTRUCT lastPaint_{};
    POINT lastPenPosition_{};
    BOOL textOfLoneSurrogate_ = TRUE;
};

TEST_F(WindowPaintTest, ShownWindowIsPaintedWholeOnItsClassBackgroundAndTheCallsAreRecorded) {
    ShowWindow(window_, SW_SHOW);
    pumpPending();

    const auto paints = platform::window::takeHeadlessPaints();
    ASSERT_EQ(paints.size(), 1U);
    EXPECT_EQ(paints[0].hwnd, window_);
    const RECT client{0, 0, 880, 516 - platform::window::kCaptionHeightPx};
    EXPECT_EQ(paints[0].paintRect, client);
    std::vector<DrawCall> expected{FillRectCall{client, kBlack}};  // WM_ERASEBKGND with the class brush
    std::ranges::copy(regionCalls(), std::back_inserter(expected));
    EXPECT_EQ(paints[0].calls, expected);
    EXPECT_EQ(lastPaint_.fErase, FALSE);
    EXPECT_EQ(lastPenPosition_, (POINT{880, 28}));
    EXPECT_EQ(textOfLoneSurrogate_, FALSE);
}

TEST_F(WindowPaintTest, RectanglesInvalidatedFromAnotherThreadArePaintedTogetherOnTheUiThread) {
    ShowWindow(window_, SW_SHOW);
    pumpPending();
    platform::window::takeHeadlessPaints();

    std::thread worker([window = window_] {
        const RECT messageLine{0, 448, 880, 476};
        const RECT statusBlock{0, 28, 880, 112};
        InvalidateRect(window, &messageLine, FALSE);
        InvalidateRect(window, &statusBlock, FALSE);
        PostMessageW(window, WM_APP + 3, 0, 0);
    });
    worker.join();
    // The posted message comes first, then one paint of both rectangles.
    bool sawPost = false;
    runLoopUntil([&sawPost](const MSG& message) {
        sawPost = sawPost || message.message == WM_APP + 3;
        return message.message == WM_PAINT;
    });
    EXPECT_TRUE(sawPost);

    const auto paints = platform::window::takeHeadlessPaints();
    ASSERT_EQ(paints.size(), 1U);
    EXPECT_EQ(paints[0].paintRect, (RECT{0, 28, 880, 476}));
    EXPECT_EQ(paints[0].calls, regionCalls());  // nothing erased first
}

TEST_F(WindowPaintTest, HiddenWindowWaitsForItsPaintAndUpdateWindowPaintsAtOnce) {
    InvalidateRect(window_, nullptr, TRUE);
    MSG message{};
    EXPECT_EQ(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE), FALSE);
    EXPECT_EQ(UpdateWindow(window_), TRUE);
    EXPECT_TRUE(platform::window::takeHeadlessPaints().empty());

    ShowWindow(window_, SW_SHOW);
    EXPECT_EQ(UpdateWindow(window_), TRUE);
    EXPECT_EQ(platform::window::takeHeadlessPaints().size(), 1U);
    EXPECT_EQ(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE), FALSE);
}

TEST_F(WindowPaintTest, EditBoxAsksItsParentForColoursAsWindowsDoes) {
    const HWND edit = createControl(u"Edit", WS_BORDER, 0x8047, {217, 343, 267, 359});
    EXPECT_FALSE(platform::window::impl::askControlColours(edit));  // DefWindowProcW leaves the defaults

    std::vector<UINT> asked;
    handler_ = [&asked, edit](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC) {
            return std::nullopt;
        }
        asked.push_back(message);
        EXPECT_EQ(reinterpret_cast<HWND>(lParam), edit);
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, kPanel);
        SetTextColor(dc, kRed);
        return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    };
    const auto colours = platform::window::impl::askControlColours(edit);
    ASSERT_TRUE(colours);
    EXPECT_EQ(colours->text, kRed);
    EXPECT_EQ(colours->background, kWhite);
    EnableWindow(edit, FALSE);
    platform::window::impl::askControlColours(edit);
    EXPECT_EQ(asked, (std::vector<UINT>{WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC}));
}

}  // namespace
