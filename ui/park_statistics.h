#pragma once
// The two statistics lines of the park airport, (0,392)-(880,448): its
// stand file, reserved stand and learned updates, then its stands, parked
// aircraft and their fit to the time of week. Nothing while there is no
// park airport. Read from MainWindow and the park airport; UI thread.

#include "ui/panel_painter.h"

void gf_paintStatistics(const PanelPainter& painter);
