// The QNH reader on one UDP datagram of the weather port.

#include <cstddef>
#include <cstdint>

#include "fuzz/support/fuzz_input.h"
#include "run/feed_readers.h"
#include "run/qnh_reader.h"
#include "run/run_state.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    gf_resetFeedState();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qnhReader.processDatagram(fuzz::asText(data, size));
    return 0;
}
