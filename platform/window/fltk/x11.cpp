#include "platform/window/fltk/x11.h"

#include <FL/x.H>

#include <cstdlib>

namespace platform::window::fltk {

bool openDisplay() {
    if (fl_display != nullptr) {
        return true;
    }
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        return false;
    }
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        return false;
    }
    fl_open_display(display);
    return true;
}

void keepAbove(Fl_Window& window, bool above) {
    if (!window.shown()) {
        return;
    }
    // The request the window-manager hints (EWMH) define: _NET_WM_STATE, action 1
    // (add) or 0 (remove), the state, no second state, source 1 (an
    // application).
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = fl_xid(&window);
    event.xclient.message_type = XInternAtom(fl_display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = above ? 1 : 0;
    event.xclient.data.l[1] = static_cast<long>(XInternAtom(fl_display, "_NET_WM_STATE_ABOVE", False));
    event.xclient.data.l[2] = 0;
    event.xclient.data.l[3] = 1;
    XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(fl_display);
}

}  // namespace platform::window::fltk
