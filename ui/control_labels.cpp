#include "ui/control_labels.h"

#include <array>
#include <cstdint>
#include <string>

#include "airports/airports_state.h"
#include "core/data_paths.h"
#include "core/format.h"
#include "core/settings.h"
#include "core/strings.h"
#include "platform/window/user32.h"
#include "scanner/addon_airport_scan.h"
#include "scanner/scanner_state.h"
#include "simlink/parking_controls.h"
#include "simlink/simlink_state.h"
#include "ui/status/main_window.h"

namespace {

using namespace panelColour;

struct FixedLabel {
    int x;
    int y;
    const char* text;
};

// The labels that are always black. The headings of the rows stand at x 5;
// a check box's label 20 pixels right of the box, at the row's y.
constexpr std::array kBlackLabels{
    FixedLabel{237, 147, "Automatic:"},
    FixedLabel{470, 147, "Prioritize"},
    FixedLabel{556, 147, "Stub"},
    FixedLabel{672, 147, "Log"},
    FixedLabel{672, 175, "Nav lights"},
    FixedLabel{768, 175, "Learn Soft"},
    FixedLabel{5, 203, "Max aircraft matching depth"},
    FixedLabel{258, 203, "Optional:"},
    FixedLabel{5, 231, "Traffic injection"},
    FixedLabel{163, 231, "Radius:"},
    FixedLabel{270, 231, "nm, or"},
    FixedLabel{343, 231, "Auto range"},
    FixedLabel{5, 259, "Callsigns"},
    FixedLabel{172, 259, "Block:"},
    FixedLabel{430, 259, "Oid:"},
    FixedLabel{5, 287, "Collision avoidance"},
    FixedLabel{237, 287, "User ground"},
    FixedLabel{343, 287, "User air"},
    FixedLabel{450, 287, "Live X parked"},
    FixedLabel{137, 343, "Destination:"},
    FixedLabel{303, 343, "Range:"},
    FixedLabel{403, 343, "nm"},
    FixedLabel{440, 343, "Height above gnd:"},
    FixedLabel{646, 343, "ft"},
    FixedLabel{25, 371, "Fake"},
    FixedLabel{91, 371, "Week"},
    FixedLabel{171, 371, "Soft"},
    FixedLabel{264, 371, "Target: "},
    FixedLabel{363, 371, "%"},
    FixedLabel{506, 371, "Max fit:"},
};

COLORREF lf_yellowWhen(bool on) { return on ? yellow : black; }

bool lf_controlEnabled(const ControlBinding& binding) { return IsWindowEnabled(binding.window) != FALSE; }

// The limits of parked and live aircraft: red when both are 0 (no aircraft
// at all), yellow when this one alone is.
COLORREF lf_limitColour(std::int32_t limit, std::int32_t otherLimit) {
    if (limit != 0) {
        return black;
    }
    return otherLimit == 0 ? red : yellow;
}

void lf_paintSwitchLabels(const PanelPainter& painter) {
    painter.text(25, 147, "Scan for liveries", lf_yellowWhen(SCAN_LIVERIES.value));
    painter.text(768, 147, "Stay on top", lf_yellowWhen(ALWAYS_ON_TOP.value));
    painter.text(25, 175, "Scan for addon airports", lf_yellowWhen(SCAN_AIRPORTS.value));
    painter.label(343, 203, "Light aircraft", lf_controlEnabled(LIGHT_AIRCRAFT));
    painter.label(450, 203, "Helicopters", lf_controlEnabled(HELICOPTERS));
    painter.label(556, 203, "FighterJets", lf_controlEnabled(HIGH_PERF_AIRCRAFT));
    painter.text(672, 203, "Aerowinx", lf_yellowWhen(AEROWINX.value));
    painter.text(768, 203, "GUID changes", lf_yellowWhen(!GUID_CHANGES.value));
    const bool autoRange = AUTO_RANGE.value;
    painter.label(430, 231, "Ah:", autoRange);
    painter.label(536, 231, "ft", autoRange);
    painter.label(768, 231, "Objectids", msfs2020Selected);
    painter.label(672, 315, "Straight push backs only", STRAIGHT_PBS_ONLY.value);
    painter.text(450, 371, "ILO", lf_yellowWhen(INITIAL_LOAD_ONLY.value));
}

// The airports that the last add-on airport scan left for learning off
// line, with the folder they are in.
void lf_paintLearningFolder(const PanelPainter& painter) {
    const std::int64_t count = tbloFileCount;
    if (count != 0) {
        painter.text(217, 175,
                     fmtlib::format("{} airport{} in {} folder", count, gf_pluralSuffix(count),
                                    dataPaths.unrecognisedBglFolder.string()),
                     yellow);
    }
}

// The object id found for the callsign of the "Oid:" box, while one is
// asked for.
void lf_paintObjectIdAnswer(const PanelPainter& painter) {
    if (!CALLSIGN_2_OBJECTID.value.empty()) {
        painter.text(561, 259, MainWindow::oidAnswerText, black);
    }
}

void lf_paintParkingLabels(const PanelPainter& painter) {
    const bool calculating = staticParkingBusy;
    painter.text(5, 315, calculating ? "Airport parking active" : "Airport parking", lf_yellowWhen(calculating));
    const std::int32_t maxPark = MAX_PARK_SEL.value;
    const std::int32_t maxLive = MAX_LIVE_SEL.value;
    painter.text(171, 315, "Max park (static+live):", lf_limitColour(maxPark, maxLive));
    painter.text(401, 315, "Max live (park incl):", lf_limitColour(maxLive, maxPark));
    const std::int32_t minutes = MainWindow::minutesToRenewal;
    if (parkingActive && !calculating && !INITIAL_LOAD_ONLY.value && minutes >= 1 && minutes <= 19) {
        painter.text(5, 343, fmtlib::format("(next in {} min)", minutes), black);
    }
}

}  // namespace

void gf_paintControlLabels(const PanelPainter& painter) {
    for (const FixedLabel& label : kBlackLabels) {
        painter.text(label.x, label.y, label.text, black);
    }
    lf_paintSwitchLabels(painter);
    lf_paintLearningFolder(painter);
    lf_paintObjectIdAnswer(painter);
    lf_paintParkingLabels(painter);
}
