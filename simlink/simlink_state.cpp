#include "simlink/simlink_state.h"

platform::simconnect::Handle hSimConnect = nullptr;
std::atomic<bool> simRunning{false};
std::atomic<bool> simRequestError{false};
std::atomic<float> simFrameRate{0.0F};
std::atomic<std::uint32_t> userObjectId{2};
std::atomic<bool> msfs2020Selected{false};
std::string userAircraftTitle;
std::vector<SentCreate> sentCreates;
std::vector<std::uint32_t> addedObjectIds;
UserAcData userAcData;
std::atomic<bool> userOnGround{false};
std::atomic<bool> userOnGroundKnown{false};
std::atomic<std::uint64_t> simUtcSeconds{0};
std::atomic<double> userHalfSpanNm{0.0};
std::atomic<bool> userHalfSpanKnown{false};
std::atomic<AircraftCategory> userCategory{AircraftCategory::Light};
std::jthread simClientThread;
std::mutex simQueueMutex;
std::vector<CreateRequest> simCreateQueue;
std::vector<EventCmd> simEventQueue;
std::vector<std::uint32_t> simRemoveQueue;
PositionBuffers positionBuffers;
std::filesystem::path flightPlanFolder;
std::mutex simResultMutex;
std::vector<SimResult> simResults;
std::atomic<bool> staticParkingBusy{false};
