#include "simlink/sim_link_state.h"

platform::simconnect::Handle hSimConnect = nullptr;
std::atomic<bool> simRunning{false};
std::atomic<bool> simRequestError{false};
std::atomic<float> simFrameRate{0.0F};
std::atomic<std::uint32_t> userObjectId{2};
std::atomic<bool> msfs2020Selected{false};
