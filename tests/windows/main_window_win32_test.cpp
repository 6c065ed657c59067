// The program's main window on Windows' own desktop (under Wine on Xvfb in
// the test command), made as the program makes it: every control is a real
// USER32 control with the id, text and state the window layer holds, and a
// screenshot of it goes into the build folder.

#include <gtest/gtest.h>

#include <utility>
#include <string>

#include "platform/window/inspect.h"
#include "support/png_file.h"
#include "ui/status/main_window.h"
#include "ui/support/main_window_fixture.h"
#include "windows/support/real_windows.h"

namespace {

using vantrel::test::findRealWindow;
using vantrel::test::RealControl;
using vantrel::test::screenshotOf;

class MainWindowOnWindows : public test::MainWindowTest {
protected:
    MainWindowOnWindows() : MainWindowTest(platform::window::Backend::win32) {}
};

// Class names compare without case, as Windows compares them.
std::u16string lf_lowerCase(std::u16string text) {
    for (char16_t& character : text) {
        if (character >= u'A' && character <= u'Z') {
            character = static_cast<char16_t>(character - u'A' + u'a');
        }
    }
    return text;
}

TEST_F(MainWindowOnWindows, EveryControlIsARealControlWithItsTextAndStateAndTheWindowShowsItsPaint) {
    pumpPending();
    // The window class is named by the title, as the program names it.
    const auto real = findRealWindow(test::kMainWindowTestTitle, test::kMainWindowTestTitle);
    ASSERT_TRUE(real);
    EXPECT_TRUE(real->visible);
    EXPECT_EQ((std::pair{real->clientWidth, real->clientHeight}), (std::pair{880, 476}));

    const auto bindings = test::mainWindowControls();
    ASSERT_EQ(real->controls.size(), bindings.size());
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        const auto layer = platform::window::inspectWindow(bindings[i]->window);
        ASSERT_TRUE(layer);
        SCOPED_TRACE(testing::Message() << "control 0x" << std::hex << layer->id);
        const RealControl* found = real->control(layer->id);
        ASSERT_NE(found, nullptr);
        const RealControl& shown = *found;
        EXPECT_EQ(lf_lowerCase(shown.className), lf_lowerCase(layer->className));
        EXPECT_EQ(shown.text, layer->text);
        EXPECT_EQ(shown.enabled, layer->enabled);
        EXPECT_EQ(shown.visible, layer->visible);
        EXPECT_EQ(shown.checked, layer->check == BST_CHECKED);
        EXPECT_EQ(shown.items, layer->items);
        if (!layer->items.empty()) {
            EXPECT_EQ(shown.selection, layer->selection);
        }
        EXPECT_EQ((std::pair{shown.left, shown.top}), (std::pair{layer->rect.left, layer->rect.top}));
    }

    const auto shot = screenshotOf(test::kMainWindowTestTitle, test::kMainWindowTestTitle);
    ASSERT_TRUE(shot);
    ASSERT_TRUE(vantrel::test::writePng(VANTREL_BINARY_DIR "/main_window_screenshot.png", shot->width, shot->height,
                                        shot->rgb));
    EXPECT_EQ(shot->pixel(870, 300), 0x99CCFFU);  // the control panel
    EXPECT_EQ(shot->pixel(870, 140), 0U);         // the first separator line
    EXPECT_EQ(shot->pixel(870, 470), 0x32CD32U);  // the message line, empty
}

}  // namespace
