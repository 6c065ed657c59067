#include "simlink/sim_commands.h"

#include <algorithm>

#include "simlink/object_identification.h"
#include "simlink/simlink_state.h"

namespace sc = platform::simconnect;

namespace {

// Entries reserved at the start of a run, so that ordinary runs never
// reallocate; not a limit.
constexpr std::size_t kReservedEntries = 256;

// The data block of definition 401, percent.
struct SpoilersThrottlesBlock {
    double spoilersPercent = 0.0;
    double throttle1Percent = 0.0;
    double throttle2Percent = 0.0;
};
static_assert(sizeof(SpoilersThrottlesBlock) == 24);

template <class Container>
void lf_reserve(Container& container) {
    if (container.capacity() < kReservedEntries) {
        container.reserve(kReservedEntries);
    }
}

}  // namespace

void PositionBuffers::swapUnlocked() {
    std::swap(back_, front_);
    back_->clear();
}

void PositionBuffers::clearUnlocked() {
    buffers_[0].clear();
    buffers_[1].clear();
    back_ = &buffers_[0];
    front_ = &buffers_[1];
}

void PositionBuffers::reserve(std::size_t count) {
    for (auto& buffer : buffers_) {
        if (buffer.capacity() < count) {
            buffer.reserve(count);
        }
    }
}

void gf_queueCreate(const CreateRequest& request) {
    const std::lock_guard lock(simQueueMutex);
    simCreateQueue.push_back(request);
}

void gf_queueEvent(const EventCmd& event) {
    const std::lock_guard lock(simQueueMutex);
    gf_appendEventCmd(event);
}

void gf_queueLightEvents(std::uint32_t objectId, const std::array<std::uint32_t, 7>& states) {
    static constexpr std::array<SimEventId, 7> kLightEvents{
        SimEventId::NavLightsSet,   SimEventId::BeaconLightsSet, SimEventId::LandingLightsSet,
        SimEventId::TaxiLightsSet,  SimEventId::StrobesSet,      SimEventId::LogoLightsSet,
        SimEventId::CabinLightsSet,
    };
    const std::lock_guard lock(simQueueMutex);
    for (std::size_t light = 0; light < kLightEvents.size(); ++light) {
        gf_appendEventCmd({objectId, kLightEvents[light], states[light]});
    }
}

void gf_queueCabinLights(std::uint32_t objectId, std::uint32_t value) {
    gf_queueEvent({objectId, SimEventId::CabinLightsSet, value});
}

void gf_appendEventCmd(const EventCmd& event) { simEventQueue.push_back(event); }

void gf_appendPositionCmd(const PositionCmd& command) { positionBuffers.back().push_back(command); }

void gf_setSpoilersThrottles(std::uint32_t objectId, bool on, bool reverse) {
    SpoilersThrottlesBlock block;
    if (on) {
        const double throttle = reverse ? -100.0 : 100.0;
        block = {100.0, throttle, throttle};
    }
    const std::lock_guard lock(simQueueMutex);
    if (hSimConnect != nullptr) {
        sc::SimConnect_SetDataOnSimObject(hSimConnect, gf_simId(SimDefinitionId::SpoilersThrottles), objectId, 0,
                                          0, sizeof block, &block);
    }
}

bool gf_cancelQueuedCreate(std::deque<CreateRequest>& queue, std::uint32_t aircraftId) {
    if (aircraftId == 0) {
        return false;
    }
    return std::erase_if(queue, [&](const CreateRequest& request) { return request.aircraftId == aircraftId; }) > 0;
}

void gf_reserveSimQueues() {
    positionBuffers.reserve(kReservedEntries);
    lf_reserve(simCreateQueue);
    lf_reserve(simRemoveQueue);
    lf_reserve(sentCreates);
    lf_reserve(addedObjectIds);
    simRequestError = false;
}
