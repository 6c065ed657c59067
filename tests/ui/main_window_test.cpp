// The main window as the program makes it, on the headless backend: its
// size and controls, its position between runs, closing, and its paint.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "core/core_state.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "core/text_conversion.h"
#include "platform/window/headless.h"
#include "platform/window/inspect.h"
#include "platform/window/user_input.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/support/main_window_fixture.h"
#include "ui/window_position.h"
#include "ui/window_procedure.h"

namespace {

using platform::window::inspectWindow;
using platform::window::TextCall;
using testing::ElementsAreArray;

class MainWindow_ : public test::MainWindowTest {};

enum class Kind { checkBox, comboBox, editBox, button };

struct ExpectedControl {
    int id;
    Kind kind;
    RECT rect;  // in the client area; a combo box's with its open list
    bool enabled;
};

TEST_F(MainWindow_, IsAFixedSizeWindowWithEveryControlAtItsIdPlaceSizeAndStartState) {
    const auto window = inspectWindow(MainWindow::hwnd);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->rect.right - window->rect.left, 880);
    EXPECT_EQ(window->rect.bottom - window->rect.top, 516);
    EXPECT_EQ((std::pair{window->rect.left, window->rect.top}), (std::pair{400, 20}));
    EXPECT_EQ(window->style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_TRUE(window->visible);

    // Check boxes 12 x 12 two pixels below the row, combo boxes five pixels
    // above it, edit boxes 16 and buttons 20 high at the row.
    const std::vector<ExpectedControl> expected{
        {0x8016, Kind::comboBox, {5, 114, 110, 194}, true},     {0x8014, Kind::editBox, {111, 119, 1311, 135}, false},
        {0x801d, Kind::checkBox, {5, 149, 17, 161}, true},      {0x801e, Kind::checkBox, {217, 149, 229, 161}, true},
        {0x8017, Kind::comboBox, {308, 142, 433, 286}, true},   {0x801f, Kind::checkBox, {450, 149, 462, 161}, true},
        {0x8020, Kind::checkBox, {536, 149, 548, 161}, true},   {0x800b, Kind::checkBox, {652, 149, 664, 161}, true},
        {0x8003, Kind::checkBox, {748, 149, 760, 161}, true},   {0x8021, Kind::checkBox, {5, 177, 17, 189}, true},
        {0x800a, Kind::checkBox, {652, 177, 664, 189}, true},   {0x8009, Kind::checkBox, {748, 177, 760, 189}, true},
        {0x8028, Kind::comboBox, {217, 198, 257, 318}, true},   {0x8029, Kind::checkBox, {323, 205, 335, 217}, true},
        {0x802a, Kind::checkBox, {430, 205, 442, 217}, true},   {0x802b, Kind::checkBox, {536, 205, 548, 217}, true},
        {0x8007, Kind::checkBox, {652, 205, 664, 217}, true},   {0x8005, Kind::checkBox, {748, 205, 760, 217}, true},
        {0x8032, Kind::comboBox, {217, 226, 267, 426}, true},   {0x8033, Kind::checkBox, {323, 233, 335, 245}, true},
        {0x8034, Kind::comboBox, {455, 226, 525, 456}, true},   {0x8036, Kind::checkBox, {748, 233, 760, 245}, true},
        {0x8042, Kind::checkBox, {217, 289, 229, 301}, true},   {0x8041, Kind::checkBox, {323, 289, 335, 301}, true},
        {0x8043, Kind::checkBox, {430, 289, 442, 301}, true},   {0x803c, Kind::editBox, {217, 259, 317, 275}, false},
        {0x803d, Kind::button, {323, 257, 393, 277}, false},    {0x8006, Kind::editBox, {460, 259, 555, 275}, false},
        {0x804e, Kind::comboBox, {323, 310, 378, 454}, true},   {0x804f, Kind::comboBox, {536, 310, 591, 454}, true},
        {0x8047, Kind::editBox, {217, 343, 267, 359}, false},   {0x8048, Kind::comboBox, {353, 338, 398, 482}, true},
        {0x8049, Kind::comboBox, {566, 338, 636, 568}, true},   {0x8058, Kind::checkBox, {652, 317, 664, 329}, true},
        {0x8054, Kind::checkBox, {5, 373, 17, 385}, true},      {0x8056, Kind::checkBox, {71, 373, 83, 385}, true},
        {0x8053, Kind::checkBox, {151, 373, 163, 385}, true},   {0x8050, Kind::editBox, {323, 371, 357, 387}, false},
        {0x8052, Kind::checkBox, {430, 373, 442, 385}, true},   {0x8057, Kind::editBox, {566, 371, 600, 387}, false},
        {0x8046, Kind::button, {758, 341, 848, 361}, false},    {0x805a, Kind::button, {758, 369, 848, 389}, false},
    };
    const std::vector<HWND> children = platform::window::childWindows(MainWindow::hwnd);
    ASSERT_EQ(children.size(), expected.size());
    const std::vector<ControlBinding*> bindings = test::mainWindowControls();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ExpectedControl& want = expected[i];
        SCOPED_TRACE(testing::Message() << "control 0x" << std::hex << want.id);
        const auto control = inspectWindow(children[i]);
        ASSERT_TRUE(control);
        EXPECT_EQ(control->id, want.id);
        EXPECT_EQ(bindings[i]->controlId, want.id);
        EXPECT_EQ(bindings[i]->window.load(), children[i]);
        EXPECT_EQ(GetDlgItem(MainWindow::hwnd, want.id), children[i]);
        EXPECT_EQ((std::array{control->rect.left, control->rect.top, control->rect.right, control->rect.bottom}),
                  (std::array{want.rect.left, want.rect.top, want.rect.right, want.rect.bottom}));
        EXPECT_EQ(control->enabled, want.enabled);
        EXPECT_TRUE(control->visible);
        switch (want.kind) {
        case Kind::checkBox:
            EXPECT_EQ(control->className, u"button");
            EXPECT_EQ(control->style & BS_CHECKBOX, BS_CHECKBOX);
            EXPECT_EQ(control->check, dynamic_cast<BoolControlParameter*>(bindings[i])->value ? BST_CHECKED
                                                                                               : BST_UNCHECKED);
            break;
        case Kind::comboBox:
            EXPECT_EQ(control->className, u"ComboBox");
            EXPECT_EQ(control->style & CBS_DROPDOWNLIST, CBS_DROPDOWNLIST);
            break;
        case Kind::editBox:
            EXPECT_EQ(control->className, u"Edit");
            EXPECT_EQ(bindings[i]->previousWindowProc.load() != nullptr, true);  // subclassed
            break;
        case Kind::button:
            EXPECT_EQ(control->className, u"button");
            EXPECT_EQ(control->text, gf_utf8ToUtf16(dynamic_cast<ButtonControl*>(bindings[i])->name));
            break;
        }
    }
}

