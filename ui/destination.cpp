#include "ui/destination.h"

#include <mutex>
#include <optional>

#include "airports/park_airports.h"
#include "core/format.h"
#include "core/settings.h"
#include "ui/control_action_support.h"
#include "ui/status/control_texts.h"
#include "ui/status/message_line.h"
#include "ui/status/window_updates.h"

namespace {

struct DestinationAirport {
    std::string icao;
    GeoPosition position;
};

// The park-airport list belongs to the worker; the window leaves the new
// destination here for it.
// Its place in the lock order: docs/locks.md.
std::mutex destinationMutex;
std::optional<DestinationAirport> waitingDestination;

}  // namespace

void gf_setDestination(const std::string& icao, GeoPosition position) {
    DESTINATION.value = icao;
    DESTINATION.save();
    gf_setTbText(DESTINATION);
    gf_showMessage(fmtlib::format("New destination: {}", icao), true);
    {
        const std::lock_guard lock(destinationMutex);
        waitingDestination = DestinationAirport{icao, position};
    }
    gf_enableControl(reReadButton, false);
}

void gf_addDestinationParkAirport() {
    std::optional<DestinationAirport> destination;
    {
        const std::lock_guard lock(destinationMutex);
        destination.swap(waitingDestination);
    }
    if (destination) {
        gf_addParkAirport(destination->icao, destination->position);
    }
}
