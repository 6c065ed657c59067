#include "platform/simconnect/client.h"

#include "platform/simconnect/wire.h"

#include <array>
#include <span>

namespace platform::simconnect {

namespace {

constexpr std::chrono::milliseconds kOpenAnswerTimeout{2000};
constexpr std::size_t kReceiveBufferSize = 65536;

std::span<const wire::OpenVersion> lf_versionLadder(TargetSimulator target) {
    static constexpr std::array kFrom2024{wire::kOpenMsfs2024, wire::kOpenMsfs2020, wire::kOpenLegacy};
    static constexpr std::array kFrom2020{wire::kOpenMsfs2020, wire::kOpenLegacy};
    if (target == TargetSimulator::Msfs2020) {
        return kFrom2020;
    }
    return kFrom2024;
}

struct RecordHead {
    RecvId id;
    std::uint32_t exception;  // for EXCEPTION records
    std::uint32_t sendId;     // for EXCEPTION records
};

RecordHead lf_head(std::span<const std::byte> message) {
    const wire::Reader reader{message};
    const auto id = static_cast<RecvId>(reader.u32(8));
    if (id == RecvId::Exception && message.size() >= wire::kExceptionSize) {
        return {id, reader.u32(12), reader.u32(16)};
    }
    return {id, 0, 0};
}

}  // namespace

std::shared_ptr<Client> Client::open(const ServerAddress& address, std::string_view applicationName,
                                     TargetSimulator target) {
    std::unique_ptr<Stream> stream = connectStream(address);
    if (!stream) {
        return nullptr;
    }
    std::shared_ptr<Client> client{new Client(std::move(stream))};
    const auto ladder = lf_versionLadder(target);
    for (std::size_t step = 0; step < ladder.size(); ++step) {
        {
            const std::lock_guard lock(client->sendMutex_);
            client->protocolVersion_ = ladder[step].headerVersion;
        }
        if (client->send(packets::open(ladder[step], applicationName)) != kOk) {
            return nullptr;
        }
        const bool lastVersion = step + 1 == ladder.size();
        const OpenAnswer answer = client->awaitOpenAnswer(client->lastSentId(), lastVersion);
        if (answer == OpenAnswer::NoAnswer) {
            return nullptr;
        }
        if (answer == OpenAnswer::Opened || lastVersion) {
            break;
        }
    }
    client->reader_ = std::thread([raw = client.get()] { raw->readUntilStopped(); });
    return client;
}

Client::~Client() { close(); }

void Client::close() {
    stop_.store(true);
    stream_->shutdownBoth();
    if (reader_.joinable() && reader_.get_id() != std::this_thread::get_id()) {
        reader_.join();
    }
}

bool Client::readRecords(std::optional<std::chrono::steady_clock::time_point> deadline,
                         const std::function<bool(std::vector<std::byte>&)>& takeRecord) {
    std::vector<std::byte> buffer(kReceiveBufferSize);
    std::vector<std::byte> message;
    for (;;) {
        for (;;) {
            const wire::Framer::Next next = framer_.next(message);
            if (next == wire::Framer::Next::ProtocolError) {
                return false;
            }
            if (next == wire::Framer::Next::NeedMore) {
                break;
            }
            if (takeRecord(message)) {
                return true;
            }
        }
        std::optional<std::chrono::milliseconds> left;
        if (deadline) {
            left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - std::chrono::steady_clock::now());
            if (left->count() <= 0) {
                return false;
            }
        }
        std::error_code error;
        const net::ReceiveResult received = stream_->receiveSome(buffer, stop_, error, left);
        if (received.status != net::ReceiveResult::Status::Data) {
            return false;
        }
        framer_.append(std::span{buffer}.first(received.byteCount));
    }
}

// Reads until the OPEN record or the version-mismatch exception about our
// Open arrives; other records are queued for dispatch. The mismatch of the
// last version to try is queued too, so the caller learns of it.
Client::OpenAnswer Client::awaitOpenAnswer(std::uint32_t openSendId, bool lastVersion) {
    OpenAnswer answer = OpenAnswer::NoAnswer;
    readRecords(std::chrono::steady_clock::now() + kOpenAnswerTimeout, [&](std::vector<std::byte>& message) {
        const RecordHead head = lf_head(message);
        const bool mismatch = head.id == RecvId::Exception &&
                              head.exception == static_cast<std::uint32_t>(Exception::VersionMismatch) &&
                              head.sendId == openSendId;
        if (!mismatch || lastVersion) {
            enqueue(std::move(message));
        }
        if (mismatch) {
            answer = OpenAnswer::VersionMismatch;
        } else if (head.id == RecvId::Open) {
            answer = OpenAnswer::Opened;
        }
        return answer != OpenAnswer::NoAnswer;
    });
    return answer;
}

void Client::readUntilStopped() {
    readRecords(std::nullopt, [this](std::vector<std::byte>& message) {
        enqueue(std::move(message));
        return false;
    });
    markLost();
}

void Client::markLost() {
    lost_.store(true);
    stream_->shutdownBoth();
}

void Client::enqueue(std::vector<std::byte> message) {
    const std::lock_guard lock(queueMutex_);
    queue_.push_back(std::move(message));
}

Result Client::send(const packets::Packet& packet) {
    const std::lock_guard lock(sendMutex_);
    if (lost_.load() || stop_.load()) {
        return kFail;
    }
    const std::vector<std::byte> message = packets::framed(packet, protocolVersion_, nextSendId_);
    if (message.size() > wire::kMaxMessageSize) {
        return kInvalidArg;
    }
    std::error_code error;
    if (!stream_->sendAll(message, stop_, error)) {
        markLost();
        return kFail;
    }
    lastSentId_.store(nextSendId_++);
    return kOk;
}

Result Client::sendDatum(const packets::Packet& packet, std::uint32_t defineId, DataType datumType) {
    const Result result = send(packet);
    if (result == kOk) {
        const std::lock_guard lock(definitionsMutex_);
        definitions_[defineId].push_back(datumType);
    }
    return result;
}

Result Client::dispatch(DispatchProc dispatchProc, void* context) {
    std::size_t waiting = 0;
    {
        const std::lock_guard lock(queueMutex_);
        waiting = queue_.size();
    }
    if (waiting == 0 && (lost_.load() || stop_.load())) {
        return kFail;
    }
    // Only what had arrived when the call began, so that a procedure whose
    // calls bring new records cannot keep this call going.
    for (; waiting > 0; --waiting) {
        std::vector<std::byte> message;
        {
            const std::lock_guard lock(queueMutex_);
            if (queue_.empty()) {
                break;
            }
            message = std::move(queue_.front());
            queue_.pop_front();
        }
        std::optional<records::Decoded> record;
        {
            const std::lock_guard lock(definitionsMutex_);
            record = records::decode(message, definitions_);
        }
        if (record) {
            dispatchProc(records::asRecv(*record), static_cast<std::uint32_t>(message.size()), context);
        }
    }
    return kOk;
}

}  // namespace platform::simconnect
