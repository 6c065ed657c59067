#include "ui/window_procedure.h"

#include <exception>

#include "core/format.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "ui/control_actions.h"
#include "ui/controls.h"
#include "ui/edit_box_actions.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/program_resources.h"
#include "ui/window_paint.h"
#include "ui/window_position.h"

void (*workerStarter)() = nullptr;

namespace {

constexpr COLORREF kControlPanelColour = 0xFFCC99;  // light blue

void lf_paint(HWND hwnd) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(hwnd, &paint);
    gf_paintWindow(dc);
    EndPaint(hwnd, &paint);
}

// The user's close: the worker ends its run and then posts WM_APP+2. The
// first closing reason set stays.
void lf_requestClose() {
    gf_showMessage(fmtlib::format("Close window button clicked, closing {} ...", kProductName), false);
    gf_requestUserClose();
}

// A new worker in place of the one before.
void lf_startWorker() {
    if (workerStarter == nullptr) {
        return;
    }
    try {
        workerStarter();
    } catch (const std::exception& error) {
        gf_showError(fmtlib::format("{} exception: {}", "gf_wndProc", error.what()));
    }
}

LRESULT lf_controlColour(HDC dc) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, kControlPanelColour);
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

}  // namespace

LRESULT gf_wndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        gf_createControls(hwnd, reinterpret_cast<const CREATESTRUCTW*>(lParam), gf_editBoxProcedure);
        return 0;
    case WM_PAINT:
        lf_paint(hwnd);
        return 0;
    case WM_CLOSE:
        lf_requestClose();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        return gf_handleWmCommand(hwnd, wParam) ? 0 : DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return lf_controlColour(reinterpret_cast<HDC>(wParam));
    case kStartWorkerMessage:
        lf_startWorker();
        return 0;
    case kEndProgramMessage:
        gf_saveWindowPosition(hwnd);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void gf_postWorkerEnd(bool restart) {
    if (MainWindow::hwnd != nullptr) {
        PostMessageW(MainWindow::hwnd, restart ? kStartWorkerMessage : kEndProgramMessage, 0, 0);
    }
}
