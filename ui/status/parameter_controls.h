#pragma once
// Settings showing their values in their controls of the main window, sent
// straight to the control's window (ControlBinding::window); here also the
// choice settings' fillComboBox (core/parameter.h). Safe from any thread;
// nothing happens while the control does not exist.

#include "core/parameter.h"

// Ticks the check box when the switch is on, clears it when off.
void gf_setCheckBox(const BoolControlParameter& setting);

// Selects the value in the choice setting's combo box when it is one of the
// choices; otherwise the selection stays.
void gf_selectChoice(const IntChoiceParameter& setting);
