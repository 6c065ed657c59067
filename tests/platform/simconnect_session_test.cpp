// Our SimConnect client against the stand-in simulator: the Open exchange,
// subscriptions, data definitions and requests, creation and recognition of
// AI aircraft, positions, events, removal, quit, and calls from several
// threads.

#include "platform/net/tcp_socket.h"
#include "platform/simconnect/packets.h"
#include "platform/simconnect/simconnect.h"
#include "platform/simconnect/wire.h"
#include "platform/support/simconnect_recorder.h"
#include "support/stand_in_sim.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <thread>

namespace {

namespace sc = platform::simconnect;
using nlohmann::json;
using vantrel::test::ReceivedRecord;
using vantrel::test::RecordCollector;
using vantrel::test::StandInSim;

constexpr const char* kCreatableTitle = "Airbus A320 Neo Asobo";
constexpr std::uint32_t kDefinitionPosition = 402;
constexpr std::uint32_t kDefinitionUser = 403;
constexpr std::uint32_t kDefinitionInRange = 404;
constexpr std::uint32_t kEventNavLights = 207;
constexpr std::uint32_t kEventFlaps = 217;
constexpr std::uint32_t kEventGear = 219;
constexpr std::uint32_t kEventFreezeLatLon = 214;

json lf_scenario() {
    return json{{"simulator", "KittyHawk"},
                {"titles", {kCreatableTitle}},
                {"frameRate", 60},
                {"zulu", {{"timeOfDayS", 3600}, {"dayOfYear", 32}, {"year", 2024}}},
                {"user",
                 {{"title", "Cessna 152 Asobo"},
                  {"atcModel", "C152"},
                  {"latitudeDeg", 47.5},
                  {"longitudeDeg", 8.5},
                  {"altitudeFt", 1400.0},
                  {"altAboveGroundFt", 0.0},
                  {"onGround", true},
                  {"headingRad", 1.0},
                  {"groundSpeedKt", 1.5},
                  {"lightStates", 3}}}};
}

class SimConnectSession : public ::testing::Test {
protected:
    void start(const json& scenario = lf_scenario()) {
        sim_ = std::make_unique<StandInSim>(scenario);
        sim_->writeSimConnectCfg(sim_->folder());
        workingFolder_.emplace(sim_->folder());
    }

    sc::Handle open(sc::TargetSimulator target = sc::TargetSimulator::Msfs2020) {
        sc::selectTargetSimulator(target);
        EXPECT_EQ(sc::SimConnect_Open(&handle_, "Vantrel", nullptr, 0, nullptr, 0), sc::kOk);
        return handle_;
    }

    void TearDown() override {
        if (handle_ != nullptr) {
            sc::SimConnect_Close(handle_);
        }
    }

    bool waitFor(sc::RecvId id, std::size_t count = 1) {
        return records_.dispatchUntil(handle_, [&](const RecordCollector& r) { return r.recordsOf(id).size() >= count; });
    }

    std::uint32_t lastSendId() {
        std::uint32_t sendId = 0;
        EXPECT_EQ(sc::SimConnect_GetLastSentPacketID(handle_, &sendId), sc::kOk);
        return sendId;
    }

    ReceivedRecord exceptionAbout(std::uint32_t sendId) {
        const bool arrived = records_.dispatchUntil(handle_, [&](const RecordCollector& r) {
            for (const ReceivedRecord& record : r.recordsOf(sc::RecvId::Exception)) {
                if (record.sendId == sendId) {
                    return true;
                }
            }
            return false;
        });
        EXPECT_TRUE(arrived) << "no exception about send id " << sendId;
        for (const ReceivedRecord& record : records_.recordsOf(sc::RecvId::Exception)) {
            if (record.sendId == sendId) {
                return record;
            }
        }
        return {};
    }

    void definePosition() {
        for (const char* name : {"Plane Latitude", "Plane Longitude"}) {
            ASSERT_EQ(sc::SimConnect_AddToDataDefinition(handle_, kDefinitionPosition, name, "degree"), sc::kOk);
        }
        for (const char* name : {"Plane Pitch degrees", "Plane Bank degrees", "Plane Heading degrees true"}) {
            ASSERT_EQ(sc::SimConnect_AddToDataDefinition(handle_, kDefinitionPosition, name, "radians"), sc::kOk);
        }
        ASSERT_EQ(sc::SimConnect_AddToDataDefinition(handle_, kDefinitionPosition, "Plane Altitude", "feet"), sc::kOk);
        ASSERT_EQ(sc::SimConnect_AddToDataDefinition(handle_, kDefinitionPosition, "Vertical Speed", "feet per second"),
                  sc::kOk);
        ASSERT_EQ(sc::SimConnect_AddToDataDefinition(handle_, kDefinitionPosition, "Airspeed True", "knots"), sc::kOk);
    }

