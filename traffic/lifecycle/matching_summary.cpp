#include "traffic/lifecycle/matching_summary.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/format.h"
#include "core/log.h"
#include "core/strings.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_matching.h"
#include "traffic/lifecycle/livery_bookkeeping.h"

namespace {

// Both banners are 100 characters wide.
constexpr int kBannerWidth = 64;
constexpr int kClosingBannerExtra = 36;

}  // namespace

void gf_logLiveryMatchingSummary() {
    const auto& counts = liveryCatalog.matchStepCounts;
    if (std::all_of(counts.begin(), counts.end(), [](std::uint32_t count) { return count < 1; })) {
        return;
    }
    std::vector<std::string> lines;
    lines.push_back(gf_makeBanner(kBannerWidth, 0, true, false, "live traffic livery matching summary"));
    lines.emplace_back("Matches at step: ");
    for (std::size_t index = 0; index < counts.size(); ++index) {
        lines.push_back(fmtlib::format("  {}: {}", index + 1, counts[index]));
    }
    const std::vector<std::string> refused = gf_listUncreatableTitles();
    if (!refused.empty()) {
        lines.push_back(fmtlib::format("\nCould not be created by {}:", "MSFS"));
        lines.insert(lines.end(), refused.begin(), refused.end());
    }
    lines.push_back(gf_makeBanner(kBannerWidth, kClosingBannerExtra, false, true, ""));
    for (const std::string& line : lines) {
        gf_writeLogPlain(line);
    }
}
