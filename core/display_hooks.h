#pragma once
// How the settings and file code of core shows things in the main window,
// which the layers above it draw: a check box or an edit box showing its
// setting's value, the traffic radius applied with RANGE's combo box, a text
// on the message line. ui fills the hooks once at the program's start
// (gf_connectDisplayHooks, ui/display_hooks.h), before any other thread
// runs; until then each does nothing, but a message that asks for the log
// is still logged, so that a program without the window loses no log line.

#include <cstdint>
#include <string_view>

#include "core/log.h"
#include "core/parameter.h"

struct DisplayHooks {
    // Ticks the check box when the switch is on, clears it when off.
    void (*showCheckBox)(const BoolControlParameter& setting) = [](const BoolControlParameter&) {};
    // The value as the setting's control shows it.
    void (*showNumber)(const IntControlParameter& setting) = [](const IntControlParameter&) {};
    void (*showText)(const StringControlParameter& setting) = [](const StringControlParameter&) {};
    // RANGE and the traffic radius from nm; returns the radius in metres.
    std::uint32_t (*setRadiusNm)(int nm) = [](int) -> std::uint32_t { return 0; };
    // The radius that AUTO_RANGE chooses, applied as the radius is.
    void (*updateAutoRange)() = [] {};
    // The text on the message line; also written to the log when log is set.
    void (*showMessage)(std::string_view text, bool log) = [](std::string_view text, bool log) {
        if (log && !text.empty()) {
            gf_writeLogIfRunning(text);
        }
    };
};

// Written once at start, then only read.
extern constinit DisplayHooks displayHooks;
