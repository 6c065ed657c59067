// vantrel-sim, the stand-in simulator, against clients that speak the wire
// protocol byte by byte: text that is not UTF-8, a client that never reads,
// flight-plan paths that are no plain file, the create call with a livery
// name, and a flood of large packets for the journal.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "platform/net/tcp_socket.h"
#include "platform/simconnect/packets.h"
#include "platform/simconnect/simconnect.h"
#include "platform/simconnect/wire.h"
#include "support/stand_in_sim.h"
#include "support/temp_folder.h"
#include "tools/sim/simulator.h"

namespace {

namespace sc = platform::simconnect;
namespace wire = platform::simconnect::wire;
namespace packets = platform::simconnect::packets;
using namespace std::chrono_literals;
using nlohmann::json;
using vantrel::test::StandInSim;

const std::atomic<bool> never{false};

constexpr const char* kTitle = "Airbus A320 Neo Asobo";
// The title in the scenario (UTF-8) and as a single-byte client sends it.
constexpr const char* kAccentedTitleUtf8 = "A\xC3\xA9rospatiale ATR 72";
constexpr const char* kAccentedTitleLatin1 = "A\xE9rospatiale ATR 72";

json lf_scenario(const std::string& simulator = "KittyHawk") {
    return json{{"simulator", simulator},
                {"titles", {kTitle, kAccentedTitleUtf8}},
                {"frameRate", 100},
                {"user", {{"title", "Cessna 152 Asobo"}, {"latitudeDeg", 47.5}, {"longitudeDeg", 8.5}}}};
}

// One received record: its id and the whole record.
struct Record {
    sc::RecvId id{};
    std::vector<std::byte> bytes;
    std::uint32_t u32(std::size_t offset) const { return wire::Reader{bytes}.u32(offset); }
};

// A SimConnect client made of raw packets.
class RawClient {
public:
    explicit RawClient(std::uint16_t port, const wire::OpenVersion& version = wire::kOpenMsfs2020)
        : version_(version) {
        std::error_code error;
        socket_ = platform::net::TcpSocket::connect("127.0.0.1", port, 5s, error);
        EXPECT_TRUE(socket_.isOpen()) << error.message();
    }

    void send(const packets::Packet& packet) {
        std::error_code error;
        ASSERT_TRUE(socket_.sendAll(packets::framed(packet, version_.headerVersion, sendId_++), never, error))
            << error.message();
    }

    void open(std::string_view name) {
        send(packets::open(version_, name));
        ASSERT_TRUE(waitFor(sc::RecvId::Open));
    }

