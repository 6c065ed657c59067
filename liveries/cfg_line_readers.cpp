#include "liveries/cfg_line_readers.h"

#include <algorithm>

#include "core/fixed_tables.h"
#include "core/strings.h"

namespace {

// The white space of \s in the classic locale.
constexpr std::string_view kCfgWhiteSpace = " \t\n\v\f\r";

bool lf_isBlank(char c) { return kCfgWhiteSpace.find(c) != std::string_view::npos; }

std::size_t lf_skipBlanks(std::string_view line, std::size_t pos) {
    while (pos < line.size() && lf_isBlank(line[pos])) {
        ++pos;
    }
    return pos;
}

bool lf_startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return toLowerChar(a) == toLowerChar(b); });
}

std::optional<std::string> lf_readNonEmpty(std::string_view line, std::string_view key) {
    const auto raw = gf_cfgKeyValue(line, key);
    if (!raw) {
        return std::nullopt;
    }
    std::string value = gf_unquote(*raw);
    if (value.empty()) {
        return std::nullopt;
    }
    return value;
}

std::string lf_upperCased(std::string text) {
    std::ranges::transform(text, text.begin(), toUpperChar);
    return text;
}

}  // namespace

std::optional<std::string_view> gf_cfgKeyValue(std::string_view line, std::string_view key) {
    std::size_t pos = lf_skipBlanks(line, 0);
    if (!lf_startsWithIgnoringCase(line.substr(pos), key)) {
        return std::nullopt;
    }
    pos = lf_skipBlanks(line, pos + key.size());
    if (pos == line.size() || line[pos] != '=') {
        return std::nullopt;
    }
    const std::size_t first = lf_skipBlanks(line, pos + 1);
    std::size_t end = line.size();
    while (end > first && lf_isBlank(line[end - 1])) {
        --end;
    }
    const std::string_view value = line.substr(first, end - first);
    if (value.empty() || value.find_first_of("\r\n") != std::string_view::npos) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> lf_readTitle(std::string_view line) { return lf_readNonEmpty(line, "title"); }

std::optional<std::string> lf_readTexture(std::string_view line) { return lf_readNonEmpty(line, "texture"); }

std::optional<std::string> lf_readParkingTypes(std::string_view line) {
    return lf_readNonEmpty(line, "atc_parking_types");
}

std::optional<std::string> lf_readAtcId(std::string_view line) {
    auto value = lf_readNonEmpty(line, "atc_id");
    if (value && value->size() < 5) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> lf_readIcaoAirline(std::string_view line) {
    const auto raw = gf_cfgKeyValue(line, "icao_airline");
    if (!raw) {
        return std::nullopt;
    }
    std::string value = gf_unquote(*raw);
    if (value.empty() || value == "ZZZZ") {
        return std::string("ZZZ");
    }
    return lf_upperCased(std::move(value));
}

std::string lf_readTypeDesignator(std::string_view line) {
    const auto raw = gf_cfgKeyValue(line, "icao_type_designator");
    if (!raw) {
        return {};
    }
    return lf_upperCased(gf_unquote(*raw).substr(0, 4));
}

std::string lf_stockTypeFromBaseContainer(std::string_view line) {
    // The value names a folder beside the package's, "..\" first.
    constexpr std::size_t kRelativePrefixLength = 3;
    const auto raw = gf_cfgKeyValue(line, "base_container");
    if (!raw) {
        return {};
    }
    const std::string value = gf_unquote(*raw);
    if (value.size() < kRelativePrefixLength + 1) {
        return {};
    }
    const auto found = stockAircraftTypes.find(value.substr(kRelativePrefixLength));
    return found == stockAircraftTypes.end() ? std::string() : lf_upperCased(found->second);
}

std::string lf_readFltSimNumber(std::string_view line) {
    constexpr std::string_view kHeaderStart = "[fltsim.";
    if (line.starts_with("//")) {
        return {};
    }
    const std::size_t pos = lf_skipBlanks(line, 0);
    if (lf_startsWithIgnoringCase(line.substr(pos), kHeaderStart)) {
        const std::size_t digits = pos + kHeaderStart.size();
        std::size_t end = digits;
        while (end < line.size() && line[end] >= '0' && line[end] <= '9') {
            ++end;
        }
        if (end > digits && end < line.size() && line[end] == ']' && lf_skipBlanks(line, end + 1) == line.size()) {
            return std::string(line.substr(digits, end - digits));
        }
    }
    if (line.find(kHeaderStart) != std::string_view::npos || line.find("[FLTSIM.") != std::string_view::npos) {
        return "10000";
    }
    return {};
}

bool lf_hasAtcIdKey(std::string_view line) { return line.find("atc_id=") != std::string_view::npos; }

bool lf_hasParkingTypesKey(std::string_view line) {
    return line.find("atc_parking_types") != std::string_view::npos;
}
