#pragma once
// Seam: the traffic reader's feed timestamp, until the traffic feed is built.
// The feed owns it (with the rest of TrafficReader) and replaces this file;
// the time helpers read it.

#include <atomic>

struct TrafficReader {
    // Time of the last traffic record in seconds since 1970 (UTC); 0 until a
    // record has arrived. Written by the traffic reader, read by any thread.
    static std::atomic<double> feedTimestamp;
};