    // Creates one aircraft and waits for its ObjectAdded; its object id.
    std::uint32_t createAircraft(const char* tailNumber) {
        sc::SimConnect_SubscribeToSystemEvent(handle_, 202, "ObjectAdded");
        sc::SimConnect_SubscribeToSystemEvent(handle_, 203, "ObjectRemoved");
        const std::size_t before = records_.recordsOf(sc::RecvId::EventObjectAddRemove).size();
        const sc::InitPosition position{47.51, 8.51, 3000.0, -2.0, 0.0, 90.0, 0, 0};
        EXPECT_EQ(sc::SimConnect_AICreateNonATCAircraft(handle_, kCreatableTitle, tailNumber, position, 104), sc::kOk);
        EXPECT_TRUE(waitFor(sc::RecvId::EventObjectAddRemove, before + 1));
        return records_.recordsOf(sc::RecvId::EventObjectAddRemove).back().data;
    }

    // Ends the session of one case of a table, making room for the next.
    void finishCase() {
        sc::SimConnect_Close(handle_);
        handle_ = nullptr;
        records_.clear();
        workingFolder_.reset();
        sim_.reset();
    }

    std::unique_ptr<StandInSim> sim_;
    std::optional<::test::WorkingFolder> workingFolder_;
    sc::Handle handle_ = nullptr;
    RecordCollector records_;
};

struct OpenCase {
    const char* simulator;
    std::vector<std::uint32_t> accepted;
    sc::TargetSimulator target;
    std::vector<std::uint32_t> opensSent;  // header versions of the Open packets, in order
};

TEST_F(SimConnectSession, OpenIdentifiesTheSimulatorAndFallsBackToAnOlderProtocol) {
    const OpenCase cases[] = {
        {"KittyHawk", {5, 4}, sc::TargetSimulator::Msfs2020, {5}},
        {"SunRise", {6, 5, 4}, sc::TargetSimulator::Msfs2024, {6}},
        {"KittyHawk", {5, 4}, sc::TargetSimulator::Msfs2024, {6, 5}},
        {"SunRise", {4}, sc::TargetSimulator::Msfs2024, {6, 5, 4}},
    };
    for (const OpenCase& row : cases) {
        SCOPED_TRACE(std::string(row.simulator) + " accepting " + std::to_string(row.accepted.front()));
        json scenario = lf_scenario();
        scenario["simulator"] = row.simulator;
        scenario["protocols"] = row.accepted;
        start(scenario);
        open(row.target);
        ASSERT_TRUE(waitFor(sc::RecvId::Open));
        const ReceivedRecord opened = records_.recordsOf(sc::RecvId::Open).front();
        EXPECT_EQ(opened.text, row.simulator);
        EXPECT_EQ(opened.version, row.opensSent.back());
        EXPECT_TRUE(records_.recordsOf(sc::RecvId::Exception).empty()) << "a handled mismatch is not delivered";
        ASSERT_EQ(sc::SimConnect_SubscribeToSystemEvent(handle_, 201, "Sim"), sc::kOk);
        ASSERT_TRUE(waitFor(sc::RecvId::Event));

        std::vector<std::uint32_t> opens;
        for (const json& entry : sim_->journal(0, "Open")) {
            opens.push_back(entry.at("version"));
        }
        EXPECT_EQ(opens, row.opensSent);
        EXPECT_EQ(sim_->journal(0, "SubscribeToSystemEvent").at(0).at("version"), row.opensSent.back());

        finishCase();
    }
}

TEST_F(SimConnectSession, OpenDeliversTheVersionMismatchWhenNoProtocolFits) {
    json scenario = lf_scenario();
    scenario["protocols"] = {3};
    start(scenario);
    open(sc::TargetSimulator::Msfs2024);
    ASSERT_TRUE(waitFor(sc::RecvId::Exception));
    const ReceivedRecord mismatch = records_.recordsOf(sc::RecvId::Exception).front();
    EXPECT_EQ(mismatch.exception, static_cast<std::uint32_t>(sc::Exception::VersionMismatch));
    EXPECT_EQ(mismatch.sendId, lastSendId()) << "about the last of the three Opens";
    EXPECT_EQ(sim_->journal(0, "Open").size(), 3U);
}

TEST_F(SimConnectSession, OpenFailsWhileNoSimulatorAnswers) {
    start();
    // A port where nobody listens: the connection is refused.
    std::uint16_t closedPort = 0;
    {
        std::error_code error;
        closedPort = platform::net::TcpListener::listen("127.0.0.1", 0, error).port();
    }
    std::ofstream("SimConnect.cfg") << "[SimConnect]\nAddress=127.0.0.1\nPort=" << closedPort << "\n";
    sc::Handle handle = reinterpret_cast<sc::Handle>(1);
    EXPECT_EQ(sc::SimConnect_Open(&handle, "Vantrel", nullptr, 0, nullptr, 0), sc::kFail);
    EXPECT_EQ(handle, nullptr);

    // A listener that never answers the Open.
    std::error_code error;
    const auto silent = platform::net::TcpListener::listen("127.0.0.1", 0, error);
    std::ofstream("SimConnect.cfg") << "[SimConnect]\nAddress=127.0.0.1\nPort=" << silent.port() << "\n";
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(sc::SimConnect_Open(&handle, "Vantrel", nullptr, 0, nullptr, 0), sc::kFail);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds{4});
    EXPECT_EQ(handle, nullptr);
}

