#include "run/traffic_reader_seam.h"

std::atomic<double> TrafficReader::feedTimestamp{0.0};
