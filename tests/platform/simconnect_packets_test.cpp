// Every packet our client sends, byte for byte against the protocol's
// layouts, as the stand-in simulator received it. The expected bytes are
// built here from the layout tables, independently of the client's writer.

#include "platform/simconnect/simconnect.h"
#include "support/stand_in_sim.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <functional>

namespace {

namespace sc = platform::simconnect;

// Little-endian hex of the layouts' field kinds.
std::string u32(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%02x%02x%02x%02x", value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF,
                  value >> 24);
    return text;
}

std::string f64(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    return u32(static_cast<std::uint32_t>(bits)) + u32(static_cast<std::uint32_t>(bits >> 32));
}

std::string f32(float value) { return u32(std::bit_cast<std::uint32_t>(value)); }

std::string field(const std::string& text, std::size_t size) {
    std::string hex;
    for (std::size_t index = 0; index < size; ++index) {
        char byte[3];
        std::snprintf(byte, sizeof byte, "%02x",
                      index < text.size() && index < size - 1 ? static_cast<unsigned char>(text[index]) : 0U);
        hex += byte;
    }
    return hex;
}

std::string header(std::size_t size, std::uint32_t version, std::uint32_t type, std::uint32_t sendId) {
    return u32(static_cast<std::uint32_t>(size)) + u32(version) + u32(0xF0000000 | type) + u32(sendId);
}

struct PacketCase {
    const char* call;
    std::function<sc::Result(sc::Handle)> send;
    std::uint32_t type;
    std::size_t size;
    std::string payload;  // hex from offset 16
};

TEST(SimConnectPackets, EveryCallIsEncodedAsTheProtocolLaysItOut) {
    vantrel::test::StandInSim sim(nlohmann::json{{"simulator", "KittyHawk"}});
    sim.writeSimConnectCfg(sim.folder());
    sc::selectTargetSimulator(sc::TargetSimulator::Msfs2020);
    sc::Handle handle = nullptr;
    {
        const ::test::WorkingFolder working(sim.folder());
        ASSERT_EQ(sc::SimConnect_Open(&handle, "Vantrel", nullptr, 0, nullptr, 0), sc::kOk);
    }

    const sc::InitPosition position{47.25, -8.5, 1500.0, -2.5, 1.0, 270.0, 1, 0xFFFFFFFE};
    const double latitude = 1.5;
    const std::string longName(300, 'x');
    const PacketCase cases[] = {
        {"SubscribeToSystemEvent", [](sc::Handle h) { return sc::SimConnect_SubscribeToSystemEvent(h, 201, "Sim"); },
         0x17, 276, u32(201) + field("Sim", 256)},
        {"AddToDataDefinition",
         [](sc::Handle h) {
             return sc::SimConnect_AddToDataDefinition(h, 402, "Plane Latitude", "degree", sc::DataType::Float64, 0.25F,
                                                       sc::kUnused);
         },
         0x0C, 544, u32(402) + field("Plane Latitude", 256) + field("degree", 256) + u32(4) + f32(0.25F) + u32(0xFFFFFFFF)},
        {"MapClientEventToSimEvent (name cut to its field)",
         [&](sc::Handle h) { return sc::SimConnect_MapClientEventToSimEvent(h, 219, longName.c_str()); }, 0x04, 276,
         u32(219) + field(longName, 256)},
        {"AddClientEventToNotificationGroup",
         [](sc::Handle h) { return sc::SimConnect_AddClientEventToNotificationGroup(h, 301, 219, true); }, 0x07, 28,
         u32(301) + u32(219) + u32(1)},
        {"SetNotificationGroupPriority",
         [](sc::Handle h) { return sc::SimConnect_SetNotificationGroupPriority(h, 301, sc::kGroupPriorityHighest); },
         0x09, 24, u32(301) + u32(1)},
        {"RequestDataOnSimObject",
         [](sc::Handle h) {
             return sc::SimConnect_RequestDataOnSimObject(h, 108, 409, sc::kObjectIdUser, sc::Period::Second, 1, 2, 3, 4);
         },
         0x0E, 48, u32(108) + u32(409) + u32(0) + u32(4) + u32(1) + u32(2) + u32(3) + u32(4)},
        {"RequestDataOnSimObjectType",
         [](sc::Handle h) {
             return sc::SimConnect_RequestDataOnSimObjectType(h, 101, 404, 74080, sc::SimObjectType::Aircraft);
         },
         0x0F, 32, u32(101) + u32(404) + u32(74080) + u32(2)},
        {"SetDataOnSimObject (count 0 is one element)",
         [&](sc::Handle h) { return sc::SimConnect_SetDataOnSimObject(h, 402, 5, 0, 0, 8, &latitude); }, 0x10, 44,
         u32(402) + u32(5) + u32(0) + u32(1) + u32(8) + f64(1.5)},
        {"TransmitClientEvent",
         [](sc::Handle h) { return sc::SimConnect_TransmitClientEvent(h, 5, 207, 1, 301, 0); }, 0x05, 36,
         u32(5) + u32(207) + u32(1) + u32(301) + u32(0)},
        {"AICreateNonATCAircraft",
         [&](sc::Handle h) { return sc::SimConnect_AICreateNonATCAircraft(h, "Boeing 737-800", "N123AB", position, 104); },
         0x29, 344,
         field("Boeing 737-800", 256) + field("N123AB", 12) + f64(47.25) + f64(-8.5) + f64(1500.0) + f64(-2.5) +
             f64(1.0) + f64(270.0) + u32(1) + u32(0xFFFFFFFE) + u32(104)},
        {"AIReleaseControl", [](sc::Handle h) { return sc::SimConnect_AIReleaseControl(h, 5, 103); }, 0x2B, 24,
         u32(5) + u32(103)},
        {"AIRemoveObject", [](sc::Handle h) { return sc::SimConnect_AIRemoveObject(h, 5, 105); }, 0x2C, 24,
         u32(5) + u32(105)},
        {"AISetAircraftFlightPlan",
         [](sc::Handle h) { return sc::SimConnect_AISetAircraftFlightPlan(h, 5, "C:\\plans\\5.pln", 110); }, 0x2D, 284,
         u32(5) + field("C:\\plans\\5.pln", 260) + u32(110)},
    };
    for (const PacketCase& row : cases) {
        ASSERT_EQ(row.send(handle), sc::kOk) << row.call;
    }

    const std::string openHex = header(296, 5, 0x01, 1) + field("Vantrel", 256) + u32(0) + "00484b00" + u32(11) +
                                u32(0) + u32(62651) + u32(3);
    sim.waitForPackets("AISetAircraftFlightPlan", 1);
    const nlohmann::json journal = sim.journal();
    ASSERT_EQ(journal.size(), std::size(cases) + 1);
    EXPECT_EQ(journal[0].at("hex"), openHex);
    std::uint32_t sendId = 2;
    for (std::size_t index = 0; index < std::size(cases); ++index) {
        const PacketCase& row = cases[index];
        SCOPED_TRACE(row.call);
        ASSERT_EQ(row.payload.size(), (row.size - 16) * 2) << "the test's own layout";
        EXPECT_EQ(journal[index + 1].at("hex"), header(row.size, 5, row.type, sendId++) + row.payload);
    }
    sc::SimConnect_Close(handle);
}

}  // namespace