TEST_F(SimConnectSession, SystemEventsArriveAtOnceOnChangeAndEveryFrame) {
    start();
    open();
    ASSERT_EQ(sc::SimConnect_SubscribeToSystemEvent(handle_, 201, "Sim"), sc::kOk);
    ASSERT_EQ(sc::SimConnect_SubscribeToSystemEvent(handle_, 204, "Frame"), sc::kOk);
    ASSERT_TRUE(waitFor(sc::RecvId::EventFrame, 3));
    ASSERT_TRUE(waitFor(sc::RecvId::Event));
    EXPECT_EQ(records_.recordsOf(sc::RecvId::Event).front().eventId, 201U);
    EXPECT_EQ(records_.recordsOf(sc::RecvId::Event).front().data, 1U);
    EXPECT_FLOAT_EQ(records_.recordsOf(sc::RecvId::EventFrame).front().frameRate, 60.0F);
    EXPECT_EQ(records_.recordsOf(sc::RecvId::EventFrame).front().eventId, 204U);

    sim_->command("running off");
    ASSERT_TRUE(waitFor(sc::RecvId::Event, 2));
    EXPECT_EQ(records_.recordsOf(sc::RecvId::Event).back().data, 0U);

    ASSERT_EQ(sc::SimConnect_SubscribeToSystemEvent(handle_, 205, "FlightLoaded"), sc::kOk);
    sim_->waitForPackets("SubscribeToSystemEvent", 3);
    sim_->command("flight-loaded flights\\other\\new.FLT");
    ASSERT_TRUE(waitFor(sc::RecvId::EventFilename));
    EXPECT_EQ(records_.recordsOf(sc::RecvId::EventFilename).front().text, "flights\\other\\new.FLT");

    ASSERT_EQ(sc::SimConnect_SubscribeToSystemEvent(handle_, 206, "NoSuchEvent"), sc::kOk);
    EXPECT_EQ(exceptionAbout(lastSendId()).exception, static_cast<std::uint32_t>(sc::Exception::NameUnrecognized));
}

