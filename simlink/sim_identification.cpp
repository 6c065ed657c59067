#include "simlink/sim_identification.h"

#include <algorithm>
#include <cctype>

#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "simlink/simlink_state.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/window_updates.h"

namespace {

void lf_repaintStatus() { gf_repaint(WindowRegion::StatusBlock); }

// The name without the characters that are neither letters, digits nor
// white space.
std::string lf_plainName(const std::string& name) {
    std::string plain;
    std::copy_if(name.begin(), name.end(), std::back_inserter(plain), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return std::isalnum(byte) != 0 || std::isspace(byte) != 0;
    });
    return plain;
}

// The display name of the simulator that answered; throws when it is not the
// selected one.
std::string lf_identify(const std::string& name) {
    const bool selected2020 = msfs2020Selected;
    if (name == "KittyHawk") {
        if (!selected2020) {
            throw qrx::UserErrorException(71, wrongSimMessage());
        }
        return "MSFS 2020";
    }
    if (name == "SunRise") {
        if (selected2020) {
            throw qrx::UserErrorException(71, wrongSimMessage());
        }
        return "MSFS 2024";
    }
    throw qrx::UserErrorException(77, fmtlib::format("'{}' not being MSFS 2020 or MSFS 2024 connects ... ?", name));
}

}  // namespace

void onSimConnectOpen(const platform::simconnect::RecvOpen& message) {
    if (message.applicationName.empty()) {
        gf_writeLogPlain("! Simulator name empty?");
        return;
    }
    MainWindow::simConnected = true;
    lf_repaintStatus();
    const std::string displayName = lf_identify(lf_plainName(message.applicationName));
    const auto& version = message.applicationVersion;
    const std::string displayText =
        msfs2020Selected ? fmtlib::format("{} ({}.{}.{}.{})", displayName, version[0], version[1], version[2], version[3])
                         : displayName;
    gf_writeLogPlain(fmtlib::format("{} connected", displayText));
    MainWindow::simModeText = displayText;
    lf_repaintStatus();
    gf_clearMessage();
}

std::string wrongSimMessage() {
    return fmtlib::format(
        "MSFS 20{} is running ..., switch Simulator, or select the right sim in the drop down list above",
        msfs2020Selected ? "24" : "20");
}
