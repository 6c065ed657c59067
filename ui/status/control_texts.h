#pragma once
// The setters that show a setting's value in its control of the main
// window, for every subsystem that changes a setting the user sees.

#include <cstdint>

#include "core/parameter.h"

// The setting's value into its control, found by id in the main window, and
// the control panel repainted: decimal text, the text, or the number with
// one decimal when it has a fraction. A missing control logs "GetDlgItem
// failed for ID {}", text that cannot be converted "Utf8ConversionException:
// {}"; neither is passed on. Safe from any thread.
void gf_setTbInt(const IntControlParameter& setting);
void gf_setTbText(const StringControlParameter& setting);
void gf_setTbFloat(const FloatControlParameter& setting);

// Empties the text of the main window's control with that id.
void gf_clearControlText(std::uint16_t controlId);
