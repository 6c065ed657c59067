// The settings in the controls of the main window, on the headless backend
// of the window layer.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "core/parameters_file.h"
#include "core/settings.h"
#include "platform/window/backend.h"
#include "platform/window/inspect.h"
#include "platform/window/win32.h"
#include "support/settings_file_fixture.h"
#include "ui/controls.h"
#include "ui/radius.h"
#include "ui/status/main_window.h"

namespace {

using platform::window::inspectWindow;
using testing::Contains;
using testing::ElementsAre;

constexpr const char16_t* kClassName = u"VantrelSettingsTest";

LRESULT lf_editSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The main window with the controls of some settings.
class SettingsControls : public test::SettingsFileTest {
protected:
    SettingsControls() {
        EXPECT_TRUE(platform::window::selectBackend(platform::window::Backend::headless));
        static const ATOM atom = [] {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = DefWindowProcW;
            windowClass.lpszClassName = kClassName;
            return RegisterClassExW(&windowClass);
        }();
        EXPECT_NE(atom, 0);
        MainWindow::hwnd = CreateWindowExW(0, kClassName, u"Vantrel", WS_CAPTION, 400, 20, 880, 516, nullptr,
                                           nullptr, nullptr, nullptr);
        CREATESTRUCTW create{};
        for (BoolControlParameter* setting : gf_parameterGroups().checkBoxes) {
            gf_createCheckBox(*setting, MainWindow::hwnd, &create, 5);
        }
        gf_createEditBox(MAX_FIT, MainWindow::hwnd, &create, 600, 30, lf_editSubclass);
        gf_createEditBox(BLOCK_CALLSIGN, MainWindow::hwnd, &create, 100, 80, lf_editSubclass);
        gf_createButton(flushStaticButton, MainWindow::hwnd, &create, 758, 90);
        for (ControlBinding* combo : std::initializer_list<ControlBinding*>{&RANGE, &SIM_CHOICE}) {
            combo->window = CreateWindowExW(0, u"ComboBox", u"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 5,
                                            combo->y, 100, 80, MainWindow::hwnd,
                                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(combo->controlId)),
                                            nullptr, nullptr);
        }
    }
    ~SettingsControls() override {
        DestroyWindow(MainWindow::hwnd);
        MainWindow::hwnd = nullptr;
        for (ControlBinding* binding : bindings()) {
            binding->window = nullptr;
            binding->previousWindowProc = nullptr;
        }
    }

    static std::vector<ControlBinding*> bindings() {
        std::vector<ControlBinding*> all{&MAX_FIT, &BLOCK_CALLSIGN, &flushStaticButton, &RANGE, &SIM_CHOICE};
        for (BoolControlParameter* setting : gf_parameterGroups().checkBoxes) {
            all.push_back(setting);
        }
        return all;
    }
    static bool checked(const ControlBinding& binding) { return inspectWindow(binding.window)->check == BST_CHECKED; }
    static std::u16string text(const ControlBinding& binding) { return inspectWindow(binding.window)->text; }
};

TEST_F(SettingsControls, ControlsAreMadeAtTheirRowsAndKeptInTheBindings) {
    const auto checkBox = inspectWindow(SCAN_AIRPORTS.window);
    ASSERT_TRUE(checkBox);
    EXPECT_EQ(checkBox->id, 0x8021);
    EXPECT_EQ(checkBox->rect.top, 175 + 2);
    EXPECT_EQ(checkBox->rect.right - checkBox->rect.left, 12);
    EXPECT_EQ(checkBox->check, BST_CHECKED);  // its default
    EXPECT_EQ(inspectWindow(WEEK.window)->check, BST_UNCHECKED);
    EXPECT_EQ(GetDlgItem(MainWindow::hwnd, 0x8021), SCAN_AIRPORTS.window);

    const auto button = inspectWindow(flushStaticButton.window);
    EXPECT_EQ(button->text, u"Flush static");
    EXPECT_FALSE(button->enabled);
    EXPECT_EQ(button->rect.top, 369);

    EXPECT_FALSE(inspectWindow(MAX_FIT.window)->enabled);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(MAX_FIT.window, GWLP_WNDPROC)), &lf_editSubclass);
    EXPECT_NE(MAX_FIT.previousWindowProc.load(), nullptr);
    EXPECT_NE(MAX_FIT.previousWindowProc.load(), &lf_editSubclass);
}

