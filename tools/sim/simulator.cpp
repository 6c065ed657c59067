#include "simulator.h"

#include "platform/simconnect/wire.h"
#include "session.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <cstdio>
#include <iostream>

namespace sim {

namespace wire = platform::simconnect::wire;

namespace {

// The traffic is shown every this many seconds of the simulator's time.
constexpr double kShowTrafficEveryS = 10.0;

// "KLM303 'AIG KLM B738 PH-BXA' at 47.4000 8.7000, 11000 ft"
std::string lf_describeAircraft(const SimObject& object) {
    char position[64];
    std::snprintf(position, sizeof position, "at %.4f %.4f, %.0f ft", object.latitudeDeg, object.longitudeDeg,
                  object.altitudeFt);
    return object.atcId + " '" + object.title + "' " + position;
}

}  // namespace

Simulator::Simulator(World initialWorld, Identity simulatorIdentity)
    : world(std::move(initialWorld)), identity(std::move(simulatorIdentity)) {}

Simulator::~Simulator() = default;

void Simulator::addSession(std::unique_ptr<Connection> connection) {
    const std::uint32_t id = nextSessionId_++;
    sessions_.emplace(id, std::make_unique<Session>(id, std::move(connection), *this));
    std::cerr << "vantrel-sim: client " << id << " connected\n";
}

std::vector<Session*> Simulator::sessions() {
    std::vector<Session*> list;
    for (auto& [id, session] : sessions_) {
        list.push_back(session.get());
    }
    return list;
}

void Simulator::removeEndedSessions() {
    for (auto entry = sessions_.begin(); entry != sessions_.end();) {
        if (!entry->second->ended()) {
            ++entry;
            continue;
        }
        const std::uint32_t id = entry->first;
        entry = sessions_.erase(entry);
        std::cerr << "vantrel-sim: client " << id << " closed\n";
        // The simulator takes out what a closed client created.
        std::erase_if(pendingCreates_, [id](const PendingCreate& pending) { return pending.session == id; });
        std::vector<std::uint32_t> owned;
        for (const auto& [objectId, object] : world.objects) {
            if (!object.isUser && object.ownerSession == id) {
                owned.push_back(objectId);
            }
        }
        for (const std::uint32_t objectId : owned) {
            removeNow(objectId, "client closed");
        }
    }
}

void Simulator::frame(double seconds) {
    const bool secondPassed = std::floor(elapsedS_) != std::floor(elapsedS_ + seconds);
    const bool showTrafficNow = std::floor(elapsedS_ / kShowTrafficEveryS) !=
                                std::floor((elapsedS_ + seconds) / kShowTrafficEveryS);
    elapsedS_ += seconds;
    world.advance(seconds);
    ++world.frameNumber;
    for (auto pending = pendingCreates_.begin(); pending != pendingCreates_.end();) {
        if (pending->readyFrame > world.frameNumber) {
            ++pending;
            continue;
        }
        const SimObject& object = world.objects.emplace(pending->object.id, std::move(pending->object)).first->second;
        if (showTraffic_) {
            std::cerr << "vantrel-sim: + " << lf_describeAircraft(object) << " appears\n";
        }
        announceAdded(object);
        if (const auto owner = sessions_.find(pending->session); owner != sessions_.end()) {
            owner->second->sendAssignedObjectId(pending->requestId, object.id);
        }
        pending = pendingCreates_.erase(pending);
    }
    for (const std::uint32_t objectId : std::exchange(pendingRemovals_, {})) {
        removeNow(objectId, "removed");
    }
    for (auto& [id, session] : sessions_) {
        if (session->isOpen()) {
            session->onFrame(secondPassed);
        }
    }
    if (showTraffic_ && showTrafficNow) {
        showWhereTrafficIs();
    }
}

void Simulator::showWhereTrafficIs() const {
    for (const auto& [id, object] : world.objects) {
        if (!object.isUser) {
            std::cerr << "vantrel-sim:   " << lf_describeAircraft(object) << '\n';
        }
    }
}

void Simulator::journalPacket(std::uint32_t session, std::span<const std::byte> packet) {
    const wire::Reader reader{packet};
    JournalEntry entry;
    entry.index = journalNext_++;
    entry.session = session;
    entry.version = reader.u32(4);
    const std::uint32_t type = reader.u32(8) & ~wire::kPacketTypeMark;
    entry.sendId = reader.u32(12);
    entry.type = std::string(wire::packetTypeName(type));
    if (entry.type.empty()) {
        char unknown[16];
        std::snprintf(unknown, sizeof unknown, "0x%X", static_cast<unsigned>(type));
        entry.type = unknown;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    entry.hex.reserve(packet.size() * 2);
    for (const std::byte value : packet) {
        entry.hex += kDigits[std::to_integer<unsigned>(value) >> 4];
        entry.hex += kDigits[std::to_integer<unsigned>(value) & 0xF];
    }
    journal_.push_back(std::move(entry));
    journalBytes_ += packet.size();
    while (journal_.size() > kJournalLimit || journalBytes_ > kJournalByteLimit) {
        journalBytes_ -= journal_.front().hex.size() / 2;
        journal_.pop_front();
    }
}

void Simulator::injectFailure(std::uint32_t packetType, std::uint32_t exception) {
    injectedFailures_[packetType].push_back(exception);
}

std::optional<std::uint32_t> Simulator::takeInjectedFailure(std::uint32_t packetType) {
    const auto found = injectedFailures_.find(packetType);
    if (found == injectedFailures_.end() || found->second.empty()) {
        return std::nullopt;
    }
    const std::uint32_t exception = found->second.front();
    found->second.pop_front();
    return exception;
}

void Simulator::queueCreate(SimObject object, std::uint32_t session, std::uint32_t requestId) {
    const std::uint64_t ready = world.frameNumber + static_cast<std::uint64_t>(std::max(world.createDelayFrames, 1));
    pendingCreates_.push_back({std::move(object), ready, session, requestId});
}

void Simulator::queueRemoval(std::uint32_t objectId) {
    if (!removalQueued(objectId)) {
        pendingRemovals_.push_back(objectId);
    }
}

bool Simulator::removalQueued(std::uint32_t objectId) const {
    return std::find(pendingRemovals_.begin(), pendingRemovals_.end(), objectId) != pendingRemovals_.end();
}

void Simulator::addOtherAircraft(SimObject object) {
    object.id = world.nextObjectId();
    const SimObject& added = world.objects.emplace(object.id, std::move(object)).first->second;
    announceAdded(added);
}

void Simulator::announceAdded(const SimObject& object) {
    for (auto& [id, session] : sessions_) {
        session->notifyObjectAddedOrRemoved("OBJECTADDED", object.id);
    }
}

void Simulator::removeNow(std::uint32_t objectId, const std::string& reason) {
    const auto found = world.objects.find(objectId);
    if (found == world.objects.end() || found->second.isUser) {
        return;
    }
    if (showTraffic_) {
        std::cerr << "vantrel-sim: - " << lf_describeAircraft(found->second) << " leaves (" << reason << ")\n";
    }
    world.removed.push_back({objectId, found->second.atcId, reason});
    world.objects.erase(found);
    for (auto& [id, session] : sessions_) {
        session->notifyObjectAddedOrRemoved("OBJECTREMOVED", objectId);
    }
}

void Simulator::setRunning(bool running) {
    if (world.running == running) {
        return;
    }
    world.running = running;
    for (auto& [id, session] : sessions_) {
        session->notifySystemEvent("SIM", running ? 1 : 0);
    }
}

void Simulator::flightLoaded(const std::string& path) {
    for (auto& [id, session] : sessions_) {
        session->notifyFilename(path);
    }
}

void Simulator::sendException(std::uint32_t exception, std::uint32_t sendId, std::uint32_t index) {
    for (auto& [id, session] : sessions_) {
        if (session->isOpen()) {
            session->sendException(static_cast<platform::simconnect::Exception>(exception), sendId, index);
        }
    }
}

void Simulator::quitAll() {
    for (auto& [id, session] : sessions_) {
        if (session->isOpen()) {
            session->sendQuit();
        }
        session->end();
    }
}

void Simulator::dropAll() {
    for (auto& [id, session] : sessions_) {
        session->end();
    }
}

}  // namespace sim
