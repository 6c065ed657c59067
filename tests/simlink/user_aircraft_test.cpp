// The user aircraft: its data, the simulator's UTC time, the on-ground state
// that paces the run, the end of the run on a jump far away, its title and
// its model.

#include <gtest/gtest.h>

#include <mutex>

#include "core/core_state.h"
#include "core/run_flags.h"
#include "liveries/aircraft_database.h"
#include "liveries/liveries_state.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/support/sim_link_fixture.h"
#include "simlink/user_aircraft.h"
#include "simlink/user_aircraft_model.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"

namespace {

namespace sc = platform::simconnect;
using nlohmann::json;
using test::SimLinkTest;
using test::waitUntil;

constexpr double kNmPerDegreeLatitude = 60.0;

json lf_userScenario(const json& userFields) {
    json scenario = test::simScenario();
    scenario["zulu"] = {{"timeOfDayS", 0}, {"dayOfYear", 1}, {"year", 2024}};
    for (const auto& [key, value] : userFields.items()) {
        scenario["user"][key] = value;
    }
    return scenario;
}

UserAcData lf_userAcData() {
    const std::lock_guard lock(simQueueMutex);
    return userAcData;
}

// Asks for the user aircraft's data until the reply shows the latitude.
bool lf_waitForUserLatitude(double latitudeDeg) {
    return waitUntil([=] {
        gf_requestUserAircraftData();
        std::this_thread::sleep_for(std::chrono::milliseconds{10});
        return lf_userAcData().latitudeDeg == latitudeDeg;
    });
}

void lf_requestUserOnGroundEverySecond() {
    const std::lock_guard lock(simQueueMutex);
    ASSERT_EQ(sc::SimConnect_RequestDataOnSimObject(hSimConnect, gf_simId(SimRequestId::UserOnGround),
                                                    gf_simId(SimDefinitionId::UserOnGround), sc::kObjectIdUser,
                                                    sc::Period::Second),
              sc::kOk);
}

TEST_F(SimLinkTest, UserAircraftDataArrivesWithTheNextRequest) {
    connect(lf_userScenario({{"altitudeFt", -50.0}, {"altAboveGroundFt", -3.0}, {"groundSpeedKt", 1.5}}));
    EXPECT_FALSE(gf_isPositionKnown(gf_userPosition(gf_requestUserAircraftData())));
    ASSERT_TRUE(lf_waitForUserLatitude(47.5));
    const UserAcData data = lf_userAcData();
    EXPECT_DOUBLE_EQ(data.longitudeDeg, 8.5);
    EXPECT_EQ(data.altitudeFt, 0.0) << "a negative altitude is stored as 0";
    EXPECT_EQ(data.altAboveGroundFt, -3.0);
    EXPECT_DOUBLE_EQ(data.groundVelocityKt, 1.5);
    EXPECT_EQ(data.zuluYear, 2024);
    EXPECT_EQ(data.zuluDayOfYear, 1);
    EXPECT_EQ(simUtcSeconds, 1704067200U + static_cast<std::uint64_t>(data.zuluTimeS));
    EXPECT_EQ(userObjectId, 1U);
}

TEST_F(SimLinkTest, OnGroundStateIsKnownOnceThePositionIs) {
    connect();
    lf_requestUserOnGroundEverySecond();
    ASSERT_TRUE(waitUntil([] { return simDataArrived.exchange(false); }));
    EXPECT_FALSE(userOnGroundKnown);
    ASSERT_TRUE(lf_waitForUserLatitude(47.5));
    ASSERT_TRUE(waitUntil([] { return userOnGroundKnown.load(); }, std::chrono::seconds{3}));
    EXPECT_TRUE(userOnGround);
    sim().command(R"(user {"onGround": false, "altAboveGroundFt": 900})");
    EXPECT_TRUE(waitUntil([] { return !userOnGround; }, std::chrono::seconds{3}));
}

// A jump of more than 10 nm between two replies is a new flight.
TEST_F(SimLinkTest, JumpOfTheUserAircraftEndsTheRunForANewFlight) {
    connect();
    ASSERT_TRUE(lf_waitForUserLatitude(47.5));
    const double near = 47.5 + 9.99 / kNmPerDegreeLatitude;
    sim().command("teleport " + std::to_string(near) + " 8.5");
    ASSERT_TRUE(lf_waitForUserLatitude(std::stod(std::to_string(near))));
    EXPECT_FALSE(runStopRequested);
    const double far = near + 10.01 / kNmPerDegreeLatitude;
    sim().command("teleport " + std::to_string(far) + " 8.5");
    ASSERT_TRUE(lf_waitForUserLatitude(std::stod(std::to_string(far))));
    EXPECT_TRUE(runStopRequested);
    EXPECT_EQ(closingReason, ClosingReason::NewFlight);
    EXPECT_EQ(restartDelaySec, 45);
    EXPECT_TRUE(logged("Teleport"));
}

// A reply at (0.00005, 0.00005) is no position: the reply after it is not
// tested against it.
TEST_F(SimLinkTest, ReplyWithoutAPositionIsNoStartOfAJump) {
    connect(lf_userScenario({{"latitudeDeg", 0.00005}, {"longitudeDeg", 0.00005}}));
    ASSERT_TRUE(lf_waitForUserLatitude(0.00005));
    sim().command("teleport 47.5 8.5");
    ASSERT_TRUE(lf_waitForUserLatitude(47.5));
    EXPECT_FALSE(runStopRequested);
    EXPECT_FALSE(logged("Teleport"));
}

TEST_F(SimLinkTest, UserTitleIsShownOnceAndCutTo48Characters) {
    const std::string title49 = "Asobo Cessna 152 with a rather long livery name X";
    ASSERT_EQ(title49.size(), 49U);
    connect(lf_userScenario({{"title", title49}}));
    gf_requestUserAircraftTitle();
    const std::string title48 = title49.substr(0, 48);
    ASSERT_TRUE(waitUntil([&] { return MainWindow::userTitleText == title48; }));
    gf_requestUserAircraftTitle();
    ASSERT_TRUE(waitUntil([&] { return logged("          model raw: C152"); }));
    const std::vector<std::string> lines = log.lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "          SimConnect: User aircraft title: " + title48), 1);
}