TEST_F(SimConnectSession, UserAircraftDataOnceAndEverySecond) {
    start();
    open();
    for (const char* name : {"Plane Latitude", "Plane Longitude"}) {
        sc::SimConnect_AddToDataDefinition(handle_, kDefinitionUser, name, "degree");
    }
    for (const char* name : {"Plane Pitch degrees", "Plane Bank degrees", "Plane Heading degrees true"}) {
        sc::SimConnect_AddToDataDefinition(handle_, kDefinitionUser, name, "radians");
    }
    sc::SimConnect_AddToDataDefinition(handle_, kDefinitionUser, "Plane Altitude", "feet");
    sc::SimConnect_AddToDataDefinition(handle_, kDefinitionUser, "Plane Alt Above Ground", "feet");
    sc::SimConnect_AddToDataDefinition(handle_, kDefinitionUser, "Ground Velocity", "knots");
    sc::SimConnect_AddToDataDefinition(handle_, kDefinitionUser, "ZULU TIME", "Seconds", sc::DataType::Int64);
    sc::SimConnect_AddToDataDefinition(handle_, kDefinitionUser, "ZULU DAY OF YEAR", "Number", sc::DataType::Int64);
    sc::SimConnect_AddToDataDefinition(handle_, kDefinitionUser, "ZULU YEAR", "Number", sc::DataType::Int64);
    sc::SimConnect_AddToDataDefinition(handle_, kDefinitionUser, "LIGHT STATES", "Mask", sc::DataType::Int64);
    sc::SimConnect_AddToDataDefinition(handle_, 407, "TITLE", nullptr, sc::DataType::StringV);
    sc::SimConnect_AddToDataDefinition(handle_, 408, "ATC MODEL", nullptr, sc::DataType::String32);
    sc::SimConnect_AddToDataDefinition(handle_, 409, "SIM ON GROUND", "Bool", sc::DataType::Int64);

    ASSERT_EQ(sc::SimConnect_RequestDataOnSimObject(handle_, 109, kDefinitionUser, sc::kObjectIdUser, sc::Period::Once),
              sc::kOk);
    sc::SimConnect_RequestDataOnSimObject(handle_, 106, 407, sc::kObjectIdUser, sc::Period::Once);
    sc::SimConnect_RequestDataOnSimObject(handle_, 107, 408, sc::kObjectIdUser, sc::Period::Once);
    ASSERT_TRUE(waitFor(sc::RecvId::SimObjectData, 3));
    const auto replies = records_.recordsOf(sc::RecvId::SimObjectData);
    ASSERT_EQ(replies[0].requestId, 109U);
    EXPECT_EQ(replies[0].objectId, 1U);
    ASSERT_EQ(replies[0].block.size(), 96U);
    sc::DatumReader user{replies[0].block};
    const double expectedFloats[] = {47.5, 8.5, 0.0, 0.0, 1.0, 1400.0, 0.0, 1.5};
    for (const double expected : expectedFloats) {
        EXPECT_DOUBLE_EQ(user.float64(), expected);
    }
    for (const std::int64_t expected : {std::int64_t{3600}, std::int64_t{32}, std::int64_t{2024}, std::int64_t{3}}) {
        EXPECT_EQ(user.int64(), expected);
    }
    EXPECT_EQ(sc::DatumReader{replies[1].block}.stringV(), "Cessna 152 Asobo");
    EXPECT_EQ(sc::DatumReader{replies[2].block}.text(32), "C152");

    records_.clear();
    ASSERT_EQ(sc::SimConnect_RequestDataOnSimObject(handle_, 108, 409, sc::kObjectIdUser, sc::Period::Second),
              sc::kOk);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(waitFor(sc::RecvId::SimObjectData, 3));
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_GT(took, std::chrono::milliseconds{1500}) << "one reply at once, then one a second, not one a frame";
    EXPECT_EQ(sc::DatumReader{records_.recordsOf(sc::RecvId::SimObjectData).back().block}.int64(), 1);
}

TEST_F(SimConnectSession, IntegerDataClampsValuesBeyondTheRangeOfTheType) {
    constexpr auto kHighest = std::numeric_limits<std::int64_t>::max();
    constexpr auto kLowest = std::numeric_limits<std::int64_t>::min();
    const std::pair<double, std::int64_t> cases[] = {
        {0x1p62, std::int64_t{1} << 62}, {0x1p63, kHighest}, {1e300, kHighest}, {-0x1p63, kLowest}, {-1e300, kLowest}};
    for (const auto& [altitudeFt, expected] : cases) {
        json scenario = lf_scenario();
        scenario["user"]["altitudeFt"] = altitudeFt;
        start(scenario);
        open();
        sc::SimConnect_AddToDataDefinition(handle_, kDefinitionUser, "Plane Altitude", "feet", sc::DataType::Int64);
        sc::SimConnect_RequestDataOnSimObject(handle_, 109, kDefinitionUser, sc::kObjectIdUser, sc::Period::Once);
        ASSERT_TRUE(waitFor(sc::RecvId::SimObjectData)) << altitudeFt;
        EXPECT_EQ(sc::DatumReader{records_.recordsOf(sc::RecvId::SimObjectData)[0].block}.int64(), expected)
            << altitudeFt;
        finishCase();
    }
}

