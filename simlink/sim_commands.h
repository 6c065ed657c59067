#pragma once
// The commands the traffic manager gives the simulator link: queues that the
// link's thread sends on the next simulator frame (flushSimCommands), and the
// spoiler and throttle command that goes at once.
//
// Lock order: feed mutex, then simResultMutex, then simQueueMutex, then the
// message-line mutex, then the log mutex. The link's thread never waits for
// simResultMutex while it holds simQueueMutex.

#include <array>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "records/sim_records.h"

// Per-frame positions, double-buffered: the traffic manager appends to the
// back buffer on its own thread without a lock (gf_appendPositionCmd) and,
// under simQueueMutex, swaps the two; the frame flush sends the front buffer
// and empties it.
class PositionBuffers {
public:
    std::vector<PositionCmd>& back() { return *back_; }
    std::vector<PositionCmd>& front() { return *front_; }
    // simQueueMutex held: this tick's positions become the front buffer and
    // the new back buffer is empty.
    void swapUnlocked();
    // simQueueMutex held: both buffers empty, back and front as at the start.
    void clearUnlocked();
    void reserve(std::size_t count);

private:
    std::array<std::vector<PositionCmd>, 2> buffers_;
    std::vector<PositionCmd>* back_ = &buffers_[0];
    std::vector<PositionCmd>* front_ = &buffers_[1];
};

// Appends a copy under simQueueMutex (the tail number is copied, the title
// stays a view).
void gf_queueCreate(const CreateRequest& request);
// Appends one event under simQueueMutex.
void gf_queueEvent(const EventCmd& event);
// Under one lock, seven events for the object with their states, in this
// order: NAV, BEACON, LANDING, TAXI, STROBES, LOGO, CABIN lights.
void gf_queueLightEvents(std::uint32_t objectId, const std::array<std::uint32_t, 7>& states);
void gf_queueCabinLights(std::uint32_t objectId, std::uint32_t value);
// Appends one event; the caller holds simQueueMutex.
void gf_appendEventCmd(const EventCmd& event);
// Appends to the back position buffer; the traffic manager's thread only.
void gf_appendPositionCmd(const PositionCmd& command);

// Sends definition 401 to the object at once, under simQueueMutex (so that
// it never falls between a creation and the query of its packet id): spoilers
// and both throttles 0 % when off, 100 % when on, throttles -100 % with
// reverse. The result is ignored. Takes simQueueMutex: not to be called while
// holding it.
void gf_setSpoilersThrottles(std::uint32_t objectId, bool on, bool reverse);

// Removes from one of the traffic manager's own create queues the requests
// of this aircraft, keeping the others in order; true when one was removed.
// By id, not by tail number: two live aircraft may share a callsign, and a
// cancel must never take the other one's request. Id 0 removes nothing.
bool gf_cancelQueuedCreate(std::deque<CreateRequest>& queue, std::uint32_t aircraftId);

// At the start of each run, before the link's thread starts: room for 256
// entries in each position buffer, the create and remove queues and the
// link's lists of sent creations and added objects; clears simRequestError.
void gf_reserveSimQueues();