TEST_F(SimLinkTest, TitleIsCutBetweenCharactersNotInsideOne) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {std::string(48, 'a'), std::string(48, 'a')},
        {std::string(47, 'a') + "\xC3\xA9" "b", std::string(47, 'a') + "\xC3\xA9"},
        {"Cessna \xE2\x80\x93 " + std::string(45, 'x'), "Cessna \xE2\x80\x93 " + std::string(39, 'x')},
    };
    for (const auto& [title, shown] : cases) {
        onUserAircraftTitle(title);
        EXPECT_EQ(MainWindow::userTitleText.load(), shown);
    }
    onUserAircraftTitle("");
    EXPECT_TRUE(logged("! Title of your aircraft is empty?"));
}

struct ModelCase {
    std::string title;
    std::string atcModel;
    std::string model;  // as the log line names it
};

TEST_F(SimLinkTest, ModelTextsBecomeTypeCodes) {
    const std::vector<ModelCase> cases{
        {"", "A350-900", "A359"},
        {"", "N738B", "B38M"},
        {"", "777", "772"},
        {"", "A330-200 (RR)", "A332"},
        {"", "$$:", "$$:"},
        {"", "$$:A", "$$:A"},
        {"", "$$:AB", "AB"},
        {"", "$$:B738", "B738"},
        {"PMDG DG 737-700 Lufthansa", "737", "B737"},
        {"DG 737-900 and DG 737-800", "737", "B738"},
        {"Boeing 737 Max", "737", "737"},
        {"", "C172", "C172"},
    };
    for (const ModelCase& c : cases) {
        SCOPED_TRACE(c.atcModel);
        gf_resetUserAircraftTitle();
        if (!c.title.empty()) {
            onUserAircraftTitle(c.title);
        }
        detectUserAircraftModel(c.atcModel);
        const std::vector<std::string> lines = log.lines();
        const std::string expected = "          SimConnect: User aircraft model: " + c.model;
        EXPECT_TRUE(lines.back().starts_with(expected + ",")) << lines.back();
        EXPECT_TRUE(logged("          model raw: " + c.atcModel));
    }
}

// Wing spans in metres become half spans in nautical miles.
constexpr double lf_halfSpanNm(double spanM) { return spanM * 0.5 / 1852.0; }

