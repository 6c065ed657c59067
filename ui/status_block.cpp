#include "ui/status_block.h"

#include <cstdint>
#include <string>

#include "core/format.h"
#include "simlink/simlink_state.h"
#include "ui/status/main_window.h"

namespace {

using namespace panelColour;

constexpr int kRow1Y = 35;
constexpr int kRow2Y = 63;
constexpr int kRow3Y = 91;
constexpr RECT kSimLight{397, 30, 425, 112};
constexpr RECT kRealTrafficLight{425, 30, 453, 112};
constexpr int kReaderWordsX = 458;
constexpr int kRightColumnX = 642;  // QNH and live count

bool lf_readerRuns(std::uint32_t state) {
    return state == MainWindow::readerReceiving || state == MainWindow::readerStale;
}

// Green while the simulator runs a flight with a known user aircraft,
// yellow while it is only connected, red without it. The texts of the
// simulator take the same colour.
COLORREF lf_simColour(bool connected, const std::string& userTitle) {
    if (connected && MainWindow::simRunningShown && !userTitle.empty()) {
        return green;
    }
    return connected ? yellow : red;
}

void lf_paintSimulator(const PanelPainter& painter) {
    const bool connected = MainWindow::simConnected;
    const std::string userTitle = MainWindow::userTitleText;
    const COLORREF colour = lf_simColour(connected, userTitle);
    painter.fill(kSimLight, colour);
    painter.text(398, kRow2Y, "Sim", green);
    if (!connected) {
        painter.text(5, kRow1Y, fmtlib::format("MSFS 20{} mode", msfs2020Selected ? "20" : "24"), green);
        return;
    }
    const std::string stand = MainWindow::userStandText;
    painter.text(5, kRow1Y, MainWindow::simModeText.load() + (stand.empty() ? "" : ", user stand " + stand), colour);
    painter.text(5, kRow2Y, userTitle, MainWindow::userModelKnown ? colour : yellow);
}

// A count in green, or its label with "..." in the colour for none.
void lf_paintCount(const PanelPainter& painter, int x, const std::string& label, std::int64_t count,
                   COLORREF noneColour) {
    if (count == 0) {
        painter.text(x, kRow3Y, fmtlib::format("# {}: ...", label), noneColour);
    } else {
        painter.text(x, kRow3Y, fmtlib::format("# {}: {}", label, count), green);
    }
}

// Dark until the run has started its link; then green while connected with
// traffic coming, yellow while connected without, red while not connected.
COLORREF lf_realTrafficColour(bool connected) {
    if (MainWindow::rtLightDark) {
        return black;
    }
    if (connected && MainWindow::trafficReaderState == MainWindow::readerReceiving) {
        return green;
    }
    return connected ? yellow : red;
}

void lf_paintReaderWord(const PanelPainter& painter, int y, const char* word, std::uint32_t state) {
    if (state != MainWindow::readerNotStarted) {
        painter.text(kReaderWordsX, y, word, state == MainWindow::readerReceiving ? green : yellow);
    }
}

void lf_paintRealTraffic(const PanelPainter& painter) {
    const bool connected = MainWindow::rtConnected;
    painter.fill(kRealTrafficLight, lf_realTrafficColour(connected));
    painter.text(430, kRow2Y, "RT", green);
    if (connected) {
        lf_paintReaderWord(painter, kRow2Y, "Weather", MainWindow::weatherReaderState);
        lf_paintReaderWord(painter, kRow3Y, "Traffic", MainWindow::trafficReaderState);
    }
}

}  // namespace

void gf_paintStatusBlock(const PanelPainter& painter) {
    lf_paintSimulator(painter);
    lf_paintCount(painter, 5, "liveries", MainWindow::liveryCount, red);
    lf_paintCount(painter, 141, "simaddon", MainWindow::simaddonAirportCount, yellow);
    lf_paintCount(painter, 278, "thirdp", MainWindow::thirdpAirportCount, yellow);
    lf_paintRealTraffic(painter);
    painter.line({425, 29}, {425, 112}, black);
}

void gf_paintQnh(const PanelPainter& painter) {
    const std::int32_t qnh = MainWindow::qnh;
    if (MainWindow::rtConnected && lf_readerRuns(MainWindow::weatherReaderState) && qnh >= 1) {
        painter.text(kRightColumnX, kRow2Y, fmtlib::format("qnh: {:4}", qnh), green);
    }
}

void gf_paintLiveCount(const PanelPainter& painter) {
    if (MainWindow::rtConnected && lf_readerRuns(MainWindow::trafficReaderState)) {
        painter.text(kRightColumnX, kRow3Y, fmtlib::format("live: {:3}", MainWindow::liveCount.load()), green);
    }
}
