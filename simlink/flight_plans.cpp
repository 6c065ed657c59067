#include "simlink/flight_plans.h"

#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "core/data_paths.h"
#include "core/format.h"
#include "core/log.h"
#include "simlink/simlink_state.h"
#include "ui/status/message_line.h"

namespace {

// The text with the five characters that XML reserves written as entities.
std::string lf_escapeXml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&apos;"; break;
            default: escaped += c; break;
        }
    }
    return escaped;
}

std::string_view lf_flightType(AircraftCategory category) {
    switch (category) {
        case AircraftCategory::Buzjets:
        case AircraftCategory::Large:
        case AircraftCategory::Heavy: return "IFR";
        default: return "VFR";
    }
}

// The eight lines, each ended by CR LF as a Windows text-mode stream writes
// them. The second line keeps a stray double quote after its '>', as the
// simulator has always been given it.
std::string lf_flightPlanText(const FlightPlanRoute& route) {
    const std::string text = fmtlib::format(
        "{}\n{}\n{}\n{}{}{}\n{}{}{}\n{}{}{}\n{}\n{}\n", R"(<?xml version="1.0" encoding="UTF-8"?>)",
        R"(<SimBase.Document Type="AceXML" version="4,3">")", "<FlightPlan.FlightPlan>", "<FPType>",
        lf_flightType(route.category), "</FPType>", "<DepartureID>", lf_escapeXml(route.origin),
        "</DepartureID>", "<DestinationID>", lf_escapeXml(route.destination), "</DestinationID>",
        "</FlightPlan.FlightPlan>", "</SimBase.Document>");
    std::string windowsText;
    windowsText.reserve(text.size() + 8);
    for (const char c : text) {
        if (c == '\n') {
            windowsText += '\r';
        }
        windowsText += c;
    }
    return windowsText;
}

}  // namespace

bool gf_makeFlightPlanFolder() {
    flightPlanFolder = productDataFolder / "orig_dest";
    if (std::filesystem::exists(flightPlanFolder)) {
        return true;
    }
    // The user's application-data folder may be read-only or full: the run
    // goes on without flight plans, and the user is told where.
    std::error_code error;
    std::filesystem::create_directories(flightPlanFolder, error);
    if (error) {
        gf_showMessage(fmtlib::format("Cannot create the folder '{}': {}; no flight plans are written",
                                      flightPlanFolder.string(), error.message()),
                       true);
        return false;
    }
    return true;
}

std::filesystem::path gf_flightPlanFileName(std::uint32_t objectId) { return fmtlib::format("{}.pln", objectId); }

bool gf_writeFlightPlan(const std::filesystem::path& path, const FlightPlanRoute& route) {
    const std::string text = lf_flightPlanText(route);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) {
        return false;
    }
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (file.fail()) {
        gf_discardFlightPlan(path);  // the half-written plan
        return false;
    }
    return true;
}

void gf_discardFlightPlan(const std::filesystem::path& path) {
    std::error_code ignored;
    if (std::filesystem::is_regular_file(path, ignored)) {
        std::filesystem::remove(path, ignored);
    }
}

bool gf_removeFlightPlanFolder() {
    if (!std::filesystem::exists(flightPlanFolder)) {
        return true;
    }
    std::error_code error;
    std::filesystem::remove_all(flightPlanFolder, error);
    if (error) {
        gf_writeLogPlain(fmtlib::format("gf_removeFlightPlanFolder: {}", error.message()));
    }
    return !std::filesystem::exists(flightPlanFolder);
}