    // Reads records until one of that id comes (within 5 s); the others are
    // skipped.
    std::optional<Record> waitFor(sc::RecvId id) {
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        std::vector<std::byte> message;
        while (std::chrono::steady_clock::now() < deadline) {
            while (framer_.next(message) == wire::Framer::Next::Message) {
                Record record{static_cast<sc::RecvId>(wire::Reader{message}.u32(8)), message};
                if (record.id == id) {
                    return record;
                }
            }
            std::vector<std::byte> buffer(65536);
            std::error_code error;
            const auto received = socket_.receiveSome(buffer, never, error, 100ms);
            if (received.status == platform::net::ReceiveResult::Status::Data) {
                framer_.append(std::span{buffer}.first(received.byteCount));
            } else if (received.status != platform::net::ReceiveResult::Status::TimedOut) {
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    // Creates an AI aircraft of the title; its object id.
    std::uint32_t create(std::string_view title, std::string_view tailNumber, std::uint32_t requestId) {
        send(packets::aiCreateNonAtcAircraft(title, tailNumber, sc::InitPosition{47.45, 8.56, 1400, 0, 0, 90, 1, 0},
                                             requestId));
        const auto assigned = waitFor(sc::RecvId::AssignedObjectId);
        EXPECT_TRUE(assigned);
        return assigned ? assigned->u32(16) : 0;
    }

    std::uint32_t nextSendId() const { return sendId_; }

private:
    wire::OpenVersion version_;
    platform::net::TcpSocket socket_;
    wire::Framer framer_{wire::kServerHeaderSize};
    std::uint32_t sendId_ = wire::kFirstSendId;
};

const json& lf_client(const json& state, std::size_t index) { return state.at("clients").at(index); }

TEST(VantrelSimText, SingleByteTextOfAClientShowsConvertedInStateAndJournal) {
    StandInSim sim(lf_scenario());
    RawClient client(sim.port());
    client.open("Z\xFCrich Tower");
    // The title matches the scenario's UTF-8 one once converted.
    const std::uint32_t objectId = client.create(kAccentedTitleLatin1, "F-G\xC9ZZ", 7);
    ASSERT_NE(objectId, 0U);

    const json state = sim.state();
    EXPECT_EQ(lf_client(state, 0).at("name"), "Z\xC3\xBCrich Tower");
    const json* object = StandInSim::findObject(state, "id", objectId);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->at("title"), kAccentedTitleUtf8);
    EXPECT_EQ(object->at("atcId"), "F-G\xC3\x89ZZ");
    EXPECT_EQ(sim.journal(0, "Open").size(), 1U);
}

TEST(VantrelSimText, ValidUtf8FromAClientStaysAsItIs) {
    StandInSim sim(lf_scenario());
    RawClient client(sim.port());
    client.open("Z\xC3\xBCrich Tower");
    EXPECT_EQ(lf_client(sim.state(), 0).at("name"), "Z\xC3\xBCrich Tower");
}

TEST(VantrelSimText, ControlCommandThatIsNotUtf8IsRefusedWithoutEndingTheStandIn) {
    StandInSim sim(lf_scenario());
    EXPECT_THROW(sim.command("teleport \xFF\xFE 8"), std::runtime_error);
    EXPECT_NO_THROW(sim.state());
}

TEST(VantrelSimClients, ClientThatNeverReadsIsDroppedWhileTheOthersGoOn) {
    StandInSim sim(lf_scenario());
    sim.command("frame-rate 400");
    // The silent client asks for a large record every frame and reads none.
    RawClient silent(sim.port());
    silent.open("silent");
    constexpr std::uint32_t kDefinition = 1;
    for (int datum = 0; datum < 140; ++datum) {
        silent.send(packets::addToDataDefinition(kDefinition, "TITLE", "", sc::DataType::String256, 0, 0xFFFFFFFF));
    }
    silent.send(packets::requestDataOnSimObject(1, kDefinition, 0, sc::Period::VisualFrame, 0, 0, 0, 0));

    RawClient busy(sim.port());
    busy.open("busy");
    busy.send(packets::addToDataDefinition(kDefinition, "TITLE", "", sc::DataType::String256, 0, 0xFFFFFFFF));
    const auto deadline = std::chrono::steady_clock::now() + 4s;
    for (std::uint32_t request = 1; std::chrono::steady_clock::now() < deadline; ++request) {
        busy.send(packets::requestDataOnSimObject(request, kDefinition, 0, sc::Period::Once, 0, 0, 0, 0));
        ASSERT_TRUE(busy.waitFor(sc::RecvId::SimObjectData));
        std::this_thread::sleep_for(100ms);
    }
    const json state = sim.waitForState([](const json& s) { return s.at("clients").size() == 1; }, 20s);
    EXPECT_EQ(lf_client(state, 0).at("name"), "busy");
}

class VantrelSimFlightPlan : public ::testing::Test {
protected:
    // Sets the plan of a new aircraft to the path; the exception number the
    // simulator answers with, 0 when it took the plan.
    void SetUp() override { client_.open("plans"); }

    std::uint32_t setPlan(const std::string& path) {
        const std::uint32_t objectId = client_.create(kTitle, "HB-JXA", 1);
        client_.send(packets::aiSetAircraftFlightPlan(objectId, path, 2));
        // Removing an unknown object is refused at once, after any answer to
        // the plan: its exception marks the end of those answers.
        client_.send(packets::aiRemoveObject(0xFFFFFFF0, 3));
        const auto exception = client_.waitFor(sc::RecvId::Exception);
        EXPECT_TRUE(exception);
        const bool aboutThePlan = exception && exception->u32(16) != client_.nextSendId() - 1;
        if (aboutThePlan) {
            EXPECT_TRUE(client_.waitFor(sc::RecvId::Exception)) << "the marker follows";
        }
        return aboutThePlan ? exception->u32(12) : 0;
    }

    StandInSim sim_{lf_scenario()};
    RawClient client_{sim_.port()};
    test::TempFolder folder_;
};

TEST_F(VantrelSimFlightPlan, OnlyARegularFileOfBoundedSizeIsRead) {
    const auto fifo = folder_ / "fifo.pln";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(folder_ / "folder.pln");
    const auto huge = folder_ / "huge.pln";
    std::ofstream{huge}.close();
    std::filesystem::resize_file(huge, 64 * 1024 * 1024);
    const auto good = folder_ / "good.pln";
    std::ofstream(good) << "<SimBase.Document/>";

    const std::uint32_t kLoadFailed = static_cast<std::uint32_t>(sc::Exception::LoadFlightplanFailed);
    const struct {
        std::string path;
        std::uint32_t exception;
    } cases[] = {
        {"/dev/zero", kLoadFailed},
        {fifo.string(), kLoadFailed},
        {(folder_ / "folder.pln").string(), kLoadFailed},
        {huge.string(), kLoadFailed},
        {(folder_ / "good").string(), 0},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.path);
        EXPECT_EQ(setPlan(entry.path), entry.exception);
    }
    const json state = sim_.state();
    const json* object =
        StandInSim::findObject(state, "flightPlan", {{"path", good.string()}, {"text", "<SimBase.Document/>"}});
    EXPECT_NE(object, nullptr);
}

TEST(VantrelSimCreate, CreateWithLiveryNameOfTheNewerProtocol) {
    StandInSim sim(lf_scenario("SunRise"));
    RawClient client(sim.port(), wire::kOpenMsfs2024);
    client.open("Vantrel");
    wire::Writer payload;
    payload.text(kTitle, wire::kNameFieldSize)
        .text("Swiss", wire::kNameFieldSize)
        .text("HB-JLT", wire::kTailNumberFieldSize)
        .f64(47.45)
        .f64(8.56)
        .f64(1400.0)
        .f64(0.0)
        .f64(0.0)
        .f64(90.0)
        .u32(1)
        .u32(0)
        .u32(42);
    client.send({wire::PacketType::AICreateNonATCAircraftEx1, payload.take()});

    const auto assigned = client.waitFor(sc::RecvId::AssignedObjectId);
    ASSERT_TRUE(assigned);
    EXPECT_EQ(assigned->u32(12), 42U);
    const json state = sim.state();
    const json* object = StandInSim::findObject(state, "id", assigned->u32(16));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->at("title"), kTitle);
    EXPECT_EQ(object->at("livery"), "Swiss");
    EXPECT_EQ(object->at("atcId"), "HB-JLT");
    EXPECT_DOUBLE_EQ(object->at("latitudeDeg").get<double>(), 47.45);
    EXPECT_NEAR(object->at("headingRad").get<double>(), 1.5708, 1e-4);
    EXPECT_EQ(sim.journal(0, "AICreateNonATCAircraft_EX1").size(), 1U);
}

TEST(VantrelSimJournal, KeepsTheLatestPacketsWithinItsByteCap) {
    StandInSim sim(lf_scenario());
    RawClient client(sim.port());
    client.open("flood");
    // Packets of an unknown call, near the largest size, are journalled too.
    constexpr std::size_t kPacketSize = 40000;
    constexpr std::size_t kPackets = sim::Simulator::kJournalByteLimit / kPacketSize + 50;
    const packets::Packet large{static_cast<wire::PacketType>(0x7E),
                                std::vector<std::byte>(kPacketSize - wire::kClientHeaderSize)};
    for (std::size_t index = 0; index < kPackets; ++index) {
        client.send(large);
    }
    // The Open is index 0, the last large packet index kPackets.
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (sim.journal(kPackets).empty()) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the last packet never reached the journal";
        std::this_thread::sleep_for(50ms);
    }

    // Tens of megabytes of JSON: a loaded machine needs more than the usual
    // few seconds to write and read them.
    const json journal = sim.journal(0, {}, 60s);
    std::size_t bytes = 0;
    for (const json& entry : journal) {
        bytes += entry.at("hex").get<std::string>().size() / 2;
    }
    EXPECT_LE(bytes, sim::Simulator::kJournalByteLimit);
    EXPECT_GT(bytes, sim::Simulator::kJournalByteLimit - kPacketSize);
    EXPECT_EQ(journal.back().at("index"), kPackets);
    EXPECT_TRUE(sim.journal(0, "Open").empty()) << "the oldest packets went first";
}

}  // namespace
