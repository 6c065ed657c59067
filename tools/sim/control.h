#pragma once
// The stand-in's control interface: one command per line on standard
// input, one JSON object per line on standard output ({"ok": true, ...} or
// {"ok": false, "error": "..."}). The commands are listed in controlUsage().

#include "simulator.h"

#include <nlohmann/json.hpp>
#include <string_view>

namespace sim {

struct ControlReply {
    nlohmann::json body;
    bool exitRequested = false;
};

ControlReply handleCommand(Simulator& simulator, std::string_view line);
std::string_view controlUsage();

}  // namespace sim
