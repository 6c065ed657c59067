#pragma once
// Windows, controls and the message queue, with the names and meanings of
// USER32 (the wide-character entry points, as a UNICODE build calls them).
//
// Threads. The thread that registers the first window class is the UI
// thread. Creating and destroying windows, the message loop (GetMessageW,
// PeekMessageW, DispatchMessageW), painting (BeginPaint, EndPaint,
// UpdateWindow) and SetWindowLongPtrW belong to it. Every other call here is
// safe from any thread at any time and never waits for the UI thread: the
// state of every control lives in a model that each call reads and writes at
// once, and the backend shows the changes on the UI thread.
//
// SendMessageW calls the window's procedure on the calling thread. The
// procedures of the built-in controls ("button", "Edit", "ComboBox") work on
// the model and are safe from any thread; so SetWindowTextW, GetWindowTextW,
// CheckDlgButton, IsDlgButtonChecked and the BM_ and CB_ messages may be
// used from any thread, also on a subclassed edit box whose procedure hands
// on what it does not handle itself. Send to the program's own procedures
// only on the UI thread; other threads post.
//
// A null or destroyed window makes each call a no-op that returns 0 (FALSE,
// null), also before the main window exists.
//
// Geometry: a top-level window with WS_CAPTION has a caption of
// kCaptionHeightPx above its client area and no side borders, so an
// 880 x 516 window has a client area of 880 x 476. Child windows are placed
// in the client coordinates of their parent.

#include "platform/window/win32_constants.h"
#include "platform/window/win32_types.h"

namespace platform::window {
inline constexpr int kCaptionHeightPx = 40;
}

// Registers a window class; 0 when the name is taken or the class has no
// procedure or name. The first call chooses the backend unless one was
// chosen (platform/window/backend.h).
ATOM RegisterClassExW(const WNDCLASSEXW* windowClass);

// Creates a top-level window of a registered class, or a child control of
// the classes "button", "Edit" and "ComboBox" (names compare without case);
// for a child, hMenu carries its id. WS_VISIBLE shows it, WS_DISABLED
// creates it disabled. Sends WM_CREATE with a CREATESTRUCTW before it
// returns; -1 from it destroys the window and gives null.
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                     LPVOID createParams);

// Sends WM_DESTROY to the window and then destroys its children the same
// way; messages still queued for it reach no procedure when dispatched.
BOOL DestroyWindow(HWND hwnd);

BOOL ShowWindow(HWND hwnd, int command);  // the previous visibility
// Paints at once (WM_PAINT sent) when a visible window has something to
// repaint; FALSE for a window that does not exist.
BOOL UpdateWindow(HWND hwnd);

HWND GetDlgItem(HWND parent, int id);
BOOL SetWindowTextW(HWND hwnd, LPCWSTR text);  // sends WM_SETTEXT
// Copies at most maxCount - 1 characters and a terminating zero; returns the
// number copied (sends WM_GETTEXT).
int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount);
int GetWindowTextLengthW(HWND hwnd);
// Returns whether the window was disabled before.
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL CheckDlgButton(HWND parent, int id, UINT check);  // BM_SETCHECK to the child
UINT IsDlgButtonChecked(HWND parent, int id);          // BM_GETCHECK of the child

// Top-level windows: screen coordinates of the whole window, caption
// included. Children: screen coordinates, from their parent's client area.
BOOL GetWindowRect(HWND hwnd, RECT* rect);
// Moves and sizes unless SWP_NOMOVE / SWP_NOSIZE; HWND_TOPMOST and
// HWND_NOTOPMOST keep the window above all others or end that (a window
// manager that knows _NET_WM_STATE_ABOVE is asked to); any other insertAfter
// leaves the order as it is.
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags);

// Only GWLP_WNDPROC: SetWindowLongPtrW installs a new procedure and returns
// the previous one, which the new one hands messages on to with
// CallWindowProcW.
LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);
LRESULT CallWindowProcW(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Queues the message for the UI thread; messages arrive in the order they
// were posted, from all threads together. FALSE for a null window.
BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Ends the message loop: GetMessageW returns 0 with WM_QUIT once the
// messages posted before are taken. Call it on the UI thread.
void PostQuitMessage(int exitCode);

// Waits for the next message: posted messages first, in order, then
// WM_QUIT, then WM_PAINT for a visible window with something to repaint.
// Returns 0 for WM_QUIT, else nonzero. The filter must be null, 0, 0 (all
// windows, all messages).
BOOL GetMessageW(MSG* message, HWND filter, UINT filterMin, UINT filterMax);
inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;
// As GetMessageW without waiting; FALSE when no message is there.
BOOL PeekMessageW(MSG* message, HWND filter, UINT filterMin, UINT filterMax, UINT removeFlag);
// The backends deliver keys already as WM_CHAR (Enter as WM_CHAR 13), so
// there is nothing to translate: always FALSE.
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageW(const MSG* message);

// Adds rect (the whole client area when null) to the window's update
// region, to be painted by the next WM_PAINT; erase asks for WM_ERASEBKGND
// first. On a control it redraws the control.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
// Starts painting the update region: sends WM_ERASEBKGND when erasing was
// asked for, validates the region and gives the device context to paint
// with, clipped to ps->rcPaint.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);

// Resources. The string table is filled by the program at start
// (platform/window/resources.h); icons and cursors are not shown, so any id
// gives a valid handle.
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
