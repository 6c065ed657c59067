#pragma once
// The real USER32 windows and controls that show the layer's windows, and
// the GDI32 surfaces that the program's paints draw on. This header carries
// no Win32 names: it sits between the files that include <windows.h> and
// the layer's own files, whose Win32 names would clash with it.
//
// Everything here runs on the UI thread, but for NativeWindows::wake.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::window::win32 {

// A window of the layer, by the value of its handle; 0 for none.
using LayerHandle = std::uintptr_t;
// 0x00BBGGRR, as a COLORREF.
using Colour = std::uint32_t;

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Box&) const = default;
};

enum class NativeKind { topLevel, pushButton, checkBox, editBox, comboBox };

// What the user should see of one window of the layer.
struct ShownWindow {
    LayerHandle handle = 0;
    LayerHandle parent = 0;
    NativeKind kind = NativeKind::topLevel;
    std::u16string className;  // a top-level window's class, as the program registered it
    int id = 0;
    std::uint32_t style = 0;  // the program's style bits, which have their Windows values
    // A top-level window: its screen position (the top-left corner of its
    // frame) and its client area's size. A control: its rectangle in its
    // parent's client area; a combo box's includes its open list.
    Box rect;
    int clientWidth = 0;
    int clientHeight = 0;
    std::u16string text;
    bool checked = false;
    std::vector<std::u16string> items;
    int selection = -1;
    bool enabled = true;
    bool visible = false;
    bool topmost = false;
    std::optional<Colour> background;  // a top-level window's class brush
};

struct EditColours {
    Colour text;
    Colour background;
};

// What the user did on the real controls, handed back to the layer.
class UserActions {
public:
    virtual ~UserActions() = default;
    virtual void click(LayerHandle control) = 0;
    virtual void pick(LayerHandle comboBox, int index) = 0;
    virtual void edit(LayerHandle editBox, std::u16string_view text) = 0;
    virtual void enter(LayerHandle editBox) = 0;
    virtual void close(LayerHandle topLevel) = 0;
    virtual void move(LayerHandle topLevel, int x, int y) = 0;
    // The colours the program gives an edit box; empty for the defaults.
    virtual std::optional<EditColours> editColours(LayerHandle editBox) = 0;
};

// Draws one paint onto a top-level window's surface, clipped to the paint's
// region.
class NativePainter {
public:
    virtual ~NativePainter() = default;
    virtual void fillRect(const Box& rect, Colour colour) = 0;
    // The end point is left out, as LineTo leaves it out.
    virtual void line(int fromX, int fromY, int toX, int toY, Colour colour, int widthPx) = 0;
    virtual void text(int x, int y, std::u16string_view text, Colour colour, std::optional<Colour> background) = 0;
};

class NativeWindows {
public:
    virtual ~NativeWindows() = default;

    // A top-level window or a control of one; a control whose parent has
    // no real window is left out.
    virtual void create(const ShownWindow& window) = 0;
    virtual void destroy(LayerHandle handle) = 0;
    // Brings the real window up to the shown state.
    virtual void mirror(const ShownWindow& window) = 0;

    // Any thread, never waiting: ends the current or next waitForEvents.
    virtual void wake() = 0;
    // Forgets the wakes so far: what they asked for is about to be seen.
    virtual void takeWakes() = 0;
    // Handles the real windows' messages (the user's input, their paints)
    // without waiting.
    virtual void handleMessages() = 0;
    // Waits for the real windows' next message or a wake since takeWakes.
    virtual void waitForEvents() = 0;

    // A paint of a top-level window's surface; endPaint shows it.
    virtual NativePainter& beginPaint(LayerHandle topLevel, const Box& clip) = 0;
    virtual void endPaint(LayerHandle topLevel) = 0;
};

// The real windows, which hand the user's actions to actions.
std::unique_ptr<NativeWindows> makeNativeWindows(UserActions& actions);

}  // namespace platform::window::win32
