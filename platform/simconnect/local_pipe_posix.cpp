#include "platform/simconnect/stream.h"

namespace platform::simconnect {

std::unique_ptr<Stream> connectLocalPipe() { return nullptr; }

}  // namespace platform::simconnect