TEST_F(SimConnectSession, CreatedAircraftIsRecognisedByItsAtcIdAndFollowsPositionsAndEvents) {
    start();
    open();
    definePosition();
    sc::SimConnect_AddToDataDefinition(handle_, kDefinitionInRange, "Plane Alt Above Ground", "feet");
    sc::SimConnect_AddToDataDefinition(handle_, kDefinitionInRange, "Ground Altitude", "feet");
    sc::SimConnect_AddToDataDefinition(handle_, kDefinitionInRange, "SIM ON GROUND", "Bool", sc::DataType::Int64);
    sc::SimConnect_AddToDataDefinition(handle_, kDefinitionInRange, "ATC ID", nullptr, sc::DataType::String32);
    const std::pair<std::uint32_t, const char*> events[] = {{kEventNavLights, "NAV_LIGHTS_SET"},
                                                            {kEventFlaps, "FLAPS_SET"},
                                                            {kEventGear, "GEAR_SET"},
                                                            {kEventFreezeLatLon, "FREEZE_LATITUDE_LONGITUDE_SET"}};
    for (const auto& [id, name] : events) {
        ASSERT_EQ(sc::SimConnect_MapClientEventToSimEvent(handle_, id, name), sc::kOk);
        sc::SimConnect_AddClientEventToNotificationGroup(handle_, 301, id, true);
    }
    sc::SimConnect_SetNotificationGroupPriority(handle_, 301, sc::kGroupPriorityHighest);

    const std::uint32_t objectId = createAircraft("DLH4AB");
    EXPECT_GE(objectId, 3U);
    EXPECT_EQ(records_.recordsOf(sc::RecvId::EventObjectAddRemove).back().objectType, sc::SimObjectType::Aircraft);

    ASSERT_EQ(sc::SimConnect_RequestDataOnSimObjectType(handle_, 101, kDefinitionInRange, 74080,
                                                        sc::SimObjectType::Aircraft),
              sc::kOk);
    ASSERT_TRUE(waitFor(sc::RecvId::SimObjectDataByType, 2));
    bool found = false;
    for (const ReceivedRecord& entry : records_.recordsOf(sc::RecvId::SimObjectDataByType)) {
        EXPECT_EQ(entry.outOf, 2U);
        sc::DatumReader data{entry.block};
        const double altAboveGroundFt = data.float64();
        data.float64();
        const std::int64_t onGround = data.int64();
        if (entry.objectId == objectId) {
            found = true;
            EXPECT_EQ(data.text(32), "DLH4AB");
            EXPECT_DOUBLE_EQ(altAboveGroundFt, 3000.0);
            EXPECT_EQ(onGround, 0);
        }
    }
    EXPECT_TRUE(found);

    ASSERT_EQ(sc::SimConnect_AIReleaseControl(handle_, objectId, 103), sc::kOk);
    const double block[8] = {47.52, 8.52, -0.05, 0.1, 1.5, 2500.0, -10.0, 180.0};
    ASSERT_EQ(sc::SimConnect_SetDataOnSimObject(handle_, kDefinitionPosition, objectId, 0, 0, sizeof block, block),
              sc::kOk);
    sc::SimConnect_TransmitClientEvent(handle_, objectId, kEventNavLights, 1, 301, 0);
    sc::SimConnect_TransmitClientEvent(handle_, objectId, kEventGear, 0, 301, 0);
    sc::SimConnect_TransmitClientEvent(handle_, objectId, kEventFlaps, 8192, 301, 0);
    sc::SimConnect_TransmitClientEvent(handle_, objectId, kEventFreezeLatLon, 1, 301, 0);

    const json state = sim_->waitForState([&](const json& s) {
        const json* object = StandInSim::findObject(s, "id", objectId);
        return object != nullptr && object->at("events").size() == 4;
    });
    const json& object = *StandInSim::findObject(state, "id", objectId);
    EXPECT_EQ(object.at("atcId"), "DLH4AB");
    EXPECT_EQ(object.at("title"), kCreatableTitle);
    EXPECT_TRUE(object.at("released").get<bool>());
    EXPECT_DOUBLE_EQ(object.at("latitudeDeg").get<double>(), 47.52);
    EXPECT_DOUBLE_EQ(object.at("headingRad").get<double>(), 1.5);
    EXPECT_DOUBLE_EQ(object.at("altitudeFt").get<double>(), 2500.0);
    EXPECT_EQ(object.at("positionWrites"), 1);
    EXPECT_EQ(object.at("lightStates"), 1);
    EXPECT_FALSE(object.at("gearDown").get<bool>());
    EXPECT_NEAR(object.at("flapsPercent").get<double>(), 50.0, 0.01);
    EXPECT_TRUE(object.at("frozen").at("latLon").get<bool>());
    EXPECT_EQ(object.at("events").at(0), (json{{"name", "NAV_LIGHTS_SET"}, {"data", 1}}));

    // A flight plan is read from its file; a missing one is refused.
    const auto planPath = (sim_->folder() / "4711.pln").string();
    std::ofstream(planPath) << "<FlightPlan.FlightPlan/>";
    ASSERT_EQ(sc::SimConnect_AISetAircraftFlightPlan(handle_, objectId, planPath.c_str(), 110), sc::kOk);
    sc::SimConnect_AISetAircraftFlightPlan(handle_, objectId, "/no/such/plan.pln", 110);
    EXPECT_EQ(exceptionAbout(lastSendId()).exception,
              static_cast<std::uint32_t>(sc::Exception::LoadFlightplanFailed));
    // Cut to its field, a longer path would name another file: not sent.
    const std::string tooLong(sc::kPathFieldBytes, 'a');
    EXPECT_EQ(sc::SimConnect_AISetAircraftFlightPlan(handle_, objectId, tooLong.c_str(), 110), sc::kInvalidArg);
    EXPECT_EQ(StandInSim::findObject(sim_->state(), "id", objectId)->at("flightPlan").at("text"),
              "<FlightPlan.FlightPlan/>");
}

