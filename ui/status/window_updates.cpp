#include "ui/status/window_updates.h"

#include "platform/window/user32.h"
#include "ui/status/main_window.h"

namespace {

const RECT* lf_regionRect(WindowRegion region) {
    switch (region) {
        case WindowRegion::Header: return &MainWindow::headerRect;
        case WindowRegion::StatusBlock: return &MainWindow::statusBlockRect;
        case WindowRegion::ControlPanel: return &MainWindow::controlPanelRect;
        case WindowRegion::Statistics: return &MainWindow::statisticsRect;
        case WindowRegion::MessageLine: return &MainWindow::messageLineRect;
        case WindowRegion::Whole: break;
    }
    return nullptr;
}

}  // namespace

void gf_repaint(WindowRegion region) { InvalidateRect(MainWindow::hwnd, lf_regionRect(region), TRUE); }

void gf_enableControl(const ControlBinding& control, bool enable) {
    EnableWindow(control.window, enable ? TRUE : FALSE);
}
