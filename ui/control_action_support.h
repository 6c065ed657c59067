#pragma once
// What the main window's control actions share (UI thread): enabling a
// control, repainting the control panel, reading a control's text, asking
// the worker to restart the run, and telling static parking that one of its
// settings changed.

#include <cstdint>
#include <string>

#include "core/parameter.h"

// The UTF-8 text of the main window's control; empty for a control that is
// missing (logged "GetDlgItem failed for ID {}") or a text that is no valid
// UTF-16 (logged).
std::string gf_getTextFromId(std::uint16_t controlId);

std::string gf_upperCased(std::string text);

// Ends the run for new settings, to start again after the delay; a stop
// already asked for keeps its own reason and delay.
void gf_requestRestart(std::int32_t delaySec);

// While a park airport is active: marks its parking settings as changed.
void gf_markParkingChanged();

// A parking setting changed: while a park airport is active, the static
// parking is recalculated at the next periodic work, and the message line
// says when ("{} will respond in {} second{} ..."); with INITIAL_LOAD_ONLY
// on there is no recalculation and the message line is cleared.
void gf_showRespondDelay();
