#pragma once
// The status block of the main window, (0,28)-(880,112): the simulator and
// RealTraffic lights with what they stand for, the liveries and add-on
// airport counts, the QNH and the count of live aircraft. Read from the
// status fields of MainWindow, which other threads write; UI thread.

#include "ui/panel_painter.h"

// The two lights, the three rows of texts beside them and the reader words.
void gf_paintStatusBlock(const PanelPainter& painter);

// "qnh: {:4}" while RealTraffic is connected, its weather reader runs and a
// QNH (1 hPa or more) has come.
void gf_paintQnh(const PanelPainter& painter);

// "live: {:3}" while RealTraffic is connected and its traffic reader runs.
void gf_paintLiveCount(const PanelPainter& painter);