TEST_F(SimConnectSession, FailedCreateCarriesTheSendIdOfItsPacket) {
    start();
    open();
    const sc::InitPosition position{47.51, 8.51, 3000.0, 0.0, 0.0, 90.0, 0, 0};
    ASSERT_EQ(sc::SimConnect_AICreateNonATCAircraft(handle_, "No Such Livery", "AAL1", position, 104), sc::kOk);
    const std::uint32_t createSendId = lastSendId();
    sc::SimConnect_SubscribeToSystemEvent(handle_, 201, "Sim");  // a later packet must not confuse the match
    const ReceivedRecord failure = exceptionAbout(createSendId);
    EXPECT_EQ(failure.exception, static_cast<std::uint32_t>(sc::Exception::CreateObjectFailed));
}

TEST_F(SimConnectSession, RemovalIsAnsweredByObjectRemovedAndAClosedClientLosesItsObjects) {
    start();
    open();
    const std::uint32_t removed = createAircraft("BAW12");
    const std::uint32_t kept = createAircraft("EZY34");
    ASSERT_EQ(sc::SimConnect_AIRemoveObject(handle_, removed, 105), sc::kOk);
    ASSERT_TRUE(waitFor(sc::RecvId::EventObjectAddRemove, 3));
    const ReceivedRecord gone = records_.recordsOf(sc::RecvId::EventObjectAddRemove).back();
    EXPECT_EQ(gone.eventId, 203U);
    EXPECT_EQ(gone.data, removed);

    // The user aircraft is not the client's to remove.
    sc::SimConnect_AIRemoveObject(handle_, 1, 105);
    EXPECT_EQ(exceptionAbout(lastSendId()).exception,
              static_cast<std::uint32_t>(sc::Exception::OperationInvalidForObjectType));

    sc::SimConnect_Close(handle_);
    handle_ = nullptr;
    const json state = sim_->waitForState([](const json& s) { return s.at("removed").size() == 2; });
    EXPECT_EQ(state.at("removed").at(0), (json{{"id", removed}, {"atcId", "BAW12"}, {"reason", "removed"}}));
    EXPECT_EQ(state.at("removed").at(1), (json{{"id", kept}, {"atcId", "EZY34"}, {"reason", "client closed"}}));
}

TEST_F(SimConnectSession, BadPacketsGetTheExceptionTheSimulatorWouldSend) {
    start();
    open();
    definePosition();
    sc::SimConnect_MapClientEventToSimEvent(handle_, kEventNavLights, "NAV_LIGHTS_SET");
    const double shortBlock[7] = {};
    struct Case {
        const char* what;
        std::function<sc::Result()> call;
        sc::Exception expected;
    };
    const Case cases[] = {
        {"unknown definition",
         [&] { return sc::SimConnect_RequestDataOnSimObject(handle_, 109, 999, 0, sc::Period::Once); },
         sc::Exception::UnrecognizedId},
        {"wrong data size",
         [&] {
             return sc::SimConnect_SetDataOnSimObject(handle_, kDefinitionPosition, 1, 0, 1, sizeof shortBlock,
                                                      shortBlock);
         },
         sc::Exception::InvalidDataSize},
        {"unknown object",
         [&] { return sc::SimConnect_TransmitClientEvent(handle_, 9999, kEventNavLights, 1, 301, 0); },
         sc::Exception::UnrecognizedId},
        {"unknown variable",
         [&] { return sc::SimConnect_AddToDataDefinition(handle_, 500, "NO SUCH VARIABLE", "feet"); },
         sc::Exception::NameUnrecognized},
        {"unmapped event",
         [&] { return sc::SimConnect_TransmitClientEvent(handle_, 0, 4242, 1, 301, 0); },
         sc::Exception::UnrecognizedId},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        ASSERT_EQ(row.call(), sc::kOk) << "refusals come back as exceptions, not as results";
        EXPECT_EQ(exceptionAbout(lastSendId()).exception, static_cast<std::uint32_t>(row.expected));
    }

    // The control interface makes a call fail, or sends an exception of its own.
    sim_->command("fail SubscribeToSystemEvent 1");
    sc::SimConnect_SubscribeToSystemEvent(handle_, 201, "Sim");
    EXPECT_EQ(exceptionAbout(lastSendId()).exception, static_cast<std::uint32_t>(sc::Exception::Error));
    sim_->command("exception 11 777 2");
    const ReceivedRecord injected = exceptionAbout(777);
    EXPECT_EQ(injected.exception, static_cast<std::uint32_t>(sc::Exception::TooManyObjects));
    EXPECT_EQ(injected.index, 2U);
}

