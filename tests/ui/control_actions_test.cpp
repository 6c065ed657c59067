// What the controls do when the user works them: settings stored and saved,
// requests to the worker, restarts for new settings.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "core/settings.h"
#include "core/text_conversion.h"
#include "platform/window/inspect.h"
#include "platform/window/user_input.h"
#include "run/run_flags.h"
#include "ui/control_actions.h"
#include "ui/main_window.h"
#include "ui/support/main_window_fixture.h"

namespace {

using platform::window::inspectWindow;
using testing::Contains;

class ControlActions : public test::MainWindowTest {
protected:
    static void click(const ControlBinding& control) {
        EXPECT_TRUE(platform::window::clickControl(control.window));
        pumpPending();
    }
    static void pick(const ControlBinding& comboBox, const std::u16string& item) {
        const auto items = inspectWindow(comboBox.window)->items;
        const auto found = std::find(items.begin(), items.end(), item);
        ASSERT_NE(found, items.end());
        EXPECT_TRUE(platform::window::pickComboItem(comboBox.window, static_cast<int>(found - items.begin())));
        pumpPending();
    }
    static void enter(const ControlBinding& editBox, std::u16string_view text) {
        EnableWindow(editBox.window, TRUE);
        EXPECT_TRUE(platform::window::editText(editBox.window, text));
        EXPECT_TRUE(platform::window::pressEnter(editBox.window));
        pumpPending();
    }
    static bool enabled(const ControlBinding& control) { return inspectWindow(control.window)->enabled; }
    static bool restartAsked(std::int32_t delaySec) {
        return runStopRequested && closingReason == ClosingReason::NewSettings && restartDelaySec == delaySec;
    }
};

TEST_F(ControlActions, ACheckBoxIsToggledByItsHandlerAndSaved) {
    for (BoolControlParameter* setting : {&LOG, &WEEK, &ALWAYS_ON_TOP}) {
        const bool before = setting->value;
        click(*setting);
        EXPECT_EQ(setting->value, !before) << setting->name;
        EXPECT_EQ(inspectWindow(setting->window)->check, before ? BST_UNCHECKED : BST_CHECKED);
        EXPECT_EQ(fileValue(setting->name), before ? "false" : "true");
        click(*setting);
        EXPECT_EQ(setting->value, before);
    }
    EXPECT_FALSE(runStopRequested);
}

TEST_F(ControlActions, AScanSwitchedOnBeforeRealTrafficConnectedRestartsTheRun) {
    click(SCAN_LIVERIES);  // off: nothing to do
    EXPECT_FALSE(runStopRequested);
    click(SCAN_LIVERIES);
    EXPECT_TRUE(restartAsked(2));

    test::resetMainWindowState();
    beforeFirstConnection = false;
    click(SCAN_AIRPORTS);
    click(SCAN_AIRPORTS);
    EXPECT_TRUE(SCAN_AIRPORTS.value);
    EXPECT_FALSE(runStopRequested);  // scanned at the next start
}

TEST_F(ControlActions, APendingStopKeepsItsReasonAndDelay) {
    runStopRequested = true;
    closingReason = ClosingReason::UserClosedSim;
    SIM_CHOICE.fillComboBox();
    pick(SIM_CHOICE, u"MSFS 2024");
    EXPECT_EQ(closingReason, ClosingReason::UserClosedSim);
    EXPECT_EQ(restartDelaySec, 0);
}

TEST_F(ControlActions, ButtonsPassTheirRequestToTheWorkerAndWaitForIt) {
    for (ButtonControl* button : {&unblockButton, &reReadButton, &flushStaticButton}) {
        EnableWindow(button->window, TRUE);
    }
    EnableWindow(DESTINATION.window, TRUE);
    click(flushStaticButton);
    EXPECT_TRUE(flushStaticRequested);
    EXPECT_FALSE(enabled(flushStaticButton));

    click(reReadButton);
    EXPECT_TRUE(reReadRequested);
    EXPECT_FALSE(enabled(reReadButton));
    EXPECT_FALSE(enabled(DESTINATION));

    BLOCK_CALLSIGN.value = "DLH4AB";
    click(unblockButton);
    EXPECT_TRUE(blockCallsignRequested);
    EXPECT_EQ(BLOCK_CALLSIGN.value.load(), "");
    EXPECT_EQ(fileValue("BLOCK_CALLSIGN"), "");
    EXPECT_FALSE(enabled(unblockButton));
}

TEST_F(ControlActions, APickInAComboBoxBecomesTheSavedValue) {
    RANGE.fillComboBox();
    pick(RANGE, u"80");
    EXPECT_EQ(RANGE.value, 80);
    EXPECT_EQ(fileValue("RANGE"), "80");
    EXPECT_EQ(trafficRadiusMeters, 148160U);

    AI_PACKAGE_SELECTOR.fillComboBox();
    const std::u16string second = inspectWindow(AI_PACKAGE_SELECTOR.window)->items.at(1);
    pick(AI_PACKAGE_SELECTOR, second);
    EXPECT_EQ(gf_utf8ToUtf16(AI_PACKAGE_SELECTOR.value), second);
    EXPECT_FALSE(runStopRequested);
}

TEST_F(ControlActions, AnotherSimulatorRestartsTheRunTheSameOneDoesNot) {
    SIM_CHOICE.fillComboBox();
    pick(SIM_CHOICE, u"MSFS 2020");
    EXPECT_FALSE(runStopRequested);
    pick(SIM_CHOICE, u"MSFS 2024");
    EXPECT_EQ(fileValue("SIM_CHOICE"), "MSFS 2024");
    EXPECT_TRUE(restartAsked(3));
}

TEST_F(ControlActions, AnEntryThatIsNoTextIsLoggedAndLeftUnhandled) {
    SendMessageW(SIM_CHOICE.window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"MSFS \xD800"));
    EXPECT_TRUE(platform::window::pickComboItem(SIM_CHOICE.window, 0));
    pumpPending();
    EXPECT_EQ(SIM_CHOICE.value.load(), "MSFS 2020");
    EXPECT_FALSE(runStopRequested);
    EXPECT_THAT(log.lines(), Contains(testing::StartsWith("lf_HandleWMCOMMAND exception ")));
}

