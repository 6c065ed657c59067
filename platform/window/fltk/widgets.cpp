#include "platform/window/fltk/widgets.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <string>
#include <vector>

#include "platform/window/fltk/conversions.h"
#include "platform/window/fltk/x11.h"
#include "platform/window/impl/control_colours.h"
#include "platform/window/impl/device_context.h"
#include "platform/window/user32.h"
#include "platform/window/user_input.h"

namespace {

using platform::window::fltk::MirroredWidget;
using platform::window::fltk::toUtf8;
using platform::window::impl::WindowState;

constexpr Fl_Fontsize kControlTextSizePx = 12;
// A closed drop-down list is one line high, whatever height its open list
// was given.
constexpr int kComboBoxHeightPx = 22;

HWND lf_hwndOf(Fl_Widget* widget) { return static_cast<HWND>(widget->user_data()); }

// Position, size, enabled state and visibility of a control; height 0 keeps
// the height of the window's rectangle.
void lf_mirrorPlacement(Fl_Widget& widget, const WindowState& state, int height = 0) {
    const int width = state.rect.right - state.rect.left;
    const int shownHeight = height > 0 ? height : state.rect.bottom - state.rect.top;
    if (widget.x() != state.rect.left || widget.y() != state.rect.top || widget.w() != width ||
        widget.h() != shownHeight) {
        widget.resize(state.rect.left, state.rect.top, width, shownHeight);
    }
    if (state.enabled) {
        widget.activate();
    } else {
        widget.deactivate();
    }
    if (state.visible) {
        widget.show();
    } else {
        widget.hide();
    }
    widget.redraw();
}

// FLTK's menus give '/', '\', '&', '@' and a leading '_' a meaning of their
// own; escaped, an entry shows its text as it is.
std::string lf_menuLabel(std::string_view text) {
    std::string label;
    for (const char character : text) {
        if (character == '/' || character == '\\' || (character == '_' && label.empty())) {
            label += '\\';
        } else if (character == '&' || character == '@') {
            label += character;
        }
        label += character;
    }
    return label;
}

void lf_onClick(Fl_Widget* widget, void* /*data*/) { platform::window::clickControl(lf_hwndOf(widget)); }

class PushButton final : public Fl_Button, public MirroredWidget {
public:
    explicit PushButton(const WindowState& state) : Fl_Button(0, 0, 1, 1) {
        user_data(state.handle);
        labelsize(kControlTextSizePx);
        callback(lf_onClick);
    }
    Fl_Widget& widget() override { return *this; }
    void mirror(const WindowState& state) override {
        copy_label(toUtf8(state.text).c_str());
        lf_mirrorPlacement(*this, state);
    }
};

// A check box that ticks only when the program says so: a click notifies the
// program, whose handler ticks it (BS_CHECKBOX). As a plain button it shows
// the press and returns to its state on release.
class CheckBox final : public Fl_Button, public MirroredWidget {
public:
    explicit CheckBox(const WindowState& state) : Fl_Button(0, 0, 1, 1) {
        user_data(state.handle);
        callback(lf_onClick);
    }
    Fl_Widget& widget() override { return *this; }
    void mirror(const WindowState& state) override {
        value(state.check == BST_CHECKED ? 1 : 0);
        lf_mirrorPlacement(*this, state);
    }
    void draw() override {
        const Fl_Color face = active_r() ? FL_BACKGROUND2_COLOR : fl_inactive(FL_BACKGROUND2_COLOR);
        fl_draw_box(FL_DOWN_BOX, x(), y(), w(), h(), face);
        if (value() != 0) {
            fl_color(active_r() ? FL_FOREGROUND_COLOR : fl_inactive(FL_FOREGROUND_COLOR));
            fl_line_style(FL_SOLID, 2);
            fl_line(x() + 3, y() + h() / 2, x() + w() / 2 - 1, y() + h() - 4, x() + w() - 3, y() + 3);
            fl_line_style(0);
        }
    }
};

// An edit box: typing changes its text, Enter goes to its procedure as
// WM_CHAR 13, and its colours are asked of the parent before each drawing.
class EditBox final : public Fl_Input, public MirroredWidget {
public:
    explicit EditBox(const WindowState& state) : Fl_Input(0, 0, 1, 1) {
        user_data(state.handle);
        textsize(kControlTextSizePx);
        when(FL_WHEN_CHANGED);
        callback([](Fl_Widget* widget, void*) {
            platform::window::editText(lf_hwndOf(widget),
                                       platform::window::fltk::fromUtf8(static_cast<Fl_Input*>(widget)->value()));
        });
    }
    Fl_Widget& widget() override { return *this; }
    void mirror(const WindowState& state) override {
        const std::string text = toUtf8(state.text);
        if (text != value()) {
            value(text.c_str());
        }
        lf_mirrorPlacement(*this, state);
    }
    int handle(int event) override {
        if (event == FL_KEYBOARD && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
            platform::window::pressEnter(lf_hwndOf(this));
            return 1;
        }
        return Fl_Input::handle(event);
    }
    void draw() override {
        if (const auto colours = platform::window::impl::askControlColours(lf_hwndOf(this))) {
            color(platform::window::fltk::toFlColour(colours->background));
            textcolor(platform::window::fltk::toFlColour(colours->text));
        }
        Fl_Input::draw();
    }
};

// A drop-down list; picking an entry notifies the program, also when it
// was selected already.
class ComboBox final : public Fl_Choice, public MirroredWidget {
public:
    explicit ComboBox(const WindowState& state) : Fl_Choice(0, 0, 1, 1) {
        user_data(state.handle);
        textsize(kControlTextSizePx);
        when(FL_WHEN_RELEASE_ALWAYS);
        callback([](Fl_Widget* widget, void*) {
            platform::window::pickComboItem(lf_hwndOf(widget), static_cast<Fl_Choice*>(widget)->value());
        });
    }
    Fl_Widget& widget() override { return *this; }
    void mirror(const WindowState& state) override {
        if (state.items != shownItems_) {
            clear();
            for (const auto& item : state.items) {
                add(lf_menuLabel(toUtf8(item)).c_str(), 0, nullptr);
            }
            shownItems_ = state.items;
        }
        if (value() != state.selection) {
            value(state.selection);
        }
        lf_mirrorPlacement(*this, state, kComboBoxHeightPx);
    }

private:
    std::vector<std::u16string> shownItems_;
};

}  // namespace

