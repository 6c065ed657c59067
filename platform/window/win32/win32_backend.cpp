// The backend on Windows' own desktop. The layer's model stays the one truth:
// other threads change it and wake the UI thread, which never makes them
// wait; the UI thread copies what changed onto real USER32 controls before
// it handles the user's input, and the user's input on those controls comes
// back through the layer's user_input calls, as with the FLTK backend.
//
// This file speaks the layer's Win32 names; the real windows live behind
// native_windows.h, in files that include <windows.h>.

#include <memory>

#include "platform/window/impl/backend_interface.h"
#include "platform/window/impl/control_colours.h"
#include "platform/window/impl/control_procedures.h"
#include "platform/window/impl/device_context.h"
#include "platform/window/impl/window_registry.h"
#include "platform/window/user32.h"
#include "platform/window/user_input.h"
#include "platform/window/win32/native_windows.h"

namespace {

using platform::window::impl::WindowKind;
using platform::window::impl::WindowState;
using platform::window::win32::Box;
using platform::window::win32::LayerHandle;
using platform::window::win32::NativeKind;
using platform::window::win32::ShownWindow;

LayerHandle lf_handleValue(HWND hwnd) { return reinterpret_cast<LayerHandle>(hwnd); }
HWND lf_layerHandle(LayerHandle handle) { return reinterpret_cast<HWND>(handle); }
Box lf_box(const RECT& rect) { return Box{rect.left, rect.top, rect.right, rect.bottom}; }

NativeKind lf_nativeKind(WindowKind kind) {
    switch (kind) {
        case WindowKind::pushButton:
            return NativeKind::pushButton;
        case WindowKind::checkBox:
            return NativeKind::checkBox;
        case WindowKind::editBox:
            return NativeKind::editBox;
        case WindowKind::comboBox:
            return NativeKind::comboBox;
        case WindowKind::custom:
            break;
    }
    return NativeKind::topLevel;
}

ShownWindow lf_shown(const WindowState& state) {
    const RECT client = platform::window::impl::clientRect(state);
    ShownWindow shown;
    shown.handle = lf_handleValue(state.handle);
    shown.parent = lf_handleValue(state.parent);
    shown.kind = lf_nativeKind(state.kind);
    shown.className = state.className;
    shown.id = state.id;
    shown.style = state.style;
    shown.rect = lf_box(state.rect);
    shown.clientWidth = client.right;
    shown.clientHeight = client.bottom;
    shown.text = platform::window::impl::shownText(state);
    shown.checked = state.check == BST_CHECKED;
    shown.items = state.items;
    shown.selection = state.selection;
    shown.enabled = state.enabled;
    shown.visible = state.visible;
    shown.topmost = state.topmost;
    shown.background = platform::window::impl::brushColour(state.background);
    return shown;
}

// The user's actions on the real controls, delivered as the layer's user
// input.
class LayerActions final : public platform::window::win32::UserActions {
public:
    void click(LayerHandle control) override { platform::window::clickControl(lf_layerHandle(control)); }
    void pick(LayerHandle comboBox, int index) override {
        platform::window::pickComboItem(lf_layerHandle(comboBox), index);
    }
    void edit(LayerHandle editBox, std::u16string_view text) override {
        platform::window::editText(lf_layerHandle(editBox), text);
    }
    void enter(LayerHandle editBox) override { platform::window::pressEnter(lf_layerHandle(editBox)); }
    void close(LayerHandle topLevel) override { platform::window::closeWindow(lf_layerHandle(topLevel)); }
    void move(LayerHandle topLevel, int x, int y) override {
        platform::window::moveWindow(lf_layerHandle(topLevel), x, y);
    }
    std::optional<platform::window::win32::EditColours> editColours(LayerHandle editBox) override {
        const auto colours = platform::window::impl::askControlColours(lf_layerHandle(editBox));
        if (!colours) {
            return std::nullopt;
        }
        return platform::window::win32::EditColours{colours->text, colours->background};
    }
};

// The layer's drawing calls of one paint, onto the real surface.
class SurfaceAdapter final : public platform::window::impl::DrawSurface {
public:
    void begin(platform::window::win32::NativePainter& painter) { painter_ = &painter; }

    void fillRect(const RECT& rect, COLORREF colour) override { painter_->fillRect(lf_box(rect), colour); }
    void line(POINT from, POINT to, COLORREF colour, int widthPx) override {
        painter_->line(from.x, from.y, to.x, to.y, colour, widthPx);
    }
    void text(POINT at, std::u16string_view text, COLORREF colour, std::optional<COLORREF> background) override {
        painter_->text(at.x, at.y, text, colour, background);
    }

private:
    platform::window::win32::NativePainter* painter_ = nullptr;  // UI thread only
};

class Win32Backend final : public platform::window::impl::BackendImpl {
public:
    Win32Backend() : native_(platform::window::win32::makeNativeWindows(actions_)) {}

    void windowCreated(HWND hwnd) override {
        if (const auto state = platform::window::impl::registry().snapshot(hwnd)) {
            native_->create(lf_shown(*state));
        }
    }

    void windowDestroyed(HWND hwnd) override { native_->destroy(lf_handleValue(hwnd)); }

    void stateChanged() override { native_->wake(); }
    void wake() override { native_->wake(); }

    void processPendingEvents() override {
        native_->takeWakes();
        for (const auto& state : platform::window::impl::registry().takeChanged()) {
            native_->mirror(lf_shown(state));
        }
        native_->handleMessages();
    }

    void waitForEvents() override { native_->waitForEvents(); }

    platform::window::impl::DrawSurface& beginPaint(HWND hwnd, const RECT& clip) override {
        surface_.begin(native_->beginPaint(lf_handleValue(hwnd), lf_box(clip)));
        return surface_;
    }

    void endPaint(HWND hwnd) override { native_->endPaint(lf_handleValue(hwnd)); }

private:
    LayerActions actions_;
    std::unique_ptr<platform::window::win32::NativeWindows> native_;
    SurfaceAdapter surface_;
};

}  // namespace

namespace platform::window::impl {

BackendImpl& displayBackend() {
    static auto& backend = *new Win32Backend;
    return backend;
}

bool openDisplay() { return true; }

}  // namespace platform::window::impl
