#include "platform/os/utc_time.h"

namespace platform {

bool breakDownUtc(std::time_t time, std::tm& parts) { return gmtime_r(&time, &parts) != nullptr; }

}  // namespace platform
