#include "ui/window_position.h"

#include <chrono>
#include <pugixml.hpp>

#include "core/calendar.h"
#include "core/log.h"
#include "core/parameters_store.h"
#include "platform/window/user32.h"
#include "ui/status/main_window.h"

namespace {

void lf_keepCoordinate(IntParameter& setting, int coordinate) {
    if (setting.value == setting.min || setting.value == setting.max) {
        setting.value = setting.clamped(coordinate);
        setting.save();
    }
}

void lf_saveCoordinate(IntParameter& setting, int coordinate) {
    setting.value = setting.clamped(coordinate);
    setting.save();
}

}  // namespace

void gf_keepWindowPosition(int x, int y) {
    lf_keepCoordinate(MainWindow::MAIN_WINDOW_X, x);
    lf_keepCoordinate(MainWindow::MAIN_WINDOW_Y, y);
}

void gf_readWindowPosition() {
    {
        const auto lock = gf_lockParametersFile();
        pugi::xml_document document;
        if (gf_loadParametersFile(document).state != ParametersFileState::loaded) {
            return;
        }
        MainWindow::MAIN_WINDOW_X.read(document, false);
        MainWindow::MAIN_WINDOW_Y.read(document, false);
    }
    gf_keepWindowPosition(MainWindow::MAIN_WINDOW_X.defaultValue, MainWindow::MAIN_WINDOW_Y.defaultValue);
}

void gf_saveWindowPosition(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    const int previousX = MainWindow::MAIN_WINDOW_X.value;
    const int previousY = MainWindow::MAIN_WINDOW_Y.value;
    lf_saveCoordinate(MainWindow::MAIN_WINDOW_X, rect.left);
    lf_saveCoordinate(MainWindow::MAIN_WINDOW_Y, rect.top);
    gf_keepWindowPosition(previousX, previousY);
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    gf_writeLogPlain(gf_formatTime(std::chrono::duration_cast<std::chrono::seconds>(now).count()));
}

void gf_keepWindowOnTop(bool onTop) {
    SetWindowPos(MainWindow::hwnd, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
