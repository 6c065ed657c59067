#include "ui/addon_scan_count_seam.h"

std::atomic<std::int64_t> tbloFileCount{0};
