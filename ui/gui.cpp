#include "ui/gui.h"

#include <array>
#include <chrono>
#include <filesystem>
#include <thread>

#include "core/data_paths.h"
#include "core/format.h"
#include "core/log.h"
#include "platform/window/resources.h"
#include "platform/window/win32.h"
#include "ui/status/main_window.h"
#include "ui/status/program_resources.h"
#include "ui/window_position.h"
#include "ui/window_procedure.h"

namespace {

constexpr int kWindowWidthPx = 880;
constexpr int kWindowHeightPx = 516;
constexpr int kTitleCapacity = 100;  // wide characters
constexpr int kReadyChecks = 18;
constexpr auto kReadyCheckInterval = std::chrono::milliseconds(50);

// The string table, as a compiled resource would hold it before the program
// runs.
const bool lf_stringTableFilled = [] {
    platform::window::setStringResource(kTitleStringId, u"Vantrel");
    return true;
}();


bool lf_waitUntilReady() {
    for (int check = 0; check < kReadyChecks && !MainWindow::readyFlag; ++check) {
        std::this_thread::sleep_for(kReadyCheckInterval);
    }
    return MainWindow::readyFlag;
}

// The program's settings live there; a failure is logged and the start goes
// on.
void lf_makeDataFolder() {
    try {
        std::filesystem::create_directories(productDataFolder);
    } catch (const std::filesystem::filesystem_error& error) {
        gf_writeLogPlain(fmtlib::format("Failed to create directory: {}", error.what()));
    }
}

}  // namespace

bool gf_registerWindowClass(HINSTANCE instance, LPCWSTR title) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = gf_wndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = title;
    windowClass.hIconSm = windowClass.hIcon;
    return RegisterClassExW(&windowClass) != 0;
}


int gf_runGui(HINSTANCE instance) {
    std::array<char16_t, kTitleCapacity> title{};
    if (LoadStringW(instance, kTitleStringId, title.data(), kTitleCapacity) == 0) {
        gf_writeLogPlain("Failed to load application title");
        return 0;
    }
    if (!gf_registerWindowClass(instance, title.data())) {
        gf_writeLogPlain("Failed to register window class");
        return 0;
    }
    if (!initInstance(instance, title.data())) {
        gf_writeLogPlain("initInstance failed");
        return 0;
    }
    lf_makeDataFolder();
    PostMessageW(MainWindow::hwnd, kStartWorkerMessage, 0, 0);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) != 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

bool initInstance(HINSTANCE instance, LPCWSTR title) {
    if (!lf_waitUntilReady()) {
        return false;
    }
    gf_readWindowPosition();
    MainWindow::hwnd = CreateWindowExW(0, title, title, WS_CAPTION | WS_SYSMENU, MainWindow::MAIN_WINDOW_X.value,
                                       MainWindow::MAIN_WINDOW_Y.value, kWindowWidthPx, kWindowHeightPx, nullptr,
                                       nullptr, instance, nullptr);
    if (MainWindow::hwnd == nullptr) {
        return false;
    }
    ShowWindow(MainWindow::hwnd, SW_SHOW);
    return UpdateWindow(MainWindow::hwnd) != 0;
}