TEST_F(ControlActions, EnterInTheCallsignBoxesAsksTheWorker) {
    enter(BLOCK_CALLSIGN, u"dlh4ab");
    EXPECT_EQ(BLOCK_CALLSIGN.value.load(), "DLH4AB");
    EXPECT_EQ(fileValue("BLOCK_CALLSIGN"), "DLH4AB");
    EXPECT_EQ(inspectWindow(BLOCK_CALLSIGN.window)->text, u"DLH4AB");
    EXPECT_TRUE(blockCallsignRequested);
    EXPECT_TRUE(enabled(unblockButton));

    enter(CALLSIGN_2_OBJECTID, u"baw12");
    EXPECT_EQ(CALLSIGN_2_OBJECTID.value.load(), "BAW12");
    EXPECT_TRUE(objectIdLookupRequested);
    EXPECT_EQ(fileValue("CALLSIGN_2_OBJECTID"), "<absent>");  // never kept in the file
}

TEST_F(ControlActions, ANewPackagesPathIsKeptForTheChosenSimulatorAndRestartsTheRun) {
    enter(ALL_INSTALL_PATH, u"");
    EXPECT_FALSE(runStopRequested);
    enter(ALL_INSTALL_PATH, u"/games/MSFS/Packages/Community");
    EXPECT_EQ(MSFS_INSTALL_PATH.value.load(), "/games/MSFS/Packages/Community");
    EXPECT_EQ(fileValue("MSFS_INSTALL_PATH"), "/games/MSFS/Packages/Community");
    EXPECT_EQ(MSFS_2024_INSTALL_PATH.value.load(), "");
    EXPECT_TRUE(restartAsked(3));
}

TEST_F(ControlActions, ADestinationIsSavedShownAndAnnounced) {
    EnableWindow(reReadButton.window, TRUE);
    gf_setDestination("EDDF", {50.0333, 8.5706});
    EXPECT_EQ(fileValue("DESTINATION"), "EDDF");
    EXPECT_EQ(inspectWindow(DESTINATION.window)->text, u"EDDF");
    EXPECT_EQ(messageLine(), "New destination: EDDF");
    EXPECT_THAT(log.lines(), Contains("New destination: EDDF"));
    EXPECT_FALSE(enabled(reReadButton));
}

}  // namespace
