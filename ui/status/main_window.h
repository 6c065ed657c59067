#pragma once
// The main window: one fixed-size top-level window (880 x 516, client area
// 880 x 476) owned by the user-interface thread, and the state it shows.
//
// MainWindow holds that state for the whole program. Every subsystem writes
// its status fields from its own thread and then repaints the region that
// shows them:
//     MainWindow::rtConnected = true;
//     gf_repaint(WindowRegion::StatusBlock);
// Numbers and switches are atomic; texts are SharedText (each access copies
// under the text's own leaf lock). gf_repaint (ui/status/window_updates.h) is
// safe from any thread and a no-op while the window does not exist (hwnd
// null).
//
// The message line (messageText, errorText, messageStamp) is written only
// through ui/status/message_line.h, under messageMutex.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "core/parameter.h"
#include "core/shared_text.h"
#include "platform/window/win32_types.h"

struct MainWindow {
    // Where the window was last closed, screen pixels; read with the other
    // plain integer settings, saved when the window closes. The settings are
    // core's (core/settings.h), which reads them.
    static IntParameter& MAIN_WINDOW_X;
    static IntParameter& MAIN_WINDOW_Y;

    // The regions of the client area that a change repaints (gf_repaint,,
    // which erases them).
    static constexpr RECT headerRect{0, 0, 880, 28};
    static constexpr RECT statusBlockRect{0, 28, 880, 112};  // simulator, user aircraft, lights, QNH, live count
    static constexpr RECT controlPanelRect{0, 112, 880, 392};  // controls and their labels
    static constexpr RECT statisticsRect{0, 392, 880, 448};    // the park airport's two lines
    static constexpr RECT messageLineRect{0, 448, 880, 476};
    static constexpr std::int32_t statsY = 399;  // y of the first statistics line, client pixels

    // The main window; null until it is created and after it is gone.
    static std::atomic<HWND> hwnd;

    // The message line. messageMutex guards messageText and errorText and
    // the drawing of the line; in the lock order it comes before the log
    // mutex. messageStamp is written under it and may be read without.
    // Its place in the lock order: docs/locks.md.
    static std::mutex messageMutex;
    static std::string messageText;  // shown on green; UTF-8
    static std::string errorText;    // shown on red; while set, no message replaces it
    // updateCounter when the current message was shown (at least 1); 0: the
    // message is not cleared by itself.
    static std::atomic<std::int32_t> messageStamp;
    // Counted up by the worker's one-second work cycle (gf_countUpdateCycle),
    // set to 0 when a run is reset.
    static std::atomic<std::int32_t> updateCounter;

    // Status texts, UTF-8.
    static SharedText simModeText;    // connected simulator, "{} ({}.{}.{}.{})" name and version
    static SharedText userTitleText;  // title of the user aircraft
    static SharedText userStandText;  // stand at the user position; may be empty
    static SharedText parkInfoText;   // the loaded park airport and its stand file
    static SharedText parkDetailText;
    static SharedText qfText;         // quality of the park airport's stand file
    static SharedText oidAnswerText;  // answer of the callsign-to-object-id lookup

    // Average time-of-week fit of the parked static and parked live
    // aircraft, hours; below 0 while there is none.
    static std::atomic<float> averageFitStatic;
    static std::atomic<float> averageFitLive;

    // Counts.
    static std::atomic<std::int64_t> liveCount;             // live aircraft in the simulator
    static std::atomic<std::int64_t> simaddonAirportCount;  // files in airports/my_simaddon
    static std::atomic<std::int64_t> thirdpAirportCount;    // files in airports/my_thirdparty
    static std::atomic<std::int64_t> liveryCount;           // liveries in the catalogue
    static std::atomic<std::int64_t> parkedLiveCount;       // at the park airport
    static std::atomic<std::int64_t> parkedStaticCount;
    static std::atomic<std::int64_t> standCount;

    static std::atomic<std::int32_t> maxParkPercent;    // percentage shown with the maximum park count
    static std::atomic<std::int32_t> qnh;               // hPa, of the weather reader; below 1: not shown
    static std::atomic<std::int32_t> maxParkCount;      // most parked aircraft in force at the park airport
    static std::atomic<std::int32_t> minutesToRenewal;  // to the next static renewal
    static std::atomic<std::int32_t> updateCount;       // stand-option updates at the park airport

    // Status switches.
    static std::atomic<bool> handmadeFile;       // the park airport's stand file was made by hand
    static std::atomic<bool> rtLightDark;        // set when a run is reset, cleared once it has its RealTraffic link
    static std::atomic<bool> rtConnected;        // RealTraffic connected
    static std::atomic<bool> parkAirportLoaded;  // the park airport's stand file is loaded
    static std::atomic<bool> simConnected;       // SimConnect open
    static std::atomic<bool> simRunningShown;    // the simulator reports running
    static std::atomic<bool> userModelKnown;     // the user aircraft's model was recognised
    static std::atomic<bool> softStandsUsed;     // the last static parking used soft traffic options
    static std::atomic<bool> reservedStandOk;    // the reserved stand was found

    // States of the two UDP readers.
    static constexpr std::uint32_t readerReceiving = 1;  // green
    static constexpr std::uint32_t readerStale = 2;      // yellow
    static constexpr std::uint32_t readerNotStarted = 3;  // not drawn
    static std::atomic<std::uint32_t> trafficReaderState;
    static std::atomic<std::uint32_t> weatherReaderState;

    // Set once every field above is built, as the last step of this
    // module's static initialisation; the window is not created before.
    static std::atomic<bool> readyFlag;
};
