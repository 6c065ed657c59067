#pragma once
// A top-level test window whose procedure records every message it gets and
// can hand messages to a test's own handler, and helpers to run the loop.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "platform/window/backend.h"
#include "platform/window/win32.h"

namespace vantrel::test {

inline constexpr int kTestWindowWidthPx = 880;
inline constexpr int kTestWindowHeightPx = 516;

class WindowTest : public ::testing::Test {
protected:
    // The backend the test runs on; a test of the FLTK backend overrides it.
    virtual platform::window::Backend backend() const { return platform::window::Backend::headless; }

    void SetUp() override;
    void TearDown() override;

    // A child control of the test window.
    HWND createControl(const char16_t* className, DWORD style, int id, RECT rect, const char16_t* text = u"");

    // Dispatches what is queued (paints included) until nothing is left.
    void pumpPending();
    // Runs the loop until the procedure has seen a message that satisfies
    // done, which ends the loop with PostQuitMessage.
    void runLoopUntil(std::function<bool(const MSG&)> done);

    // Messages the window procedure got (of the test window and its
    // controls' notifications), in order.
    std::vector<MSG> received_;
    // Called first for each message of the test window; a result ends the
    // message there, else DefWindowProcW gets it.
    std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> handler_;
    HWND window_ = nullptr;

private:
    static LRESULT testWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static WindowTest* current_;
};

// An edit-box subclass as the main window makes them: Enter (WM_CHAR 13) is
// its own, everything else goes on to the procedure it replaced. It records
// the messages it sees.
struct EnterSubclass {
    static inline WNDPROC previous = nullptr;
    static inline std::vector<UINT> seen;
    static inline int enters = 0;

    // Installs the subclass on the edit box, forgetting what an earlier one
    // saw.
    static void install(HWND editBox);
    static LRESULT procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace vantrel::test