TEST_F(SimConnectSession, QuitOrALostConnectionMakesEveryLaterCallFail) {
    for (const char* ending : {"quit", "drop"}) {
        SCOPED_TRACE(ending);
        start();
        open();
        ASSERT_TRUE(waitFor(sc::RecvId::Open));
        sim_->command(ending);
        const bool gone = records_.dispatchUntil(handle_, [&](const RecordCollector&) {
            return sc::SimConnect_CallDispatch(handle_, &RecordCollector::collect, &records_) == sc::kFail;
        });
        ASSERT_TRUE(gone);
        EXPECT_EQ(records_.recordsOf(sc::RecvId::Quit).size(), std::string(ending) == "quit" ? 1U : 0U);
        EXPECT_EQ(sc::SimConnect_SubscribeToSystemEvent(handle_, 201, "Sim"), sc::kFail);
        EXPECT_EQ(sc::SimConnect_Close(handle_), sc::kOk);
        // A closed handle fails cleanly, however often it is used.
        EXPECT_EQ(sc::SimConnect_Close(handle_), sc::kFail);
        EXPECT_EQ(sc::SimConnect_AIRemoveObject(handle_, 5, 105), sc::kFail);
        std::uint32_t sendId = 0;
        EXPECT_EQ(sc::SimConnect_GetLastSentPacketID(handle_, &sendId), sc::kFail);
        finishCase();
    }
}

TEST_F(SimConnectSession, CallsFromSeveralThreadsWhileADispatchRunsKeepTheirOrder) {
    start();
    open();
    sc::SimConnect_MapClientEventToSimEvent(handle_, kEventNavLights, "NAV_LIGHTS_SET");
    sc::SimConnect_SubscribeToSystemEvent(handle_, 204, "Frame");
    constexpr int kThreads = 4;
    constexpr int kCallsEach = 100;
    std::atomic<bool> done{false};
    std::atomic<int> failures{0};
    std::thread dispatcher([&] {
        while (!done.load()) {
            sc::SimConnect_CallDispatch(handle_, &RecordCollector::collect, &records_);
            std::this_thread::sleep_for(std::chrono::milliseconds{1});
        }
    });
    std::vector<std::thread> callers;
    for (int thread = 0; thread < kThreads; ++thread) {
        callers.emplace_back([&, thread] {
            for (int call = 0; call < kCallsEach; ++call) {
                if (sc::SimConnect_TransmitClientEvent(handle_, 0, kEventNavLights, (thread + call) % 2, 301, 0) !=
                    sc::kOk) {
                    ++failures;
                }
            }
        });
    }
    for (std::thread& caller : callers) {
        caller.join();
    }
    const auto framesDeadline = std::chrono::steady_clock::now() + std::chrono::seconds{2};
    while (records_.recordsOf(sc::RecvId::EventFrame).empty() && std::chrono::steady_clock::now() < framesDeadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds{5});
    }
    done = true;
    dispatcher.join();
    EXPECT_EQ(failures.load(), 0);
    const std::uint32_t last = lastSendId();
    const json transmitted = sim_->waitForPackets("TransmitClientEvent", kThreads * kCallsEach);
    ASSERT_EQ(transmitted.size(), static_cast<std::size_t>(kThreads * kCallsEach));
    for (std::size_t index = 1; index < transmitted.size(); ++index) {
        EXPECT_EQ(transmitted[index].at("sendId").get<std::uint32_t>(),
                  transmitted[index - 1].at("sendId").get<std::uint32_t>() + 1)
            << "send ids follow the sending order";
    }
    EXPECT_EQ(transmitted.back().at("sendId").get<std::uint32_t>(), last);
    EXPECT_FALSE(records_.recordsOf(sc::RecvId::EventFrame).empty());
}

// A dispatch procedure that calls the API, and throws at the first data record.
struct ThrowingProcedure {
    sc::Handle handle = nullptr;
    int dataRecordsSeen = 0;

