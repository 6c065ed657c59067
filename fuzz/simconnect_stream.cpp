// The simulator's side of the SimConnect connection as the client reads it:
// the received byte stream cut into messages and each decoded against data
// definitions of every datum type. The first byte of the input sets the
// size of the pieces in which the stream arrives, so that messages split
// across receives are read too.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz/support/fuzz_input.h"
#include "platform/simconnect/records.h"
#include "platform/simconnect/wire.h"

namespace {

namespace sc = platform::simconnect;

const sc::records::Definitions& lf_definitions() {
    using enum sc::DataType;
    static const sc::records::Definitions definitions{
        {1, {Float64, Float64, Float64, Int32, Int64, Float32}},
        {2, {String256, String32, String260}},
        {3, {StringV, Int32, StringV}},
        {4, {InitPosition}},
    };
    return definitions;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t pieceSize = 1 + data[0] % 128U * 64U;
    const std::span<const std::byte> stream = fuzz::asBytes(data, size).subspan(1);

    sc::wire::Framer framer(sc::wire::kServerHeaderSize);
    std::vector<std::byte> message;
    for (std::size_t offset = 0; offset < stream.size(); offset += pieceSize) {
        framer.append(stream.subspan(offset, std::min(pieceSize, stream.size() - offset)));
        for (;;) {
            const sc::wire::Framer::Next next = framer.next(message);
            if (next == sc::wire::Framer::Next::ProtocolError) {
                return 0;
            }
            if (next == sc::wire::Framer::Next::NeedMore) {
                break;
            }
            sc::records::decode(message, lf_definitions());
        }
    }
    return 0;
}
