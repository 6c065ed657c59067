// The ten controls of the static-parking settings are disabled while static
// parking works and enabled again afterwards, with the countdown to the next
// renewal restarted.

#include <gtest/gtest.h>

#include <array>

#include "core/settings.h"
#include "platform/window/backend.h"
#include "platform/window/win32.h"
#include "simlink/parking_controls.h"
#include "simlink/simlink_state.h"
#include "simlink/support/sim_link_fixture.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"

namespace {

constexpr const char16_t* kClassName = u"VantrelParkingControlsTest";

class ParkingControls : public test::SimLinkTest {
protected:
    ParkingControls() {
        EXPECT_TRUE(platform::window::selectBackend(platform::window::Backend::headless));
        static const ATOM atom = [] {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = DefWindowProcW;
            windowClass.lpszClassName = kClassName;
            return RegisterClassExW(&windowClass);
        }();
        EXPECT_NE(atom, 0);
        window_ = CreateWindowExW(0, kClassName, u"Vantrel", WS_CAPTION, 0, 0, 880, 516, nullptr, nullptr, nullptr,
                                  nullptr);
        for (ControlBinding* binding : allControls()) {
            binding->window = CreateWindowExW(0, u"button", u"", WS_CHILD | WS_VISIBLE, 0, binding->y, 20, 20,
                                              window_, nullptr, nullptr, nullptr);
        }
    }
    ~ParkingControls() override {
        for (ControlBinding* binding : allControls()) {
            DestroyWindow(binding->window);
            binding->window = nullptr;
        }
        DestroyWindow(window_);
        staticParkingBusy = false;
        MainWindow::minutesToRenewal = 0;
    }

    static std::array<ControlBinding*, 10> parkingControls() {
        return {&parking_percentage, &INITIAL_LOAD_ONLY, &PARK_FAKE,  &PARK_SOFT,         &MAX_PARK_SEL,
                &MAX_LIVE_SEL,       &MAX_FIT_FL,        &WEEK,       &flushStaticButton, &reReadButton};
    }
    static std::array<ControlBinding*, 11> allControls() {
        const auto parking = parkingControls();
        return {parking[0], parking[1], parking[2], parking[3], parking[4], parking[5],
                parking[6], parking[7], parking[8], parking[9], &RANGE};
    }

private:
    HWND window_ = nullptr;
};

TEST_F(ParkingControls, LockDisablesTheTenControlsUntilTheUnlock) {
    gf_showMessage("Static parking ...", false);
    gf_lockParkingControls();
    EXPECT_TRUE(staticParkingBusy);
    EXPECT_EQ(messageLine(), "");
    for (ControlBinding* control : parkingControls()) {
        EXPECT_FALSE(IsWindowEnabled(control->window)) << control->controlId;
    }
    EXPECT_TRUE(IsWindowEnabled(RANGE.window)) << "other controls stay as they are";

    gf_showMessage("Static parking done", false);
    gf_unlockParkingControls();
    EXPECT_FALSE(staticParkingBusy);
    EXPECT_EQ(MainWindow::minutesToRenewal, 19);
    EXPECT_EQ(messageLine(), "");
    for (ControlBinding* control : parkingControls()) {
        EXPECT_TRUE(IsWindowEnabled(control->window)) << control->controlId;
    }
}

}  // namespace
