#include "ui/window_paint.h"

#include <array>
#include <mutex>
#include <string>

#include "core/format.h"
#include "core/version.h"
#include "platform/window/gdi32.h"
#include "ui/control_labels.h"
#include "ui/panel_painter.h"
#include "ui/park_statistics.h"
#include "ui/status/main_window.h"
#include "ui/status/program_resources.h"
#include "ui/status_block.h"

namespace {

using namespace panelColour;

struct Line {
    POINT from;
    POINT to;
};

// The black lines between the rows of controls, and the one that closes the
// rows off on the right of the middle rows.
constexpr std::array kSeparatorLines{
    Line{{0, 140}, {880, 140}}, Line{{0, 168}, {642, 168}}, Line{{0, 196}, {642, 196}},
    Line{{0, 224}, {642, 224}}, Line{{0, 252}, {642, 252}}, Line{{0, 280}, {642, 280}},
    Line{{0, 308}, {880, 308}}, Line{{642, 140}, {642, 308}},
};

// The white lines under the header, above and below the control area and
// above the message line.
constexpr std::array kWhiteLines{
    Line{{0, 28}, {880, 28}},
    Line{{0, 113}, {880, 113}},
    Line{{0, 449}, {880, 449}},
    Line{{0, 392}, {880, 392}},
};

constexpr POINT kMessageTextAt{3, 455};

void lf_paintBackground(const PanelPainter& painter) {
    painter.fill(MainWindow::headerRect, black);
    painter.fill(MainWindow::statusBlockRect, black);
    painter.fill(MainWindow::controlPanelRect, controlArea);
    painter.fill(MainWindow::statisticsRect, black);
    painter.fill(MainWindow::messageLineRect, green);
    for (const Line& line : kWhiteLines) {
        painter.line(line.from, line.to, white);
    }
}

void lf_paintHeader(const PanelPainter& painter) {
    painter.text(3, 7, fmtlib::format("Version {}", gf_formatVersion(programVersion)), green);
    painter.text(390, 7, std::string(kProductName), green);
}

// Green, or red while an error is shown, with the text in yellow.
void lf_paintMessageLine(const PanelPainter& painter) {
    const std::lock_guard lock(MainWindow::messageMutex);
    const bool error = !MainWindow::errorText.empty();
    painter.fill(MainWindow::messageLineRect, error ? red : green);
    painter.text(kMessageTextAt.x, kMessageTextAt.y, error ? MainWindow::errorText : MainWindow::messageText, yellow);
}

}  // namespace

void gf_paintWindow(HDC dc) {
    const PanelPainter painter(dc);
    lf_paintBackground(painter);
    SetBkMode(dc, TRANSPARENT);
    lf_paintHeader(painter);
    for (const Line& line : kSeparatorLines) {
        painter.line(line.from, line.to, black);
    }
    gf_paintStatusBlock(painter);
    gf_paintQnh(painter);
    gf_paintLiveCount(painter);
    gf_paintControlLabels(painter);
    gf_paintStatistics(painter);
    lf_paintMessageLine(painter);
}
