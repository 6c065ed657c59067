#include "ui/status/main_window.h"

#include "core/settings.h"

IntParameter& MainWindow::MAIN_WINDOW_X = ::MAIN_WINDOW_X;
IntParameter& MainWindow::MAIN_WINDOW_Y = ::MAIN_WINDOW_Y;

constinit std::atomic<HWND> MainWindow::hwnd{nullptr};

std::mutex MainWindow::messageMutex;
// Not constinit: not every compiler's library can build a std::string or a
// std::mutex at compile time. Nothing writes the message line before main starts.
std::string MainWindow::messageText;
std::string MainWindow::errorText;
constinit std::atomic<std::int32_t> MainWindow::messageStamp{0};
constinit std::atomic<std::int32_t> MainWindow::updateCounter{0};

SharedText MainWindow::simModeText;
SharedText MainWindow::userTitleText;
SharedText MainWindow::userStandText;
SharedText MainWindow::parkInfoText;
SharedText MainWindow::parkDetailText;
SharedText MainWindow::qfText;
SharedText MainWindow::oidAnswerText;

constinit std::atomic<float> MainWindow::averageFitStatic{-1.0F};
constinit std::atomic<float> MainWindow::averageFitLive{-1.0F};

constinit std::atomic<std::int64_t> MainWindow::liveCount{0};
constinit std::atomic<std::int64_t> MainWindow::simaddonAirportCount{0};
constinit std::atomic<std::int64_t> MainWindow::thirdpAirportCount{0};
constinit std::atomic<std::int64_t> MainWindow::liveryCount{0};
constinit std::atomic<std::int64_t> MainWindow::parkedLiveCount{0};
constinit std::atomic<std::int64_t> MainWindow::parkedStaticCount{0};
constinit std::atomic<std::int64_t> MainWindow::standCount{0};

constinit std::atomic<std::int32_t> MainWindow::maxParkPercent{0};
constinit std::atomic<std::int32_t> MainWindow::qnh{0};
constinit std::atomic<std::int32_t> MainWindow::maxParkCount{0};
constinit std::atomic<std::int32_t> MainWindow::minutesToRenewal{0};
constinit std::atomic<std::int32_t> MainWindow::updateCount{0};

constinit std::atomic<bool> MainWindow::handmadeFile{false};
constinit std::atomic<bool> MainWindow::rtLightDark{true};
constinit std::atomic<bool> MainWindow::rtConnected{false};
constinit std::atomic<bool> MainWindow::parkAirportLoaded{false};
constinit std::atomic<bool> MainWindow::simConnected{false};
constinit std::atomic<bool> MainWindow::simRunningShown{false};
constinit std::atomic<bool> MainWindow::userModelKnown{true};
constinit std::atomic<bool> MainWindow::softStandsUsed{false};
constinit std::atomic<bool> MainWindow::reservedStandOk{false};

constinit std::atomic<std::uint32_t> MainWindow::trafficReaderState{MainWindow::readerNotStarted};
constinit std::atomic<std::uint32_t> MainWindow::weatherReaderState{MainWindow::readerNotStarted};

constinit std::atomic<bool> MainWindow::readyFlag{false};

namespace {

// Built after every definition above (one translation unit initialises in
// order), so the flag is the last step of this module's construction.
const bool lf_moduleReady = [] {
    MainWindow::readyFlag = true;
    return true;
}();

}  // namespace
