#include "run/feed_readers.h"

#include "run/qnh_reader.h"
#include "run/run_state.h"
#include "run/traffic_reader.h"
#include "ui/status/main_window.h"
#include "ui/status/window_updates.h"

namespace {

// The lamp was last set to receiving by the heartbeat.
std::atomic<bool> lf_trafficFresh{true};
std::atomic<bool> lf_weatherFresh{true};

void lf_beat(UdpReceiver& reader, std::atomic<std::uint32_t>& lamp, std::atomic<bool>& fresh) {
    const std::uint32_t count = reader.datagramCount;
    if (count == reader.lastSeenCount) {
        gf_setReaderLamp(lamp, MainWindow::readerStale);
        fresh = false;
    } else if (!fresh.exchange(true)) {
        gf_setReaderLamp(lamp, MainWindow::readerReceiving);
    }
    reader.lastSeenCount = count;
}

}  // namespace

void gf_resetFeedState() {
    TrafficReader::qnh = kStandardQnhHpa;
    TrafficReader::feedTimestamp = 0.0;
    TrafficReader::callsignSet.clear();
    trafficReader.stopRequested = false;
    qnhReader.stopRequested = false;
    qnhReader.lastQnh = kStandardQnhHpa;
    qnhReader.datagramCount = 0;
    qnhReader.lastSeenCount = 0;
    lf_trafficFresh = true;
    lf_weatherFresh = true;
}

void gf_requestReadersStop() {
    qnhReader.stopRequested = true;
    trafficReader.stopRequested = true;
}

void updateReaderLights() {
    if (!MainWindow::rtConnected) {
        return;
    }
    lf_beat(qnhReader, MainWindow::weatherReaderState, lf_weatherFresh);
    lf_beat(trafficReader, MainWindow::trafficReaderState, lf_trafficFresh);
}

void gf_setReaderLamp(std::atomic<std::uint32_t>& lamp, std::uint32_t state) {
    lamp = state;
    gf_repaintReaderLamps();
}

void gf_repaintReaderLamps() { gf_repaint(WindowRegion::StatusBlock); }