    static void dispatch(const sc::Recv* record, std::uint32_t, void* context) {
        auto* self = static_cast<ThrowingProcedure*>(context);
        if (record->id == sc::RecvId::Event) {
            for (std::uint32_t request = 1; request <= 3; ++request) {
                sc::SimConnect_RequestDataOnSimObject(self->handle, request, 409, 0, sc::Period::Once);
            }
        }
        if (record->id == sc::RecvId::SimObjectData && ++self->dataRecordsSeen == 1) {
            throw std::runtime_error("from the dispatch procedure");
        }
    }
};

TEST_F(SimConnectSession, ExceptionsOfTheDispatchProcedurePassThroughAndTheRestStaysQueued) {
    start();
    open();
    sc::SimConnect_AddToDataDefinition(handle_, 409, "SIM ON GROUND", "Bool", sc::DataType::Int64);
    sc::SimConnect_SubscribeToSystemEvent(handle_, 201, "Sim");
    ThrowingProcedure procedure{handle_};
    bool thrown = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds{5};
    while (!thrown && std::chrono::steady_clock::now() < deadline) {
        try {
            sc::SimConnect_CallDispatch(handle_, &ThrowingProcedure::dispatch, &procedure);
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), "from the dispatch procedure");
            thrown = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds{50});
    }
    ASSERT_TRUE(thrown);
    ASSERT_TRUE(waitFor(sc::RecvId::SimObjectData, 2));
    const auto rest = records_.recordsOf(sc::RecvId::SimObjectData);
    EXPECT_EQ(rest[0].requestId, 2U);
    EXPECT_EQ(rest[1].requestId, 3U);
}

// A client of our own that sends raw bytes, to see how the stand-in meets
// packets our client never sends.
TEST_F(SimConnectSession, TheStandInAnswersMalformedPacketsAndSurvivesGarbage) {
    namespace net = platform::net;
    namespace wire = sc::wire;
    start();
    const std::atomic<bool> never{false};
    std::error_code error;
    net::TcpSocket raw = net::TcpSocket::connect("127.0.0.1", sim_->port(), std::chrono::seconds{1}, error);
    ASSERT_TRUE(raw.isOpen());
    wire::Framer framer{wire::kServerHeaderSize};
    const auto nextRecord = [&] {
        std::vector<std::byte> message;
        std::vector<std::byte> buffer(4096);
        while (framer.next(message) != wire::Framer::Next::Message) {
            const auto received = raw.receiveSome(buffer, never, error, std::chrono::seconds{2});
            if (received.status != net::ReceiveResult::Status::Data) {
                return std::vector<std::byte>{};
            }
            framer.append(std::span{buffer}.first(received.byteCount));
        }
        return message;
    };
    const auto sendRaw = [&](std::uint32_t size, std::uint32_t type, std::uint32_t sendId) {
        wire::Writer packet;
        packet.u32(size).u32(5).u32(wire::kPacketTypeMark | type).u32(sendId);
        while (packet.size() < size) {
            packet.u32(0);
        }
        ASSERT_TRUE(raw.sendAll(packet.data(), never, error));
    };
    ASSERT_TRUE(raw.sendAll(sc::packets::framed(sc::packets::open(wire::kOpenMsfs2020, "raw"), 5, 1), never, error));
    ASSERT_EQ(wire::Reader{nextRecord()}.u32(8), static_cast<std::uint32_t>(sc::RecvId::Open));

    struct Case {
        const char* what;
        std::uint32_t size;
        std::uint32_t type;
        sc::Exception expected;
    };
    const Case cases[] = {
        {"a request too short for its layout", 20, 0x0E, sc::Exception::SizeMismatch},
        {"a create too short for its layout", 40, 0x29, sc::Exception::SizeMismatch},
        {"an unknown packet type", 16, 0x77, sc::Exception::UnrecognizedId},
    };
    std::uint32_t sendId = 2;
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        sendRaw(row.size, row.type, sendId);
        const std::vector<std::byte> answer = nextRecord();
        ASSERT_EQ(answer.size(), 24U);
        const wire::Reader reader{answer};
        EXPECT_EQ(reader.u32(12), static_cast<std::uint32_t>(row.expected));
        EXPECT_EQ(reader.u32(16), sendId++);
    }

    // A size field below the header ends that connection, not the simulator.
    sendRaw(8, 0x17, sendId);
    EXPECT_TRUE(nextRecord().empty());
    EXPECT_TRUE(sim_->state().at("objects").is_array());
    open();
    EXPECT_TRUE(waitFor(sc::RecvId::Open));
}

}  // namespace
