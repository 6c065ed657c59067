// The setters that show a setting's value in its control of the main window.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "core/settings.h"
#include "platform/window/headless.h"
#include "platform/window/inspect.h"
#include "ui/status/control_texts.h"
#include "ui/status/main_window.h"
#include "ui/support/main_window_fixture.h"

namespace {

using platform::window::inspectWindow;
using testing::Contains;
using testing::StartsWith;

class ControlSetters : public test::MainWindowTest {
protected:
    static std::u16string shown(const ControlBinding& control) { return inspectWindow(control.window)->text; }

    // The region the paints since the last look covered.
    static RECT repainted() {
        pumpPending();
        const auto paints = platform::window::takeHeadlessPaints();
        return paints.empty() ? RECT{} : paints.back().paintRect;
    }
};

TEST_F(ControlSetters, ShowTheValueAndRepaintTheControlPanel) {
    const auto expectPanelRepainted = [] {
        const RECT rect = repainted();
        EXPECT_EQ((std::array{rect.top, rect.bottom}), (std::array{112, 392}));
    };
    parking_percentage.value = 45;
    gf_setTbInt(parking_percentage);
    EXPECT_EQ(shown(parking_percentage), u"45");
    expectPanelRepainted();

    for (const auto& [hours, text] : {std::pair{5.0F, u"5"}, std::pair{5.5F, u"5.5"}, std::pair{0.5F, u"0.5"}}) {
        MAX_FIT_FL.value = hours;
        gf_setTbFloat(MAX_FIT_FL);
        EXPECT_EQ(shown(MAX_FIT_FL), text);
    }
    expectPanelRepainted();

    DESTINATION.value = "LOWW";
    std::thread([] { gf_setTbText(DESTINATION); }).join();  // through the box's subclass, on the worker
    EXPECT_EQ(shown(DESTINATION), u"LOWW");
    expectPanelRepainted();

    gf_clearControlText(DESTINATION.controlId);
    EXPECT_EQ(shown(DESTINATION), u"");
}

TEST_F(ControlSetters, AMissingControlOrATextThatIsNoUtf8IsLoggedAndChangesNothing) {
    gf_setTbInt(MAX_FIT);  // MAX_FIT has no control: MAX_FIT_FL shows it
    EXPECT_THAT(log.lines(), Contains("GetDlgItem failed for ID 32853"));

    DESTINATION.value = "EDDF";
    gf_setTbText(DESTINATION);
    DESTINATION.value = "ED\xFF";
    gf_setTbText(DESTINATION);
    EXPECT_EQ(shown(DESTINATION), u"EDDF");
    EXPECT_THAT(log.lines(), Contains(StartsWith("Utf8ConversionException: ")));
}

}  // namespace
