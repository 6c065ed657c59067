#pragma once
// What a user's action delivers to the program, as Windows delivers it. The
// FLTK backend calls these when the user works a control; tests call them to
// act as the user with either backend. Each returns false, and delivers
// nothing, when the window does not exist, or when a control is disabled or
// hidden (a user cannot reach it then). UI thread.

#include <string_view>

#include "platform/window/win32_types.h"

namespace platform::window {

// A click on a push button or a check box: WM_COMMAND (id, BN_CLICKED) is
// posted to the parent. A check box does not tick itself.
bool clickControl(HWND control);

// Picking an entry of a combo box's list: it becomes the selection and
// WM_COMMAND (id, CBN_SELCHANGE) is posted to the parent, also when the
// entry was selected before.
bool pickComboItem(HWND comboBox, int index);

// Typing: the edit box's text becomes text. No message follows, as the
// program reads the text when it needs it.
bool editText(HWND editBox, std::u16string_view text);

// Enter in an edit box: WM_CHAR with 13 is posted to it, for its (possibly
// subclassed) procedure.
bool pressEnter(HWND editBox);

// The close button of a top-level window: WM_CLOSE is posted to it.
bool closeWindow(HWND topLevel);

// The user moved a top-level window: its position (the top-left corner of
// GetWindowRect) becomes x, y. No message follows.
bool moveWindow(HWND topLevel, int x, int y);

}  // namespace platform::window