TEST_F(MainWindow_, ClosingOnlyAsksTheWorkerToStopAndTheFirstReasonStays) {
    EXPECT_TRUE(platform::window::closeWindow(MainWindow::hwnd));
    pumpPending();
    EXPECT_TRUE(inspectWindow(MainWindow::hwnd));  // not destroyed
    EXPECT_TRUE(userCloseRequested);
    EXPECT_TRUE(runStopRequested);
    EXPECT_EQ(closingReason, ClosingReason::UserClosedSim);
    EXPECT_EQ(messageLine(), "Close window button clicked, closing Vantrel ...");
    EXPECT_EQ(MainWindow::messageStamp, 1);

    closingReason = ClosingReason::NewSettings;  // a restart asked for before the second close
    platform::window::closeWindow(MainWindow::hwnd);
    pumpPending();
    EXPECT_EQ(closingReason, ClosingReason::NewSettings);
}

TEST_F(MainWindow_, EndOfProgramSavesThePositionAndEndsTheLoop) {
    platform::window::moveWindow(MainWindow::hwnd, 123, 45);
    PostMessageW(MainWindow::hwnd, kEndProgramMessage, 0, 0);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) != 0) {
        DispatchMessageW(&message);
    }
    EXPECT_EQ(message.wParam, 0U);
    EXPECT_EQ(fileValue("MAIN_WINDOW_X"), "123");
    EXPECT_EQ(fileValue("MAIN_WINDOW_Y"), "45");
}

