#include "ui/park_statistics.h"

#include <cstdint>
#include <string>

#include "airports/airport_list.h"
#include "airports/airports_state.h"
#include "airports/park_airport_file.h"
#include "airports/park_airports.h"
#include "core/format.h"
#include "core/settings.h"
#include "core/strings.h"
#include "ui/status/main_window.h"

namespace {

using namespace panelColour;

// The stand file's line: name, publisher, made by hand, the weeks of
// RealTraffic data behind it, whether soft traffic options were used, its quality factors, the user's
// reserved stand and the stand options learned here.
void lf_paintStandFileLine(const PanelPainter& painter, int y) {
    painter.text(85, y,
                 fmtlib::format(" {}, {}{}, wk={}", MainWindow::parkInfoText.load(),
                                MainWindow::parkDetailText.load(), MainWindow::handmadeFile ? " (h)" : "",
                                rtTrafficWeek.load()),
                 green);
    if (MainWindow::softStandsUsed) {
        painter.text(370, y, "*S*", green);
    }
    painter.text(430, y, fmtlib::format("qf: {}", MainWindow::qfText.load()), green);
    const std::string reservedStand = reservedStandText;
    if (!reservedStand.empty()) {
        painter.text(571, y, fmtlib::format("reserved stand: {}", reservedStand),
                     MainWindow::reservedStandOk ? green : red);
    }
    painter.text(748, y, fmtlib::format("# updates: {:4}", MainWindow::updateCount.load()), green);
}

// The parking line: stands, parked live and static aircraft with their
// average fit, and the most aircraft that may park.
void lf_paintParkingLine(const PanelPainter& painter, int y) {
    painter.text(5, y, fmtlib::format("# stands: {:3}", MainWindow::standCount.load()), green);
    painter.text(111, y, fmtlib::format("parked live: {:3}", MainWindow::parkedLiveCount.load()), green);
    const float fitLive = MainWindow::averageFitLive;
    if (fitLive > 0.0F) {
        painter.text(249, y, fmtlib::format("average fit: {}", gf_formatNumber(fitLive)), green);
    }
    const std::int32_t maxPark = MainWindow::maxParkCount;
    if (maxPark > 0) {
        painter.text(430, y, fmtlib::format("parked static: {:3}", MainWindow::parkedStaticCount.load()), green);
        const float fitStatic = MainWindow::averageFitStatic;
        if (!WEEK.value && fitStatic > 0.0F) {
            painter.text(571, y, fmtlib::format("average fit: {}", gf_formatNumber(fitStatic)), green);
        }
    }
    painter.text(708, y,
                 maxPark == 0 ? "no max park live"
                              : fmtlib::format("max park: {:3} (={} %)", maxPark, MainWindow::maxParkPercent.load()),
                 green);
}

}  // namespace

void gf_paintStatistics(const PanelPainter& painter) {
    const AirportRecord airport = parkAirport;
    if (airport.code.empty()) {
        return;
    }
    const int y = MainWindow::statsY;
    const bool loaded = MainWindow::parkAirportLoaded;
    painter.text(5, y, gf_iataSuffix(airport), loaded ? green : yellow);
    if (!loaded) {
        return;
    }
    lf_paintStandFileLine(painter, y);
    lf_paintParkingLine(painter, y + 28);
}
