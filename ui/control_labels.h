#pragma once
// The labels beside the child controls in the control area of the main
// window, (0,112)-(880,392): black, grey beside a control that is off or
// disabled, yellow or red where a setting asks for the user's attention.
// Read from the settings and the state of the static parking; UI thread.

#include "ui/panel_painter.h"

void gf_paintControlLabels(const PanelPainter& painter);
