#include "liveries/aircraft_database.h"

#include <algorithm>
#include <charconv>

#include "core/format.h"
#include "core/log.h"
#include "core/strings.h"
#include "liveries/liveries_state.h"

namespace {

constexpr std::size_t kIcaoIdentLength = 4;

// Whether name occurs in text, ASCII letters compared without case.
bool lf_containsNoCase(std::string_view text, std::string_view name) {
    const auto found = std::search(text.begin(), text.end(), name.begin(), name.end(),
                                   [](char a, char b) { return toLowerChar(a) == toLowerChar(b); });
    return found != text.end() || name.empty();
}

}  // namespace

AircraftCategory gf_getAircraftCategory(std::string_view type) {
    if (type.empty()) {
        return AircraftCategory::Light;
    }
    // A type listed in two sets takes the first of this order.
    if (dbase.largeTypes.contains(type)) {
        return AircraftCategory::Large;
    }
    if (dbase.heavyTypes.contains(type)) {
        return AircraftCategory::Heavy;
    }
    if (dbase.buzjetTypes.contains(type)) {
        return AircraftCategory::Buzjets;
    }
    if (dbase.rotorcraftTypes.contains(type)) {
        return AircraftCategory::Rotorcraft;
    }
    if (dbase.highPerformanceTypes.contains(type)) {
        return AircraftCategory::HighPerf;
    }
    return AircraftCategory::Light;
}

bool gf_isKnownAircraftType(std::string_view type) {
    return !type.empty() && dbase.knownAircraftTypes.contains(type);
}

bool gf_isKnownAirline(std::string_view code) { return !code.empty() && dbase.icaoAirlines.contains(code); }

double gf_getHalfWingspanNm(std::string_view type) {
    const auto found = dbase.halfSpanByType.find(type);
    if (found != dbase.halfSpanByType.end()) {
        return found->second;
    }
    return dbase.categoryHalfSpanNm[gf_categoryIndex(gf_getAircraftCategory(type))];
}

std::vector<std::string> gf_buildRegcodeCandidates(std::string_view registration) {
    std::vector<std::string> candidates;
    candidates.reserve(3);
    if (registration.size() >= 5 && registration.front() != 'N' && registration.find('-') == std::string_view::npos) {
        candidates.push_back(fmtlib::format("{}-{}", registration.substr(0, 2), registration.substr(2)));
        candidates.push_back(fmtlib::format("{}-{}", registration.substr(0, 1), registration.substr(1)));
    }
    candidates.emplace_back(registration);
    return candidates;
}

std::optional<RegcodeRecord> gf_lookupRegcode(std::string_view registration) {
    if (registration.empty()) {
        return std::nullopt;
    }
    for (const std::string& candidate : gf_buildRegcodeCandidates(registration)) {
        const auto found = dbase.regcodeTable.find(candidate);
        if (found != dbase.regcodeTable.end()) {
            return found->second;
        }
    }
    return std::nullopt;
}

std::string gf_getRegcodeAirline(std::string_view registration) {
    const auto record = gf_lookupRegcode(registration);
    return record ? record->airline : std::string();
}

std::string gf_getRegcodeOperator(std::string_view registration) {
    const auto record = gf_lookupRegcode(registration);
    return record ? record->operatorCode : std::string();
}

std::optional<std::string> gf_findShortRegcodeInText(std::string_view text) {
    for (const std::string& registration : dbase.shortRegcodes) {
        if (text.find(registration) != std::string_view::npos) {
            return registration;
        }
    }
    return std::nullopt;
}

std::string gf_findPublisher(std::string_view path) {
    for (const auto& group : dbase.publisherGroups) {
        for (const std::string& name : group) {
            if (lf_containsNoCase(path, name)) {
                return group.front();
            }
        }
    }
    return "unknown";
}

bool gf_parsePrefixedNumber(std::string_view context, std::string_view prefix, int& number,
                            std::string_view entry) {
    if (!entry.starts_with(prefix)) {
        return false;
    }
    const std::string_view digits = entry.substr(std::min(kIcaoIdentLength, entry.size()));
    int parsed = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
    if (error == std::errc() && end != digits.data()) {
        number = parsed;
    } else {
        gf_writeLog(fmtlib::format("{} {} {} {}", context, prefix, entry, "invalid number"));
    }
    return true;
}
