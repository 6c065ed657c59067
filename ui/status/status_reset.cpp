#include "ui/status/status_reset.h"

#include "ui/status/main_window.h"
#include "ui/status/message_line.h"

void gf_resetStatusState() {
    gf_clearError();
    gf_clearMessage();
    for (SharedText* text : {&MainWindow::simModeText, &MainWindow::userTitleText, &MainWindow::userStandText,
                             &MainWindow::parkInfoText, &MainWindow::parkDetailText, &MainWindow::qfText,
                             &MainWindow::oidAnswerText}) {
        *text = "";
    }
    MainWindow::updateCounter = 0;
    MainWindow::rtLightDark = true;
    for (std::atomic<bool>* flag : {&MainWindow::rtConnected, &MainWindow::simConnected, &MainWindow::simRunningShown,
                                    &MainWindow::handmadeFile, &MainWindow::parkAirportLoaded,
                                    &MainWindow::softStandsUsed, &MainWindow::reservedStandOk}) {
        *flag = false;
    }
    MainWindow::userModelKnown = true;
    MainWindow::qnh = 0;
    MainWindow::maxParkPercent = 0;
    MainWindow::maxParkCount = 0;
    MainWindow::minutesToRenewal = 0;
    MainWindow::updateCount = 0;
    MainWindow::standCount = 0;
    MainWindow::averageFitStatic = -1.0F;
    MainWindow::averageFitLive = -1.0F;
    MainWindow::liveCount = 0;
    MainWindow::parkedLiveCount = 0;
    MainWindow::parkedStaticCount = 0;
    MainWindow::trafficReaderState = MainWindow::readerNotStarted;
    MainWindow::weatherReaderState = MainWindow::readerNotStarted;
}