// The message line: green, or red while an error is shown, with the text in
// yellow at (3,455); a change repaints only the line.
TEST_F(MainWindow_, PaintsTheMessageLineGreenWithItsTextOrRedWithTheError) {
    const auto paintedMessageLine = [] {
        pumpPending();
        const auto paints = platform::window::takeHeadlessPaints();
        EXPECT_FALSE(paints.empty());
        std::vector<platform::window::DrawCall> line;
        if (!paints.empty()) {
            EXPECT_EQ(paints.back().paintRect.top, 448);  // only the line was invalidated
            for (const auto& call : paints.back().calls) {
                const auto* fill = std::get_if<platform::window::FillRectCall>(&call);
                const auto* text = std::get_if<TextCall>(&call);
                if ((fill != nullptr && fill->rect.top == 448) || (text != nullptr && text->at.y == 455)) {
                    line.push_back(call);
                }
            }
        }
        return line;
    };
    // Each paint erases the line first (the class's black brush) and fills
    // it green with the rest of the window's background.
    const platform::window::DrawCall erased{platform::window::FillRectCall{{0, 448, 880, 476}, 0x000000}};
    const platform::window::FillRectCall green{{0, 448, 880, 476}, 0x32CD32};
    const platform::window::FillRectCall red{{0, 448, 880, 476}, 0x0000FF};

    gf_showMessage("New destination: EDDF", false);
    EXPECT_THAT(paintedMessageLine(),
                ElementsAreArray({erased, platform::window::DrawCall{green}, platform::window::DrawCall{green},
                                  platform::window::DrawCall{TextCall{{3, 455}, u"New destination: EDDF", 0x00FFFF, {}}}}));
    gf_showError("3: no liveries");
    EXPECT_THAT(paintedMessageLine(),
                ElementsAreArray({erased, platform::window::DrawCall{green}, platform::window::DrawCall{red},
                                  platform::window::DrawCall{TextCall{{3, 455}, u"3: no liveries", 0x00FFFF, {}}}}));
    gf_clearError();
    EXPECT_THAT(paintedMessageLine(),
                ElementsAreArray({erased, platform::window::DrawCall{green}, platform::window::DrawCall{green}}));
}

// The simulator link writes the user's stand while the UI thread paints it:
// every read is one whole text.
TEST(MainWindowStatus, TextsWrittenByAnotherThreadAreReadWhole) {
    const std::string first(64, 'A');
    const std::string second = "B12";
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int round = 0; round < 20000; ++round) {
            MainWindow::userStandText = round % 2 == 0 ? first : second;
        }
        done = true;
    });
    while (!done) {
        const std::string read = MainWindow::userStandText;
        ASSERT_TRUE(read.empty() || read == first || read == second) << read;
    }
    writer.join();
    MainWindow::userStandText = "";
}

// Where the window opens: a position at a limit (as a minimised window
// reports) is never kept.
class WindowPosition : public test::SettingsFileTest {};

TEST_F(WindowPosition, AStoredPositionAtALimitBecomesTheDefaultAndIsSaved) {
    writeEntries({{"MAIN_WINDOW_X", "-30000"}, {"MAIN_WINDOW_Y", "250"}});
    gf_readWindowPosition();
    EXPECT_EQ(MainWindow::MAIN_WINDOW_X.value, 400);
    EXPECT_EQ(MainWindow::MAIN_WINDOW_Y.value, 250);
    EXPECT_EQ(fileValue("MAIN_WINDOW_X"), "400");
    EXPECT_EQ(fileValue("MAIN_WINDOW_Y"), "250");

    writeEntries({{"MAIN_WINDOW_X", "99999"}, {"MAIN_WINDOW_Y", "-40000"}});  // clamped onto the limits
    gf_readWindowPosition();
    EXPECT_EQ((std::pair{MainWindow::MAIN_WINDOW_X.value.load(), MainWindow::MAIN_WINDOW_Y.value.load()}),
              (std::pair{400, 20}));
}

TEST_F(WindowPosition, WithoutASettingsFileTheDefaultsStay) {
    gf_readWindowPosition();
    EXPECT_EQ((std::pair{MainWindow::MAIN_WINDOW_X.value.load(), MainWindow::MAIN_WINDOW_Y.value.load()}),
              (std::pair{400, 20}));
    EXPECT_FALSE(std::filesystem::exists(path));
}

class ClosedWindowPosition : public test::MainWindowTest {};

TEST_F(ClosedWindowPosition, AMinimisedWindowKeepsThePositionBefore) {
    platform::window::moveWindow(MainWindow::hwnd, -32000, -32000);
    gf_saveWindowPosition(MainWindow::hwnd);
    EXPECT_EQ(fileValue("MAIN_WINDOW_X"), "400");
    EXPECT_EQ(fileValue("MAIN_WINDOW_Y"), "20");

    platform::window::moveWindow(MainWindow::hwnd, 700, -32000);
    gf_saveWindowPosition(MainWindow::hwnd);
    EXPECT_EQ(fileValue("MAIN_WINDOW_X"), "700");
    EXPECT_EQ(fileValue("MAIN_WINDOW_Y"), "20");
}

}  // namespace
