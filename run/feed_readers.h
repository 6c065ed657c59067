#pragma once
// The two UDP readers as the run drives them: resetting their state before
// they start, asking them to stop, and the heartbeat of their lamps in the
// main window. Worker thread, but for the lamp setters (any thread).
//
// Starting: the run starts runQnhReader(49004) and, 2 s later,
// runTrafficReader(49005), each on a thread of its own that it detaches.
// Stopping: gf_requestReadersStop(); each reader's loop ends within 100 ms
// and its thread within a second.

#include <atomic>
#include <cstdint>

// The feed's state at the start of a run, before the readers start, and
// when RealTraffic is gone: TrafficReader::qnh 1013, TrafficReader::
// feedTimestamp 0, the callsign set empty, both stop flags clear, the QNH
// reader's last value 1013 and its counts 0, both lamps fresh.
void gf_resetFeedState();

// Sets the stop flags of both readers.
void gf_requestReadersStop();

// The heartbeat, while RealTraffic is connected: a lamp whose reader has
// received nothing since the last beat turns stale (yellow); the first beat
// after datagrams arrive again turns it back to receiving (green) once.
void updateReaderLights();

// Sets a lamp (MainWindow::trafficReaderState or weatherReaderState) and
// repaints the status block.
void gf_setReaderLamp(std::atomic<std::uint32_t>& lamp, std::uint32_t state);
void gf_repaintReaderLamps();
