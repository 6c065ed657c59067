#pragma once
// Keeps copies of the records a SimConnect dispatch delivers, so that tests
// can wait for them and look at them after the dispatch call.

#include "platform/simconnect/simconnect.h"

#include <chrono>
#include <functional>
#include <mutex>
#include <vector>

namespace vantrel::test {

namespace sc = platform::simconnect;

struct ReceivedRecord {
    sc::RecvId id = sc::RecvId::Null;
    std::uint32_t size = 0;
    std::uint32_t version = 0;
    std::uint32_t exception = 0;  // EXCEPTION
    std::uint32_t sendId = 0;
    std::uint32_t index = 0;
    std::string text;  // OPEN application name; EVENT_FILENAME file name
    std::array<std::uint32_t, 4> applicationVersion{};
    std::uint32_t eventId = 0;  // events
    std::uint32_t data = 0;
    sc::SimObjectType objectType = sc::SimObjectType::User;
    float frameRate = 0.0F;
    std::uint32_t requestId = 0;  // data records
    std::uint32_t objectId = 0;
    std::uint32_t defineId = 0;
    std::uint32_t entryNumber = 0;
    std::uint32_t outOf = 0;
    std::vector<std::byte> block;
};

class RecordCollector {
public:
    // The dispatch procedure; its context is the collector.
    static void collect(const sc::Recv* record, std::uint32_t size, void* context);

    std::vector<ReceivedRecord> records() const;
    std::vector<ReceivedRecord> recordsOf(sc::RecvId id) const;
    void clear();

    // Dispatches every millisecond until the condition holds on the records
    // (true) or the time-out passes (false).
    bool dispatchUntil(sc::Handle handle, const std::function<bool(const RecordCollector&)>& condition,
                       std::chrono::milliseconds timeout = std::chrono::seconds{5});

private:
    mutable std::mutex mutex_;
    std::vector<ReceivedRecord> records_;
};

}  // namespace vantrel::test
