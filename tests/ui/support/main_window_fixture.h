#pragma once
// The real main window, made as the program makes it (initInstance, with
// its controls), on the headless backend unless a test asks for another,
// with its own settings file and log; the window's and the run's shared
// state is back at its start values after each test.

#include <string>
#include <vector>

#include "core/parameter.h"
#include "support/settings_file_fixture.h"
#include "platform/window/backend.h"
#include "platform/window/headless.h"
#include "platform/window/win32.h"

namespace test {

// The title and class name of the tests' main window: a class of its own,
// so that the program's own ("Vantrel") stays free for the test that starts
// the whole user interface.
inline constexpr const char16_t* kMainWindowTestTitle = u"Vantrel window test";

// The 42 controls' bindings, in the order the window makes them.
std::vector<ControlBinding*> mainWindowControls();

// The message line, the status and the run's flags at their start values.
void resetMainWindowState();

class MainWindowTest : public SettingsFileTest {
protected:
    explicit MainWindowTest(platform::window::Backend backend = platform::window::Backend::headless);
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
