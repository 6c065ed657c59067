#pragma once
// The real main window on the headless backend, made as the program makes
// it (initInstance, with its controls), with its own settings file and log;
// the window's and the run's shared state is back at its start values after
// each test.

#include <string>
#include <vector>

#include "core/parameter.h"
#include "support/settings_file_fixture.h"
#include "platform/window/headless.h"
#include "platform/window/win32.h"

namespace test {

// The 42 controls' bindings, in the order the window makes them.
std::vector<ControlBinding*> mainWindowControls();

// The message line, the status and the run's flags at their start values.
void resetMainWindowState();

class MainWindowTest : public SettingsFileTest {
protected:
    MainWindowTest();
    ~MainWindowTest() override;

    // Dispatches what is queued, paints included.
    static void pumpPending();
    // The text the message line holds: the error when one is shown.
    static std::string messageLine();
    // The whole client area invalidated and painted: the drawing calls of
    // that paint, the erase with the class brush first.
    static std::vector<platform::window::DrawCall> paintWholeWindow();
};

}  // namespace test
