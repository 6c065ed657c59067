#pragma once
// The simulator events a client can map its events to, and what each does
// to the object it is transmitted to.

#include "world.h"

#include <string>
#include <string_view>

namespace sim {

// The event's name in upper case when the stand-in knows it, else empty.
std::string knownEventName(std::string_view name);
// Applies the event and records it in the object's list of events.
void applyEvent(SimObject& object, const std::string& eventName, std::uint32_t data);

}  // namespace sim
