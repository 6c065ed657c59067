#include "traffic/traffic_state.h"

std::vector<LiveAc> liveAircraft;
std::vector<ParkedAc> parkedAircraft;

UserAcData runUserAcData;
void (*userStateSender)() = nullptr;

std::vector<std::uint32_t> creationList;
std::deque<CreateRequest> liveCreateQueue;
std::deque<CreateRequest> staticCreateQueue;
std::deque<std::uint32_t> removalQueue;

std::list<std::uint32_t> coupledCheckQueue;
std::atomic<std::uint32_t> lookedUpObjectId{0};

std::mutex feedMutex;
AddingStack addingStack;
bool acceptingFeed = false;

std::vector<LiveParkedEntry> liveParkedList;
std::vector<OptionSlot> lastOptionSlots;
std::vector<ParkCandidate> parkCandidates;
std::int32_t realFit = 0;
std::int32_t softFit = -1;
std::vector<KeptParkedAc> keptParked;
std::vector<StaticRemoval> staticRemovals;
bool calculationPending = false;

std::vector<std::string> ghostCallsigns;
std::vector<CreatedEntry> createdList;
std::uint32_t staticAcCounter = 0;
std::unordered_map<std::uint32_t, std::string_view> keptLiveries;
std::set<std::string> uncreatableKinds;
UnmatchedAircraft unmatchedAircraft;

void gf_resetTrafficState() {
    liveAircraft.clear();
    parkedAircraft.clear();
    creationList.clear();
    liveCreateQueue = {};
    staticCreateQueue = {};
    removalQueue = {};
    lookedUpObjectId = 0;
    {
        const std::lock_guard lock(feedMutex);
        addingStack.clear();
    }
    liveParkedList.clear();
    lastOptionSlots.clear();
    parkCandidates.clear();
    keptParked.clear();
    staticRemovals.clear();
    calculationPending = false;
    ghostCallsigns.clear();
    createdList.clear();
    keptLiveries.clear();
    unmatchedAircraft.clear();
    runUserAcData = {};
}
