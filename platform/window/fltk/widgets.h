#pragma once
// The FLTK widgets that show the layer's windows and controls and turn the
// user's actions into the messages of user_input.h. UI thread only.

#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/x.H>

#include "platform/window/impl/window_registry.h"

namespace platform::window::fltk {

// A widget that shows one window of the registry.
class MirroredWidget {
public:
    virtual ~MirroredWidget() = default;
    virtual Fl_Widget& widget() = 0;
    // Shows the window's current state.
    virtual void mirror(const impl::WindowState& state) = 0;
};

// A top-level window. What the program paints goes to a pixmap of the
// client area's size, which keeps it between paints, as a window's surface
// does on Windows; drawing the window copies it and draws the controls over
// it.
class TopLevelWindow final : public Fl_Double_Window, public MirroredWidget {
public:
    explicit TopLevelWindow(const impl::WindowState& state);
    ~TopLevelWindow() override;
    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;

    Fl_Widget& widget() override { return *this; }
    void mirror(const impl::WindowState& state) override;
    void draw() override;
    // Moves by the window manager are the user's moves.
    void resize(int x, int y, int width, int height) override;

    // The pixmap that paints draw on, made (and filled with the class brush)
    // on first use.
    Fl_Offscreen surface();

private:
    void dropSurface();

    Fl_Color background_;
    Fl_Offscreen surface_ = 0;
    bool topmost_ = false;
    bool mirroring_ = false;  // our own resize, not the user's
};

// Makes the widget of a control, added to its parent's window, or of a
// top-level window when parent is null; null for a control without a parent
// window. The widget belongs to FLTK: it goes with Fl::delete_widget.
MirroredWidget* makeWidget(const impl::WindowState& state, TopLevelWindow* parent);

}  // namespace platform::window::fltk
