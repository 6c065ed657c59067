#include "platform/os/utc_time.h"

namespace platform {

bool breakDownUtc(std::time_t time, std::tm& parts) { return gmtime_s(&parts, &time) == 0; }

}  // namespace platform
