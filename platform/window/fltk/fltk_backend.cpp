// The backend on an X display through FLTK. FLTK is not thread-safe, so
// only the UI thread touches it: other threads change the registry and wake
// the UI thread with Fl::awake, which never waits for it; the UI thread then
// shows the changed state before it handles events.

#include <FL/Fl.H>
#include <FL/x.H>

#include <atomic>
#include <map>

#include "platform/window/fltk/offscreen_painter.h"
#include "platform/window/fltk/widgets.h"
#include "platform/window/fltk/x11.h"
#include "platform/window/impl/backend_interface.h"
#include "platform/window/impl/window_registry.h"

namespace {

using platform::window::fltk::MirroredWidget;
using platform::window::fltk::TopLevelWindow;

// Fl::wait's "forever": its wait ends with an event or Fl::awake.
constexpr double kWaitForeverS = 1e20;

class FltkBackend final : public platform::window::impl::BackendImpl {
public:
    FltkBackend() {
        // Starts FLTK's thread support (the pipe behind Fl::awake); the UI
        // thread keeps the lock, which Fl::wait gives up while it waits.
        Fl::lock();
        platform::window::fltk::openDisplay();
    }

    void windowCreated(HWND hwnd) override {
        const auto state = platform::window::impl::registry().snapshot(hwnd);
        if (!state) {
            return;
        }
        MirroredWidget* widget = platform::window::fltk::makeWidget(*state, topLevel(state->parent));
        if (widget != nullptr) {
            widgets_.emplace(hwnd, widget);
            widget->mirror(*state);
        }
    }

    void windowDestroyed(HWND hwnd) override {
        const auto found = widgets_.find(hwnd);
        if (found == widgets_.end()) {
            return;
        }
        Fl_Widget& widget = found->second->widget();
        widgets_.erase(found);
        widget.hide();
        if (widget.parent() != nullptr) {
            widget.parent()->remove(widget);
        }
        Fl::delete_widget(&widget);
    }

    void stateChanged() override { requestWake(); }
    void wake() override { requestWake(); }

    void processPendingEvents() override {
        wakePending_ = false;
        for (const auto& state : platform::window::impl::registry().takeChanged()) {
            const auto found = widgets_.find(state.handle);
            if (found != widgets_.end()) {
                found->second->mirror(state);
            }
        }
        Fl::check();
    }

    void waitForEvents() override { Fl::wait(kWaitForeverS); }

    platform::window::impl::DrawSurface& beginPaint(HWND hwnd, const RECT& clip) override {
        painter_.begin(topLevel(hwnd), clip);
        return painter_;
    }

    void endPaint(HWND hwnd) override {
        painter_.end();
        if (TopLevelWindow* window = topLevel(hwnd)) {
            window->redraw();
        }
    }

private:
    // One wake at a time is enough: the UI thread looks at everything that
    // changed once it runs. So the pipe behind Fl::awake never fills.
    void requestWake() {
        if (!wakePending_.exchange(true)) {
            Fl::awake();
        }
    }

    TopLevelWindow* topLevel(HWND hwnd) {
        const auto found = widgets_.find(hwnd);
        return found == widgets_.end() ? nullptr : dynamic_cast<TopLevelWindow*>(found->second);
    }

    std::atomic<bool> wakePending_{false};  // a wake was sent since the last processPendingEvents
    std::map<HWND, MirroredWidget*> widgets_;  // UI thread only; the widgets belong to FLTK
    platform::window::fltk::OffscreenPainter painter_;
};

}  // namespace

namespace platform::window::impl {

BackendImpl& displayBackend() {
    static auto& backend = *new FltkBackend;
    return backend;
}

bool openDisplay() { return platform::window::fltk::openDisplay(); }

}  // namespace platform::window::impl
