// The traffic reader on one UDP datagram of the traffic port: the user
// aircraft and the feed set up as in a run, so that records are read to
// the end and queued.

#include <cstddef>
#include <cstdint>
#include <mutex>

#include "core/settings.h"
#include "fuzz/support/fuzz_input.h"
#include "run/feed_readers.h"
#include "run/run_state.h"
#include "run/traffic_reader.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/traffic_state.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    gf_resetFeedState();
    gf_setAcceptingFeed(true);
    trafficRadiusNm = 40.0;
    TrafficReader::referencePosition = GeoPosition{47.45, 8.56};
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    trafficReader.processDatagram(fuzz::asText(data, size));
    const std::lock_guard lock(feedMutex);
    addingStack.clear();
    return 0;
}
