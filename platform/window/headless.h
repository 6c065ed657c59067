#pragma once
// What the headless backend records of each paint (BeginPaint to EndPaint):
// the calls as the program made them, before clipping, with the colours
// resolved from the device context and its pens and brushes, for tests.

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/window/win32_types.h"

namespace platform::window {

struct FillRectCall {
    RECT rect{};
    COLORREF colour = 0;
    bool operator==(const FillRectCall&) const = default;
};

struct LineCall {
    POINT from{};
    POINT to{};
    COLORREF colour = 0;
    int widthPx = 1;
    bool operator==(const LineCall&) const = default;
};

struct TextCall {
    POINT at{};
    std::u16string text;
    COLORREF colour = 0;
    std::optional<COLORREF> background;  // set when drawn OPAQUE
    bool operator==(const TextCall&) const = default;
};

using DrawCall = std::variant<FillRectCall, LineCall, TextCall>;

struct PaintRecord {
    HWND hwnd = nullptr;
    RECT paintRect{};  // rcPaint: the update region the paint covered
    std::vector<DrawCall> calls;
};

// The paints recorded since the last call, oldest first, and empties the
// record. It keeps the latest kMaxHeadlessPaints, so that a program that runs
// headless for days does not grow.
inline constexpr std::size_t kMaxHeadlessPaints = 1000;
std::vector<PaintRecord> takeHeadlessPaints();

}  // namespace platform::window
