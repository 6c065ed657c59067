#include "platform/window/impl/control_procedures.h"

#include "platform/window/impl/text.h"
#include "platform/window/user32.h"

namespace {

using platform::window::impl::registry;
using platform::window::impl::WindowKind;
using platform::window::impl::WindowState;

// WPARAM carries signed indices (-1 for none) as an unsigned word.
int lf_index(WPARAM wParam) { return static_cast<int>(static_cast<LONG_PTR>(wParam)); }

bool lf_isIndexOf(const WindowState& state, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < state.items.size();
}

// The item CB_SELECTSTRING selects: the first whose text starts with prefix,
// searched from the item after start to the end and on from the top back to
// start; -1 (or a start outside the list) searches the whole list from the
// top.
int lf_findPrefix(const WindowState& state, int start, std::u16string_view prefix) {
    const int count = static_cast<int>(state.items.size());
    const int first = lf_isIndexOf(state, start) ? start + 1 : 0;
    for (int step = 0; step < count; ++step) {
        const int index = (first + step) % count;
        if (platform::window::impl::startsWithIgnoringCase(state.items[index], prefix)) {
            return index;
        }
    }
    return static_cast<int>(CB_ERR);
}

LRESULT lf_select(WindowState& state, int index) {
    const int selection = lf_isIndexOf(state, index) ? index : -1;
    if (state.selection != selection) {
        state.selection = selection;
        state.changed = true;
    }
    return selection == -1 ? CB_ERR : selection;
}

std::optional<LRESULT> lf_comboMessage(WindowState& state, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
    const auto text = reinterpret_cast<LPWSTR>(lParam);
    const int index = lf_index(wParam);
    switch (message) {
        case CB_ADDSTRING:
            if (text == nullptr) {
                return CB_ERR;
            }
            state.items.emplace_back(platform::window::impl::terminatedText(text));
            state.changed = true;
            return static_cast<LRESULT>(state.items.size() - 1);
        case CB_RESETCONTENT:
            state.items.clear();
            state.selection = -1;
            state.changed = true;
            return 0;
        case CB_SETCURSEL:
            return lf_select(state, index);
        case CB_GETCURSEL:
            return state.selection == -1 ? CB_ERR : state.selection;
        case CB_GETCOUNT:
            return static_cast<LRESULT>(state.items.size());
        case CB_GETLBTEXTLEN:
            return lf_isIndexOf(state, index) ? static_cast<LRESULT>(state.items[index].size()) : CB_ERR;
        case CB_GETLBTEXT:
            // As on Windows, the buffer must hold CB_GETLBTEXTLEN + 1 characters.
            if (!lf_isIndexOf(state, index) || text == nullptr) {
                return CB_ERR;
            }
            return platform::window::impl::copyToBuffer(state.items[index], text,
                                                         static_cast<int>(state.items[index].size()) + 1);
        case CB_SELECTSTRING: {
            if (text == nullptr) {
                return CB_ERR;
            }
            const int found = lf_findPrefix(state, index, platform::window::impl::terminatedText(text));
            return found == CB_ERR ? CB_ERR : lf_select(state, found);
        }
        case WM_SETTEXT:  // a drop-down list has no text of its own
            return CB_ERR;
        case WM_GETTEXT:
            return platform::window::impl::copyToBuffer(platform::window::impl::shownText(state), text, static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(platform::window::impl::shownText(state).size());
        default:
            return std::nullopt;
    }
}

LRESULT lf_comboBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto result = registry().withWindow(hwnd, [&](WindowState& state) {
        return lf_comboMessage(state, message, wParam, lParam);
    });
    if (!result) {
        return 0;
    }
    return result->has_value() ? **result : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT lf_buttonProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case BM_SETCHECK:
            registry().withWindow(hwnd, [wParam](WindowState& state) {
                if (state.kind == WindowKind::checkBox && wParam <= BST_CHECKED && state.check != wParam) {
                    state.check = static_cast<UINT>(wParam);
                    state.changed = true;
                }
                return 0;
            });
            return 0;
        case BM_GETCHECK:
            return registry()
                .withWindow(hwnd,
                            [](const WindowState& state) -> LRESULT {
                                return state.kind == WindowKind::checkBox ? state.check : BST_UNCHECKED;
                            })
                .value_or(BST_UNCHECKED);
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// Typing reaches an edit box's text through the backend, not as WM_CHAR, so
// a WM_CHAR that comes this far (Enter handed on by a subclass) changes
// nothing.
LRESULT lf_editProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_CHAR ? 0 : DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

namespace platform::window::impl {

std::u16string_view shownText(const WindowState& state) {
    if (state.kind != WindowKind::comboBox) {
        return state.text;
    }
    return lf_isIndexOf(state, state.selection) ? std::u16string_view(state.items[state.selection])
                                                : std::u16string_view();
}

std::optional<BuiltInClass> builtInClass(std::u16string_view className, DWORD style) {
    if (equalsIgnoringCase(className, u"button")) {
        const bool checkBox = (style & BS_TYPEMASK) == BS_CHECKBOX;
        return BuiltInClass{checkBox ? WindowKind::checkBox : WindowKind::pushButton, lf_buttonProcedure};
    }
    if (equalsIgnoringCase(className, u"Edit")) {
        return BuiltInClass{WindowKind::editBox, lf_editProcedure};
    }
    if (equalsIgnoringCase(className, u"ComboBox")) {
        return BuiltInClass{WindowKind::comboBox, lf_comboBoxProcedure};
    }
    return std::nullopt;
}

}  // namespace platform::window::impl