class UserModelSpans : public SimLinkTest {
protected:
    UserModelSpans() : saved_(dbase) {
        dbase.halfSpanByType = {{"B738", lf_halfSpanNm(35.8)}, {"A320", lf_halfSpanNm(34.1)},
                                {"CRJ7", lf_halfSpanNm(23.2)}, {"E190", lf_halfSpanNm(28.7)}};
        dbase.largeTypes = {"B738", "A320"};
        dbase.buzjetTypes = {"CRJ7", "E190"};
        dbase.heavyTypes = {"A388"};
        dbase.categoryHalfSpanNm = {};
        dbase.maxHalfSpanNm = lf_halfSpanNm(79.8);
    }
    ~UserModelSpans() override { dbase = saved_; }

private:
    DbaseTables saved_;
};

struct SpanCase {
    std::string title;
    std::string atcModel;
    std::string logLine;
    double halfSpanNm;
    bool modelKnown;
};

TEST_F(UserModelSpans, SpanAndCategoryComeFromTheModelOrTheTitle) {
    const std::vector<SpanCase> cases{
        {"", "B738", "SimConnect: User aircraft model: B738, half wing span: 17.9 meter, category: Large",
         lf_halfSpanNm(35.8), true},
        {"", "ATCCOM.AC_MODEL_B738.0.text",
         "SimConnect: User aircraft model: B738, half wing span: 17.9 meter, category: Large", lf_halfSpanNm(35.8),
         true},
        {"Aerosoft A320 IAE Lufthansa", "ATCCOM.AC_MODEL_A20N.0.text",
         "SimConnect: User aircraft model deduced from title: A320, half wing span: 17.1 meter, category: Large",
         lf_halfSpanNm(34.1), true},
        {"Aerosoft A321 Lufthansa", "Airbus A321 Neo",
         "SimConnect: User aircraft model deduced from title: A321, category: Light", lf_halfSpanNm(79.8), false},
        {"", "Some Long Model", "SimConnect: User aircraft model: Some Long Model, category: Light",
         lf_halfSpanNm(79.8), false},
    };
    for (const SpanCase& c : cases) {
        SCOPED_TRACE(c.atcModel);
        gf_resetUserAircraftTitle();
        gf_clearMessage();
        if (!c.title.empty()) {
            onUserAircraftTitle(c.title);
        }
        detectUserAircraftModel(c.atcModel);
        EXPECT_EQ(log.lines().back(), "          " + c.logLine);
        EXPECT_DOUBLE_EQ(userHalfSpanNm, c.halfSpanNm);
        EXPECT_TRUE(userHalfSpanKnown);
        EXPECT_EQ(MainWindow::userModelKnown, c.modelKnown);
        EXPECT_EQ(messageLine() == "User aircraft wing span unknown, max is taken instead, please report in my Forum!",
                  !c.modelKnown);
    }
}

TEST_F(UserModelSpans, MissingModelTakesTheSpanOfACrj7) {
    detectUserAircraftModel("");
    EXPECT_DOUBLE_EQ(userHalfSpanNm, lf_halfSpanNm(23.2));
    EXPECT_EQ(userCategory, AircraftCategory::Light) << "the category stays as it was";
    detectUserAircraftModel("camerapod");
    EXPECT_DOUBLE_EQ(userHalfSpanNm, lf_halfSpanNm(28.7)) << "a camera takes the span of an E190";
}

TEST_F(SimLinkTest, MissingModelIsShownAsUnknownAircraft) {
    detectUserAircraftModel("");
    EXPECT_EQ(MainWindow::userTitleText.load(), "Unknown (encrypted?) aircraft");
    EXPECT_EQ(messageLine(), "171: No model info from your user aircraft received in SimConnect, CRJ7 is taken instead");
    EXPECT_TRUE(userHalfSpanKnown);
}

TEST_F(SimLinkTest, CameraAndCrewVesselCountAsKnownLightAircraft) {
    for (const char* model : {"camerapod_1", "Crew Vessel"}) {
        userCategory = AircraftCategory::Heavy;
        MainWindow::userModelKnown = false;
        detectUserAircraftModel(model);
        EXPECT_EQ(userCategory, AircraftCategory::Light);
        EXPECT_TRUE(MainWindow::userModelKnown);
        EXPECT_TRUE(userHalfSpanKnown);
        EXPECT_EQ(log.lines().back(), std::string("          SimConnect: User aircraft model: ") + model);
    }
}

}  // namespace
