// How our client cuts the server's byte stream into records: records split
// across reads, several in one read, unknown, truncated and garbled records,
// and data blocks that do not fit their definition. A scripted server plays
// crafted bytes after the client's Open.

#include "platform/net/tcp_socket.h"
#include "platform/simconnect/simconnect.h"
#include "platform/support/simconnect_recorder.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

namespace {

namespace sc = platform::simconnect;
namespace net = platform::net;
using Bytes = std::vector<std::byte>;
using vantrel::test::ReceivedRecord;
using vantrel::test::RecordCollector;

void put(Bytes& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::byte>((value >> shift) & 0xFF));
    }
}

Bytes record(std::uint32_t id, std::initializer_list<std::uint32_t> fields, const Bytes& tail = {}) {
    Bytes bytes;
    put(bytes, static_cast<std::uint32_t>(12 + fields.size() * 4 + tail.size()));
    put(bytes, 5);
    put(bytes, id);
    for (const std::uint32_t value : fields) {
        put(bytes, value);
    }
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

Bytes openRecord() {
    Bytes name(256, std::byte{0});
    const std::string text = "KittyHawk";
    std::transform(text.begin(), text.end(), name.begin(), [](char c) { return static_cast<std::byte>(c); });
    Bytes bytes = record(2, {}, name);
    for (const std::uint32_t value : {11U, 0U, 282174U, 999U, 11U, 0U, 62651U, 3U, 0U, 0U}) {
        put(bytes, value);
    }
    bytes[0] = std::byte{static_cast<unsigned char>(bytes.size())};
    bytes[1] = std::byte{static_cast<unsigned char>(bytes.size() >> 8)};
    return bytes;
}

Bytes eventRecord(std::uint32_t eventId) { return record(4, {0xFFFFFFFF, eventId, 1}); }

Bytes dataRecord(std::uint32_t defineId, const Bytes& block) {
    return record(8, {50, 1, defineId, 0, 1, 1, 1}, block);
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// Accepts one client, reads its Open and writes the chunks, pausing before each.
class ScriptedServer {
public:
    explicit ScriptedServer(std::vector<Bytes> chunks) {
        std::error_code error;
        listener_ = net::TcpListener::listen("127.0.0.1", 0, error);
        thread_ = std::thread([this, chunks = std::move(chunks)] {
            std::error_code ignored;
            net::TcpSocket client = listener_.accept(stop_, ignored);
            std::vector<std::byte> buffer(296);
            std::size_t have = 0;
            while (client.isOpen() && have < buffer.size()) {
                const auto got = client.receiveSome(std::span{buffer}.subspan(have), stop_, ignored);
                if (got.status != net::ReceiveResult::Status::Data) {
                    return;
                }
                have += got.byteCount;
            }
            for (const Bytes& chunk : chunks) {
                std::this_thread::sleep_for(std::chrono::milliseconds{30});
                client.sendAll(chunk, stop_, ignored);
            }
            while (!stop_.load()) {
                std::this_thread::sleep_for(std::chrono::milliseconds{10});
            }
        });
    }
    ~ScriptedServer() {
        stop_ = true;
        thread_.join();
    }
    std::uint16_t port() const { return listener_.port(); }

private:
    std::atomic<bool> stop_{false};
    net::TcpListener listener_;
    std::thread thread_;
};

class SimConnectStream : public ::testing::Test {
protected:
    void TearDown() override {
        if (handle_ != nullptr) {
            sc::SimConnect_Close(handle_);
        }
    }
    void openAgainst(const ScriptedServer& server) {
        std::ofstream("SimConnect.cfg") << "[SimConnect]\nProtocol=IPv4\nAddress=127.0.0.1\nPort=" << server.port()
                                        << "\n";
        sc::selectTargetSimulator(sc::TargetSimulator::Msfs2020);
        ASSERT_EQ(sc::SimConnect_Open(&handle_, "Vantrel", nullptr, 0, nullptr, 0), sc::kOk);
    }
    std::vector<sc::RecvId> idsAfter(std::size_t count) {
        records_.dispatchUntil(handle_, [&](const RecordCollector& r) { return r.records().size() >= count; },
                               std::chrono::seconds{2});
        std::this_thread::sleep_for(std::chrono::milliseconds{100});
        sc::SimConnect_CallDispatch(handle_, &RecordCollector::collect, &records_);
        std::vector<sc::RecvId> ids;
        for (const ReceivedRecord& received : records_.records()) {
            ids.push_back(received.id);
        }
        return ids;
    }

    ::test::TempFolder folder_;
    ::test::WorkingFolder working_{folder_.path()};
    sc::Handle handle_ = nullptr;
    RecordCollector records_;
};

TEST_F(SimConnectStream, RecordsSplitAcrossReadsOrSharingOneAreDeliveredWholeAndInOrder) {
    const Bytes open = openRecord();
    const Bytes firstPart(open.begin(), open.begin() + 5);
    const Bytes middlePart(open.begin() + 5, open.begin() + 150);
    const Bytes lastPart(open.begin() + 150, open.end());
    const Bytes fourth = eventRecord(204);
    ScriptedServer server({firstPart, middlePart, concat({lastPart, eventRecord(201), eventRecord(202)}),
                           concat({eventRecord(203), Bytes(fourth.begin(), fourth.begin() + 7)}),
                           Bytes(fourth.begin() + 7, fourth.end())});
    openAgainst(server);
    const auto ids = idsAfter(5);
    using enum sc::RecvId;
    EXPECT_EQ(ids, (std::vector{Open, Event, Event, Event, Event}));
    EXPECT_EQ(records_.records()[0].text, "KittyHawk");
    EXPECT_EQ(records_.records()[0].applicationVersion, (std::array<std::uint32_t, 4>{11, 0, 282174, 999}));
    EXPECT_EQ(records_.records()[4].eventId, 204U);
}

TEST_F(SimConnectStream, UnknownRecordsArriveBareAndTruncatedOnesAreSkipped) {
    ScriptedServer server({concat({openRecord(), record(99, {7, 8}), record(1, {22}), eventRecord(201)})});
    openAgainst(server);
    const auto ids = idsAfter(3);
    using enum sc::RecvId;
    ASSERT_EQ(ids, (std::vector{Open, static_cast<sc::RecvId>(99), Event}));
    EXPECT_EQ(records_.records()[1].size, 20U);
}

TEST_F(SimConnectStream, DataBlocksThatDoNotFitTheirDefinitionAreSkipped) {
    const Bytes twoFloats(16, std::byte{0});
    const Bytes oneFloat(8, std::byte{0});
    const Bytes textWithEnd{std::byte{'a'}, std::byte{'b'}, std::byte{0}};
    const Bytes textWithoutEnd{std::byte{'a'}, std::byte{'b'}, std::byte{'c'}, std::byte{'d'}};
    ScriptedServer server({concat({openRecord(), dataRecord(7, oneFloat), dataRecord(7, twoFloats),
                                   dataRecord(8, twoFloats), dataRecord(9, textWithoutEnd), dataRecord(9, textWithEnd)})});
    openAgainst(server);
    sc::SimConnect_AddToDataDefinition(handle_, 7, "Plane Latitude", "degree");
    sc::SimConnect_AddToDataDefinition(handle_, 7, "Plane Longitude", "degree");
    sc::SimConnect_AddToDataDefinition(handle_, 9, "TITLE", nullptr, sc::DataType::StringV);
    const auto ids = idsAfter(3);
    using enum sc::RecvId;
    ASSERT_EQ(ids, (std::vector{Open, SimObjectData, SimObjectData}));
    EXPECT_EQ(records_.records()[1].defineId, 7U);
    EXPECT_EQ(records_.records()[1].block.size(), 16U);
    EXPECT_EQ(sc::DatumReader{records_.records()[2].block}.stringV(), "ab");
}

TEST_F(SimConnectStream, ASizeFieldOutOfBoundsEndsTheConnectionCleanly) {
    for (const std::uint32_t badSize : {3U, 100000U}) {
        SCOPED_TRACE(badSize);
        Bytes garbage;
        put(garbage, badSize);
        put(garbage, 0xDEADBEEF);
        put(garbage, 0xDEADBEEF);
        ScriptedServer server({concat({openRecord(), eventRecord(201), garbage, eventRecord(202)})});
        openAgainst(server);
        const bool lost = records_.dispatchUntil(handle_, [&](const RecordCollector&) {
            return sc::SimConnect_CallDispatch(handle_, &RecordCollector::collect, &records_) == sc::kFail;
        });
        ASSERT_TRUE(lost);
        using enum sc::RecvId;
        std::vector<sc::RecvId> ids;
        for (const ReceivedRecord& received : records_.records()) {
            ids.push_back(received.id);
        }
        EXPECT_EQ(ids, (std::vector{Open, Event})) << "what came before the garbage is delivered";
        EXPECT_EQ(sc::SimConnect_SubscribeToSystemEvent(handle_, 201, "Sim"), sc::kFail);
        sc::SimConnect_Close(handle_);
        handle_ = nullptr;
        records_.clear();
    }
}

}  // namespace