namespace platform::window::fltk {

TopLevelWindow::TopLevelWindow(const impl::WindowState& state)
    : Fl_Double_Window(0, 0, 1, 1),
      background_(toFlColour(impl::brushColour(state.background).value_or(RGB(0, 0, 0)))) {
    end();
    user_data(state.handle);
    // The close button asks the program (WM_CLOSE); Escape, which FLTK also
    // sends here, closes nothing, as on Windows.
    callback([](Fl_Widget* widget, void*) {
        if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) {
            return;
        }
        platform::window::closeWindow(lf_hwndOf(widget));
    });
}

TopLevelWindow::~TopLevelWindow() { dropSurface(); }

void TopLevelWindow::mirror(const impl::WindowState& state) {
    copy_label(toUtf8(state.text).c_str());
    const RECT client = impl::clientRect(state);
    if (x() != state.rect.left || y() != state.rect.top || w() != client.right || h() != client.bottom) {
        mirroring_ = true;
        resize(state.rect.left, state.rect.top, client.right, client.bottom);
        mirroring_ = false;
        size_range(client.right, client.bottom, client.right, client.bottom);
    }
    if (state.visible && !shown()) {
        show();
    } else if (!state.visible && shown()) {
        hide();
    }
    if (shown() && state.topmost != topmost_) {
        keepAbove(*this, state.topmost);
        topmost_ = state.topmost;
    }
    redraw();
}

void TopLevelWindow::draw() {
    if (surface_ != 0) {
        fl_copy_offscreen(0, 0, w(), h(), surface_, 0, 0);
    } else {
        fl_color(background_);
        fl_rectf(0, 0, w(), h());
    }
    draw_children();
}

void TopLevelWindow::resize(int x, int y, int width, int height) {
    const bool resized = width != w() || height != h();
    Fl_Double_Window::resize(x, y, width, height);
    if (resized) {
        dropSurface();
    }
    if (!mirroring_ && shown()) {
        platform::window::moveWindow(lf_hwndOf(this), x, y);
    }
}

Fl_Offscreen TopLevelWindow::surface() {
    if (surface_ == 0) {
        surface_ = fl_create_offscreen(w(), h());
        fl_begin_offscreen(surface_);
        fl_color(background_);
        fl_rectf(0, 0, w(), h());
        fl_end_offscreen();
    }
    return surface_;
}

void TopLevelWindow::dropSurface() {
    if (surface_ != 0) {
        fl_delete_offscreen(surface_);
        surface_ = 0;
    }
}

MirroredWidget* makeWidget(const impl::WindowState& state, TopLevelWindow* parent) {
    // FLTK adds a new widget to the group being built; ours are added by hand.
    Fl_Group::current(nullptr);
    if (state.kind == impl::WindowKind::custom) {
        return new TopLevelWindow(state);
    }
    if (parent == nullptr) {
        return nullptr;
    }
    MirroredWidget* control = nullptr;
    switch (state.kind) {
        case impl::WindowKind::pushButton:
            control = new PushButton(state);
            break;
        case impl::WindowKind::checkBox:
            control = new CheckBox(state);
            break;
        case impl::WindowKind::editBox:
            control = new EditBox(state);
            break;
        case impl::WindowKind::comboBox:
            control = new ComboBox(state);
            break;
        case impl::WindowKind::custom:
            break;
    }
    parent->add(control->widget());
    return control;
}

}  // namespace platform::window::fltk
