#include "traffic/lifecycle/livery_bookkeeping.h"

#include <algorithm>

#include "core/core_state.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "traffic/traffic_state.h"
#include "ui/status/message_line.h"

namespace {

// Refused liveries that end the run: the installed liveries are broken
// beyond what picking others can mend.
constexpr std::size_t kMaxRefusedTitles = 20;
constexpr int kTooManyRefusedCode = 81;

bool lf_isRefused(std::string_view title) {
    const std::vector<std::string>& refused = liveryCatalog.refusedTitles;
    return std::find(refused.begin(), refused.end(), title) != refused.end();
}

}  // namespace

std::string_view gf_takeKeptLivery(std::uint32_t aircraftId) {
    const auto kept = keptLiveries.find(aircraftId);
    if (kept == keptLiveries.end()) {
        return {};
    }
    if (lf_isRefused(kept->second)) {
        keptLiveries.erase(kept);
        return {};
    }
    return kept->second;
}

void gf_onCreateFailed(const AcIdentity& identity) {
    if (runStopRequested || userCloseRequested) {
        return;
    }
    const LiveAcStrings& strings = identity.strings;
    gf_showMessage(fmtlib::format("{} '{}' could not be created by your Sim!", strings.callsign, identity.liveryTitle),
                   true);
    liveryCatalog.refusedTitles.emplace_back(identity.liveryTitle);
    uncreatableKinds.insert(strings.type + " " + strings.airline);
    if (liveryCatalog.refusedTitles.size() >= kMaxRefusedTitles) {
        const std::string text = fmtlib::format("There are too many liveries that could not be created by {}!", "MSFS");
        gf_writeLogPlain(fmtlib::format("\n{}Error {}, {}\n", "===> ", kTooManyRefusedCode, text));
        throw qrx::UserErrorException(kTooManyRefusedCode, text + ", see Log.txt");
    }
}

std::vector<std::string> gf_listUncreatableTitles() {
    std::vector<std::string> lines;
    lines.reserve(uncreatableKinds.size());
    for (const std::string& kind : uncreatableKinds) {
        lines.push_back("  " + kind);
    }
    return lines;
}

void gf_logUnmatched() {
    if (unmatchedAircraft.inOrder().empty() || !LOG.value) {
        return;
    }
    gf_writeLogPlain("\nNo match found for:");
    for (const std::string& label : unmatchedAircraft.inOrder()) {
        gf_writeLogPlain(label);
    }
    gf_writeLogPlain("");
}
