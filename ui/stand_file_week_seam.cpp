#include "ui/stand_file_week_seam.h"

std::atomic<std::int32_t> rtTrafficWeek{0};
