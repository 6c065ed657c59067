// The status panel as the real window paints it on the headless backend:
// for each state of the simulator, RealTraffic, the liveries, the park
// airport and the settings, the texts, colours and rectangles painted.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "core/settings.h"
#include "core/text_conversion.h"
#include "platform/window/headless.h"
#include "platform/window/user_input.h"
#include "scanner/addon_airport_scan.h"
#include "scanner/scanner_state.h"
#include "simlink/parking_controls.h"
#include "simlink/simlink_state.h"
#include "ui/status/main_window.h"
#include "ui/status/window_updates.h"
#include "ui/support/main_window_fixture.h"
#include "ui/support/status_states.h"

namespace {

using platform::window::DrawCall;
using platform::window::FillRectCall;
using platform::window::LineCall;
using platform::window::TextCall;
using testing::Contains;
using testing::Not;
using testing::UnorderedElementsAreArray;

// COLORREF 0x00BBGGRR.
constexpr COLORREF kGreen = 0x32CD32;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kGrey = 0xA0A0A0;
constexpr COLORREF kLightBlue = 0xFFCC99;

// A text as painted: its top-left corner, the text and its colour.
struct Text {
    int x = 0;
    int y = 0;
    std::string text;
    COLORREF colour = 0;
    bool operator==(const Text&) const = default;
    friend void PrintTo(const Text& text, std::ostream* out) {
        *out << "(" << text.x << "," << text.y << ") \"" << text.text << "\" 0x" << std::hex << text.colour;
    }
};

// The texts painted in the rows top..bottom-1 (by the text's top).
std::vector<Text> lf_textsIn(const std::vector<DrawCall>& calls, int top, int bottom) {
    std::vector<Text> texts;
    for (const DrawCall& call : calls) {
        const auto* text = std::get_if<TextCall>(&call);
        if (text != nullptr && text->at.y >= top && text->at.y < bottom) {
            EXPECT_FALSE(text->background) << "text is drawn transparent";
            texts.push_back({text->at.x, text->at.y, gf_utf16ToUtf8(text->text), text->colour});
        }
    }
    return texts;
}

std::vector<std::string> lf_words(const std::vector<Text>& texts) {
    std::vector<std::string> words;
    for (const Text& text : texts) {
        words.push_back(text.text);
    }
    return words;
}

// The colour the rectangle was last filled with.
std::optional<COLORREF> lf_fillOf(const std::vector<DrawCall>& calls, const RECT& rect) {
    std::optional<COLORREF> colour;
    for (const DrawCall& call : calls) {
        const auto* fill = std::get_if<FillRectCall>(&call);
        if (fill != nullptr && fill->rect.left == rect.left && fill->rect.top == rect.top &&
            fill->rect.right == rect.right && fill->rect.bottom == rect.bottom) {
            colour = fill->colour;
        }
    }
    return colour;
}

class StatusPanel : public test::MainWindowTest {};

// --- The frame of the panel --------------------------------------------------

TEST_F(StatusPanel, PaintsTheRegionsTheirLinesAndTheHeaderFirst) {
    const auto line = [](POINT from, POINT to, COLORREF colour) { return DrawCall{LineCall{from, to, colour, 1}}; };
    const auto fill = [](RECT rect, COLORREF colour) { return DrawCall{FillRectCall{rect, colour}}; };
    const auto green = [](POINT at, const char16_t* text) { return DrawCall{TextCall{at, text, kGreen, {}}}; };
    const std::vector<DrawCall> expected{
        fill({0, 0, 880, 476}, kBlack),  // the erase with the class brush
        fill({0, 0, 880, 28}, kBlack),
        fill({0, 28, 880, 112}, kBlack),
        fill({0, 112, 880, 392}, kLightBlue),
        fill({0, 392, 880, 448}, kBlack),
        fill({0, 448, 880, 476}, kGreen),
        line({0, 28}, {880, 28}, kWhite),
        line({0, 113}, {880, 113}, kWhite),
        line({0, 449}, {880, 449}, kWhite),
        line({0, 392}, {880, 392}, kWhite),
        green({3, 7}, u"Version 11.0.3"),
        green({390, 7}, u"Vantrel"),
        line({0, 140}, {880, 140}, kBlack),
        line({0, 168}, {642, 168}, kBlack),
        line({0, 196}, {642, 196}, kBlack),
        line({0, 224}, {642, 224}, kBlack),
        line({0, 252}, {642, 252}, kBlack),
        line({0, 280}, {642, 280}, kBlack),
        line({0, 308}, {880, 308}, kBlack),
        line({642, 140}, {642, 308}, kBlack),
    };
    const std::vector<DrawCall> calls = paintWholeWindow();
    ASSERT_GE(calls.size(), expected.size());
    EXPECT_EQ(std::vector<DrawCall>(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(expected.size())),
              expected);
    // The line between the two lights.
    EXPECT_THAT(calls, Contains(line({425, 29}, {425, 112}, kBlack)));
}

// --- The status block ----------------------------------------------------------

constexpr RECT kSimLight{397, 30, 425, 112};
constexpr RECT kRealTrafficLight{425, 30, 453, 112};

struct StatusCase {
    const char* name;
    std::function<void()> setUp;
    COLORREF simLight;
    COLORREF realTrafficLight;
    std::vector<Text> texts;  // in the status block, but for the row of counts
};

const Text kSim{398, 63, "Sim", kGreen};
const Text kRt{430, 63, "RT", kGreen};

TEST_F(StatusPanel, ShowsTheSimulatorAndRealTrafficWithTheirLights) {
    const std::vector<StatusCase> cases{
        {"nothing connected yet", [] {}, kRed, kBlack, {{5, 35, "MSFS 2024 mode", kGreen}, kSim, kRt}},
        {"MSFS 2020 chosen", [] { msfs2020Selected = true; }, kRed, kBlack,
         {{5, 35, "MSFS 2020 mode", kGreen}, kSim, kRt}},
        {"simulator connected, no flight yet",
         [] {
             test::showFlightRunning();
             MainWindow::simRunningShown = false;
         },
         kYellow, kBlack,
         {{5, 35, "MSFS 2020 (11.0.282174.999)", kYellow}, {5, 63, "Asobo A320 Neo", kYellow}, kSim, kRt}},
        {"flight running at a stand",
         [] {
             test::showFlightRunning();
             MainWindow::userStandText = "GATE B 24";
         },
         kGreen, kBlack,
         {{5, 35, "MSFS 2020 (11.0.282174.999), user stand GATE B 24", kGreen},
          {5, 63, "Asobo A320 Neo", kGreen},
          kSim,
          kRt}},
        {"user aircraft not recognised",
         [] {
             test::showFlightRunning();
             MainWindow::userTitleText = "Unknown (encrypted?) aircraft";
             MainWindow::userModelKnown = false;
         },
         kGreen, kBlack,
         {{5, 35, "MSFS 2020 (11.0.282174.999)", kGreen},
          {5, 63, "Unknown (encrypted?) aircraft", kYellow},
          kSim,
          kRt}},
        {"flight running, title not known yet",
         [] {
             test::showFlightRunning();
             MainWindow::userTitleText = "";
         },
         kYellow, kBlack, {{5, 35, "MSFS 2020 (11.0.282174.999)", kYellow}, kSim, kRt}},
        {"RealTraffic not connected: no readers, QNH or live count",
         [] {
             test::showRealTrafficConnected(MainWindow::readerReceiving, MainWindow::readerReceiving);
             MainWindow::rtConnected = false;
         },
         kRed, kRed, {{5, 35, "MSFS 2024 mode", kGreen}, kSim, kRt}},
        {"RealTraffic with both readers receiving",
         [] { test::showRealTrafficConnected(MainWindow::readerReceiving, MainWindow::readerReceiving); }, kRed, kGreen,
         {{5, 35, "MSFS 2024 mode", kGreen},
          kSim,
          kRt,
          {458, 63, "Weather", kGreen},
          {458, 91, "Traffic", kGreen},
          {642, 63, "qnh: 1013", kGreen},
          {642, 91, "live:  27", kGreen}}},
        {"traffic stale, weather reader never started",
         [] { test::showRealTrafficConnected(MainWindow::readerStale, MainWindow::readerNotStarted); }, kRed, kYellow,
         {{5, 35, "MSFS 2024 mode", kGreen}, kSim, kRt, {458, 91, "Traffic", kYellow}, {642, 91, "live:  27", kGreen}}},
        {"traffic reader never started, weather stale, no QNH yet",
         [] {
             test::showRealTrafficConnected(MainWindow::readerNotStarted, MainWindow::readerStale);
             MainWindow::qnh = 0;
         },
         kRed, kYellow, {{5, 35, "MSFS 2024 mode", kGreen}, kSim, kRt, {458, 63, "Weather", kYellow}}},
        {"connected while the light is still dark",
         [] {
             test::showRealTrafficConnected(MainWindow::readerReceiving, MainWindow::readerNotStarted);
             MainWindow::rtLightDark = true;
             MainWindow::liveCount = 1234;
         },
         kRed, kBlack,
         {{5, 35, "MSFS 2024 mode", kGreen},
          kSim,
          kRt,
          {458, 91, "Traffic", kGreen},
          {642, 91, "live: 1234", kGreen}}},
    };
    for (const StatusCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::resetMainWindowState();
        c.setUp();
        const std::vector<DrawCall> calls = paintWholeWindow();
        EXPECT_EQ(lf_fillOf(calls, kSimLight), c.simLight);
        EXPECT_EQ(lf_fillOf(calls, kRealTrafficLight), c.realTrafficLight);
        std::vector<Text> texts = lf_textsIn(calls, 28, 112);
        std::erase_if(texts, [](const Text& text) { return text.y == 91 && text.x < 397; });
        EXPECT_THAT(texts, UnorderedElementsAreArray(c.texts));
    }
}

TEST_F(StatusPanel, ShowsTheCountsOfLiveriesAndAddOnAirportsOrDotsForNone) {
    const auto countRow = [] {
        std::vector<Text> texts = lf_textsIn(paintWholeWindow(), 91, 92);
        std::erase_if(texts, [](const Text& text) { return text.x >= 397; });
        return texts;
    };
    EXPECT_THAT(countRow(), UnorderedElementsAreArray(std::vector<Text>{{5, 91, "# liveries: ...", kRed},
                                                                        {141, 91, "# simaddon: ...", kYellow},
                                                                        {278, 91, "# thirdp: ...", kYellow}}));
    MainWindow::liveryCount = 1834;
    MainWindow::simaddonAirportCount = 35;
    MainWindow::thirdpAirportCount = 1;
    EXPECT_THAT(countRow(), UnorderedElementsAreArray(std::vector<Text>{{5, 91, "# liveries: 1834", kGreen},
                                                                        {141, 91, "# simaddon: 35", kGreen},
                                                                        {278, 91, "# thirdp: 1", kGreen}}));
}

// A text that is no valid UTF-8 is logged and left out; the rest is painted.
TEST_F(StatusPanel, SkipsAndLogsATextThatCannotBeConverted) {
    test::showFlightRunning();
    MainWindow::userTitleText = "Caf\xC3";  // cut inside a UTF-8 sequence
    const std::vector<Text> texts = lf_textsIn(paintWholeWindow(), 28, 112);
    EXPECT_THAT(lf_words(texts), Contains("MSFS 2020 (11.0.282174.999)"));
    EXPECT_THAT(texts, Not(Contains(testing::AllOf(testing::Field(&Text::x, 5), testing::Field(&Text::y, 63)))));
    EXPECT_THAT(log.lines(), Contains(testing::AllOf(testing::StartsWith("lf_drawText conversion exception "),
                                                     testing::EndsWith(", error code: 1113"))));
}

// The simulator link writes the user aircraft while the UI thread paints:
// the light and the title beside it always come from one reading.
TEST_F(StatusPanel, TheSimulatorLightAndTheTitleAgreeWhileAnotherThreadWritesThem) {
    test::showFlightRunning();
    std::atomic<bool> done{false};
    std::thread simLink([&done] {
        for (int round = 0; !done; ++round) {
            MainWindow::userTitleText = round % 2 == 0 ? "" : "Asobo A320 Neo";
        }
    });
    for (int paint = 0; paint < 200; ++paint) {
        const std::vector<DrawCall> calls = paintWholeWindow();
        const std::vector<Text> row = lf_textsIn(calls, 63, 64);
        const bool titleShown = std::find(row.begin(), row.end(), Text{5, 63, "Asobo A320 Neo", kGreen}) != row.end();
        if (lf_fillOf(calls, kSimLight) != (titleShown ? kGreen : kYellow)) {
            ADD_FAILURE() << "paint " << paint << ": the light does not fit the title beside it";
            break;
        }
    }
    done = true;
    simLink.join();
}

// --- The statistics of the park airport --------------------------------------

struct StatisticsCase {
    const char* name;
    std::function<void()> setUp;
    std::vector<Text> texts;
};

TEST_F(StatusPanel, ShowsTheParkAirportsStatisticsOnlyWhileThereIsOne) {
    const std::vector<StatisticsCase> cases{
        {"no park airport: the area stays black", [] { MainWindow::parkAirportLoaded = true; }, {}},
        {"chosen, its stand file not loaded yet",
         [] { parkAirport = AirportRecord{"EDDF", "FRA", 50.0333, 8.5706, 364.0}; },
         {{5, 399, "EDDF (FRA)", kYellow}}},
        {"loaded, everything known",
         [] {
             test::showParkAirportLoaded();
             test::showStaticParkingDone();
             MainWindow::handmadeFile = true;
         },
         {{5, 399, "EDDF (FRA)", kGreen},
          {85, 399, " Frankfurt/Main, Aerosoft (h), wk=35", kGreen},
          {370, 399, "*S*", kGreen},
          {430, 399, "qf: 85/92", kGreen},
          {571, 399, "reserved stand: V155", kGreen},
          {748, 399, "# updates:   12", kGreen},
          {5, 427, "# stands: 312", kGreen},
          {111, 427, "parked live:   9", kGreen},
          {249, 427, "average fit: 2.5", kGreen},
          {430, 427, "parked static: 120", kGreen},
          {571, 427, "average fit: 3", kGreen},
          {708, 427, "max park: 150 (=48 %)", kGreen}}},
        {"reserved stand not found, no maximum park count, no fit yet",
         [] {
             test::showParkAirportLoaded();
             reservedStandText = "V155";
             MainWindow::parkedStaticCount = 4;
             MainWindow::averageFitStatic = 3.0F;
         },
         {{5, 399, "EDDF (FRA)", kGreen},
          {85, 399, " Frankfurt/Main, Aerosoft, wk=35", kGreen},
          {430, 399, "qf: 85/92", kGreen},
          {571, 399, "reserved stand: V155", kRed},
          {748, 399, "# updates:   12", kGreen},
          {5, 427, "# stands: 312", kGreen},
          {111, 427, "parked live:   9", kGreen},
          {708, 427, "no max park live", kGreen}}},
        {"WEEK on: no static fit; an airport without IATA code",
         [] {
             test::showParkAirportLoaded();
             parkAirport = AirportRecord{"EDXW", "", 54.9, 8.3, 73.0};
             WEEK.value = true;
             MainWindow::averageFitLive = 0.0F;
             MainWindow::maxParkCount = 20;
             MainWindow::maxParkPercent = 100;
             MainWindow::parkedStaticCount = 7;
             MainWindow::averageFitStatic = 1.5F;
         },
         {{5, 399, "EDXW", kGreen},
          {85, 399, " Frankfurt/Main, Aerosoft, wk=35", kGreen},
          {430, 399, "qf: 85/92", kGreen},
          {748, 399, "# updates:   12", kGreen},
          {5, 427, "# stands: 312", kGreen},
          {111, 427, "parked live:   9", kGreen},
          {430, 427, "parked static:   7", kGreen},
          {708, 427, "max park:  20 (=100 %)", kGreen}}},
    };
    for (const StatisticsCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::resetMainWindowState();
        WEEK.value = false;
        c.setUp();
        const std::vector<DrawCall> calls = paintWholeWindow();
        EXPECT_EQ(lf_fillOf(calls, MainWindow::statisticsRect), kBlack);
        EXPECT_THAT(lf_textsIn(calls, 392, 448), UnorderedElementsAreArray(c.texts));
    }
}

// --- The labels of the controls ----------------------------------------------

TEST_F(StatusPanel, LabelsEveryControlAtItsPlaceWithTheDefaultSettings) {
    const std::vector<Text> expected{
        {25, 147, "Scan for liveries", kYellow},  // on by default
        {237, 147, "Automatic:", kBlack},
        {470, 147, "Prioritize", kBlack},
        {556, 147, "Stub", kBlack},
        {672, 147, "Log", kBlack},
        {768, 147, "Stay on top", kBlack},
        {25, 175, "Scan for addon airports", kYellow},  // on by default
        {672, 175, "Nav lights", kBlack},
        {768, 175, "Learn Soft", kBlack},
        {5, 203, "Max aircraft matching depth", kBlack},
        {258, 203, "Optional:", kBlack},
        {343, 203, "Light aircraft", kBlack},
        {450, 203, "Helicopters", kBlack},
        {556, 203, "FighterJets", kBlack},
        {672, 203, "Aerowinx", kBlack},
        {768, 203, "GUID changes", kBlack},
        {5, 231, "Traffic injection", kBlack},
        {163, 231, "Radius:", kBlack},
        {270, 231, "nm, or", kBlack},
        {343, 231, "Auto range", kBlack},
        {430, 231, "Ah:", kBlack},  // AUTO_RANGE is on by default
        {536, 231, "ft", kBlack},
        {768, 231, "Objectids", kGrey},  // MSFS 2024
        {5, 259, "Callsigns", kBlack},
        {172, 259, "Block:", kBlack},
        {430, 259, "Oid:", kBlack},
        {5, 287, "Collision avoidance", kBlack},
        {237, 287, "User ground", kBlack},
        {343, 287, "User air", kBlack},
        {450, 287, "Live X parked", kBlack},
        {5, 315, "Airport parking", kBlack},
        {171, 315, "Max park (static+live):", kBlack},
        {401, 315, "Max live (park incl):", kBlack},
        {672, 315, "Straight push backs only", kGrey},
        {137, 343, "Destination:", kBlack},
        {303, 343, "Range:", kBlack},
        {403, 343, "nm", kBlack},
        {440, 343, "Height above gnd:", kBlack},
        {646, 343, "ft", kBlack},
        {25, 371, "Fake", kBlack},
        {91, 371, "Week", kBlack},
        {171, 371, "Soft", kBlack},
        {264, 371, "Target: ", kBlack},
        {363, 371, "%", kBlack},
        {450, 371, "ILO", kBlack},
        {506, 371, "Max fit:", kBlack},
    };
    EXPECT_THAT(lf_textsIn(paintWholeWindow(), 112, 392), UnorderedElementsAreArray(expected));
}

struct LabelCase {
    const char* name;
    std::function<void()> setUp;
    std::vector<Text> shown;
    std::vector<std::string> notShown;
};

TEST_F(StatusPanel, LabelsFollowTheSettingsAndTheStaticParking) {
    const auto nextRenewalIn = [](std::int32_t minutes) {
        parkingActive = true;
        MainWindow::minutesToRenewal = minutes;
    };
    const std::vector<LabelCase> cases{
        {"every switch the other way",
         [] {
             SCAN_LIVERIES.value = false;
             ALWAYS_ON_TOP.value = true;
             SCAN_AIRPORTS.value = false;
             AEROWINX.value = true;
             GUID_CHANGES.value = false;
             AUTO_RANGE.value = false;
             msfs2020Selected = true;
             STRAIGHT_PBS_ONLY.value = true;
             INITIAL_LOAD_ONLY.value = true;
         },
         {{25, 147, "Scan for liveries", kBlack},
          {768, 147, "Stay on top", kYellow},
          {25, 175, "Scan for addon airports", kBlack},
          {672, 203, "Aerowinx", kYellow},
          {768, 203, "GUID changes", kYellow},
          {430, 231, "Ah:", kGrey},
          {536, 231, "ft", kGrey},
          {768, 231, "Objectids", kBlack},
          {672, 315, "Straight push backs only", kBlack},
          {450, 371, "ILO", kYellow}},
         {}},
        {"an optional category without liveries",
         [] { gf_enableControl(HELICOPTERS, false); },
         {{450, 203, "Helicopters", kGrey}, {343, 203, "Light aircraft", kBlack}},
         {}},
        {"no parked aircraft allowed",
         [] { MAX_PARK_SEL.value = 0; },
         {{171, 315, "Max park (static+live):", kYellow}, {401, 315, "Max live (park incl):", kBlack}},
         {}},
        {"no live aircraft allowed",
         [] { MAX_LIVE_SEL.value = 0; },
         {{171, 315, "Max park (static+live):", kBlack}, {401, 315, "Max live (park incl):", kYellow}},
         {}},
        {"no aircraft at all",
         [] {
             MAX_PARK_SEL.value = 0;
             MAX_LIVE_SEL.value = 0;
         },
         {{171, 315, "Max park (static+live):", kRed}, {401, 315, "Max live (park incl):", kRed}},
         {}},
        {"the next renewal in 19 minutes", [&] { nextRenewalIn(19); }, {{5, 343, "(next in 19 min)", kBlack}}, {}},
        {"the next renewal in 1 minute", [&] { nextRenewalIn(1); }, {{5, 343, "(next in 1 min)", kBlack}}, {}},
        {"20 minutes: the renewal has just been",
         [&] { nextRenewalIn(20); },
         {},
         {"(next in 20 min)"}},
        {"no countdown without a park airport",
         [&] {
             nextRenewalIn(7);
             parkingActive = false;
         },
         {},
         {"(next in 7 min)"}},
        {"no countdown with the initial load only",
         [&] {
             nextRenewalIn(7);
             INITIAL_LOAD_ONLY.value = true;
         },
         {},
         {"(next in 7 min)"}},
        {"static parking under way",
         [&] {
             nextRenewalIn(7);
             staticParkingBusy = true;
         },
         {{5, 315, "Airport parking active", kYellow}},
         {"(next in 7 min)", "Airport parking"}},
        {"one airport left for learning off line",
         [] { tbloFileCount = 1; },
         {{217, 175, "1 airport in TBLO folder", kYellow}},
         {}},
        {"airports left for learning off line",
         [] { tbloFileCount = 3; },
         {{217, 175, "3 airports in TBLO folder", kYellow}},
         {}},
        {"the object id of the callsign asked for",
         [] {
             CALLSIGN_2_OBJECTID.value = "DLH4AB";
             MainWindow::oidAnswerText = "= 4711";
         },
         {{561, 259, "= 4711", kBlack}},
         {}},
        {"an answer with no callsign asked for",
         [] { MainWindow::oidAnswerText = "= 4711"; },
         {},
         {"= 4711"}},
    };
    for (const LabelCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::resetMainWindowState();
        test::resetSettingsToDefaults();
        gf_enableControl(HELICOPTERS, true);
        c.setUp();
        const std::vector<Text> texts = lf_textsIn(paintWholeWindow(), 112, 392);
        for (const Text& text : c.shown) {
            EXPECT_THAT(texts, Contains(text));
        }
        for (const std::string& word : c.notShown) {
            EXPECT_THAT(lf_words(texts), Not(Contains(word)));
        }
    }
}

// A label's colour follows its control at once: the control panel is
// repainted after a click on a check box and after a pick in a combo box.
TEST_F(StatusPanel, ALabelTakesItsNewColourWhenTheUserChangesItsControl) {
    const auto repaintedLabels = [] {
        pumpPending();
        const std::vector<platform::window::PaintRecord> paints = platform::window::takeHeadlessPaints();
        EXPECT_FALSE(paints.empty()) << "no repaint";
        return paints.empty() ? std::vector<Text>{} : lf_textsIn(paints.back().calls, 112, 392);
    };
    platform::window::clickControl(AEROWINX.window);
    EXPECT_THAT(repaintedLabels(), Contains(Text{672, 203, "Aerowinx", kYellow}));
    platform::window::clickControl(AUTO_RANGE.window);
    EXPECT_THAT(repaintedLabels(), Contains(Text{430, 231, "Ah:", kGrey}));

    MAX_PARK_SEL.fillComboBox();
    platform::window::pickComboItem(MAX_PARK_SEL.window, 0);  // 0 aircraft
    EXPECT_THAT(repaintedLabels(), Contains(Text{171, 315, "Max park (static+live):", kYellow}));
    MAX_LIVE_SEL.fillComboBox();
    platform::window::pickComboItem(MAX_LIVE_SEL.window, 0);
    EXPECT_THAT(repaintedLabels(), Contains(Text{401, 315, "Max live (park incl):", kRed}));
}

}  // namespace
