#include "platform/support/simconnect_recorder.h"

#include <thread>

namespace vantrel::test {

void RecordCollector::collect(const sc::Recv* record, std::uint32_t size, void* context) {
    ReceivedRecord copy;
    copy.id = record->id;
    copy.size = size;
    copy.version = record->version;
    switch (record->id) {
        case sc::RecvId::Exception: {
            const auto& exception = static_cast<const sc::RecvException&>(*record);
            copy.exception = static_cast<std::uint32_t>(exception.exception);
            copy.sendId = exception.sendId;
            copy.index = exception.index;
            break;
        }
        case sc::RecvId::Open: {
            const auto& open = static_cast<const sc::RecvOpen&>(*record);
            copy.text = open.applicationName;
            copy.applicationVersion = open.applicationVersion;
            break;
        }
        case sc::RecvId::Event:
        case sc::RecvId::EventObjectAddRemove:
        case sc::RecvId::EventFilename:
        case sc::RecvId::EventFrame: {
            const auto& event = static_cast<const sc::RecvEvent&>(*record);
            copy.eventId = event.eventId;
            copy.data = event.data;
            if (record->id == sc::RecvId::EventObjectAddRemove) {
                copy.objectType = static_cast<const sc::RecvEventObjectAddRemove&>(*record).objectType;
            } else if (record->id == sc::RecvId::EventFilename) {
                copy.text = static_cast<const sc::RecvEventFilename&>(*record).fileName;
            } else if (record->id == sc::RecvId::EventFrame) {
                copy.frameRate = static_cast<const sc::RecvEventFrame&>(*record).frameRate;
            }
            break;
        }
        case sc::RecvId::SimObjectData:
        case sc::RecvId::SimObjectDataByType: {
            const auto& data = static_cast<const sc::RecvSimObjectData&>(*record);
            copy.requestId = data.requestId;
            copy.objectId = data.objectId;
            copy.defineId = data.defineId;
            copy.entryNumber = data.entryNumber;
            copy.outOf = data.outOf;
            copy.block.assign(data.data.begin(), data.data.end());
            break;
        }
        default: break;
    }
    auto* collector = static_cast<RecordCollector*>(context);
    const std::lock_guard lock(collector->mutex_);
    collector->records_.push_back(std::move(copy));
}

std::vector<ReceivedRecord> RecordCollector::records() const {
    const std::lock_guard lock(mutex_);
    return records_;
}

std::vector<ReceivedRecord> RecordCollector::recordsOf(sc::RecvId id) const {
    std::vector<ReceivedRecord> found;
    for (ReceivedRecord& record : records()) {
        if (record.id == id) {
            found.push_back(std::move(record));
        }
    }
    return found;
}

void RecordCollector::clear() {
    const std::lock_guard lock(mutex_);
    records_.clear();
}

bool RecordCollector::dispatchUntil(sc::Handle handle, const std::function<bool(const RecordCollector&)>& condition,
                                    std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        sc::SimConnect_CallDispatch(handle, &RecordCollector::collect, this);
        if (condition(*this)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds{1});
    }
    return false;
}

}  // namespace vantrel::test