// The worker reads the settings while the window shows them.
TEST_F(SettingsControls, ReadingOnTheWorkerShowsTheValuesInTheControls) {
    RANGE.fillComboBox();
    writeEntries({{"PROGRAM_VERSION", "11.0.2"},
                  {"WEEK", "true"},
                  {"LOG", "false"},
                  {"SCAN_LIVERIES", "false"},
                  {"MAX_FIT", "30"},
                  {"RANGE", "25"},
                  {"BLOCK_CALLSIGN", "DLH4ÄB"}});
    std::thread worker(gf_readParameters);
    worker.join();

    EXPECT_TRUE(checked(WEEK));
    EXPECT_FALSE(checked(LOG));
    EXPECT_TRUE(checked(SCAN_LIVERIES));  // switched on by the version update
    EXPECT_EQ(text(MAX_FIT), u"30");
    EXPECT_EQ(text(BLOCK_CALLSIGN), u"DLH4ÄB");
    EXPECT_EQ(inspectWindow(RANGE.window)->selection, 12);  // 25 nm
    EXPECT_EQ(trafficRadiusMeters, 25U * 1852U);
    // MATCHING_DEPTH has no control in this window.
    EXPECT_THAT(log.lines(), Contains("GetDlgItem failed for ID 32808"));
}

TEST_F(SettingsControls, NewFileShowsTheDefaults) {
    for (BoolControlParameter* setting : gf_parameterGroups().checkBoxes) {
        SendMessageW(setting->window, BM_SETCHECK, setting->defaultValue ? BST_UNCHECKED : BST_CHECKED, 0);
    }
    loadParameters(gf_parameterGroups());
    for (const BoolControlParameter* setting : gf_parameterGroups().checkBoxes) {
        EXPECT_EQ(checked(*setting), setting->defaultValue) << setting->name;
    }
    EXPECT_EQ(text(MAX_FIT), u"47");
}

TEST_F(SettingsControls, ChoiceComboBoxesListTheChoicesAndSelectTheValue) {
    RANGE.value = 65;
    RANGE.fillComboBox();
    const auto range = inspectWindow(RANGE.window);
    ASSERT_EQ(range->items.size(), 20U);
    EXPECT_EQ(range->items.front(), u"2");
    EXPECT_EQ(range->items.back(), u"100");
    EXPECT_EQ(range->selection, 17);

    RANGE.value = 7;  // read from the file, not one of the choices
    RANGE.fillComboBox();
    EXPECT_EQ(inspectWindow(RANGE.window)->selection, -1);
    EXPECT_EQ(inspectWindow(RANGE.window)->items.size(), 20U);

    const std::pair<const char*, int> simulators[] = {{"MSFS 2024", 1}, {"msfs 2020", 0}, {"X-Plane", -1}};
    for (const auto& [value, selection] : simulators) {
        SIM_CHOICE.value = value;
        SIM_CHOICE.fillComboBox();
        const auto simulator = inspectWindow(SIM_CHOICE.window);
        EXPECT_THAT(simulator->items, ElementsAre(u"MSFS 2020", u"MSFS 2024"));
        EXPECT_EQ(simulator->selection, selection) << value;
    }

    AIRP_RANGE.fillComboBox();  // no control yet: nothing happens
}

TEST_F(SettingsControls, RadiusSelectsItsChoiceAndKeepsTheUnclampedRadius) {
    RANGE.fillComboBox();
    EXPECT_EQ(gf_setRadiusNm(80), 148160U);
    EXPECT_EQ(inspectWindow(RANGE.window)->selection, 18);
    EXPECT_EQ(gf_setRadiusNm(7), 12964U);  // no choice: the selection stays
    EXPECT_EQ(RANGE.value, 7);
    EXPECT_EQ(inspectWindow(RANGE.window)->selection, 18);
    gf_setRadiusNm(150);
    EXPECT_EQ(RANGE.value, 100);
    EXPECT_EQ(trafficRadiusNm, 150.0);
    EXPECT_EQ(trafficRadiusMeters, 277800U);
    EXPECT_EQ(inspectWindow(RANGE.window)->selection, 19);
}

}  // namespace
