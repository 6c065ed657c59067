#include "core/strings.h"

#include <algorithm>
#include <cmath>

#include "core/format.h"
#include "core/rounding.h"

namespace {

bool lf_isWhiteSpace(char c) { return kWhiteSpace.find(c) != std::string_view::npos; }

}  // namespace

std::string gf_trim(std::string_view text) {
    const auto first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kWhiteSpace);
    return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> gf_splitString(std::string_view text, char separator) {
    std::vector<std::string> pieces;
    if (text.empty()) {
        return pieces;
    }
    pieces.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), separator)) + 1);
    std::size_t start = 0;
    for (auto end = text.find(separator); end != std::string_view::npos; end = text.find(separator, start)) {
        pieces.push_back(gf_trim(text.substr(start, end - start)));
        start = end + 1;
    }
    pieces.push_back(gf_trim(text.substr(start)));
    return pieces;
}

std::vector<std::string> gf_splitComma(std::string_view text) { return gf_splitString(text, ','); }

std::list<std::string> gf_splitTrimmed(std::string_view text) {
    auto pieces = gf_splitComma(text);
    return {std::make_move_iterator(pieces.begin()), std::make_move_iterator(pieces.end())};
}

std::string gf_unquote(std::string_view text) {
    const auto open = text.find('"');
    if (open == std::string_view::npos) {
        return std::string(text);
    }
    const auto close = text.find('"', open + 1);
    if (close == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(open + 1, close - open - 1));
}

void gf_removeSpacesInList(std::string& list) {
    if (std::none_of(list.begin(), list.end(), lf_isWhiteSpace)) {
        return;
    }
    const auto pieces = gf_splitComma(list);
    list = fmtlib::format("{}", fmtlib::join(pieces, ","));
}

char toUpperChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

char toLowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool gf_equalsUpperCase(std::string_view expected, std::string_view text) {
    return expected.size() == text.size() &&
           std::equal(text.begin(), text.end(), expected.begin(),
                      [](char fromText, char fromExpected) { return toUpperChar(fromText) == fromExpected; });
}

bool gf_equalsWithStar(std::string_view name, std::string_view text) {
    return text.size() == name.size() + 1 && text.starts_with(name) && text.back() == '*';
}

std::string gf_makeBanner(int widthA, int widthB, bool lead, bool trail, std::string_view text) {
    const long total = (static_cast<long>(widthA) + widthB + 1) / 2 * 2;
    std::string banner = lead ? "\n" : "";
    if (text.empty()) {
        banner.append(static_cast<std::size_t>(std::max(total, 0L)), '*');
    } else if (total > static_cast<long>(text.size()) + 2) {
        const std::string stars(static_cast<std::size_t>(total / 2 - 1), '*');
        banner += fmtlib::format("{} {} {}", stars, text, stars);
    } else {
        banner += text;
    }
    if (trail) {
        banner += '\n';
    }
    return banner;
}

std::string gf_formatNumber(float value) {
    if (value != std::trunc(value)) {
        return fmtlib::format("{:.1f}", value);
    }
    return fmtlib::format("{:.0f}", value);
}

int gf_percentOf(std::int64_t part, std::int64_t total) {
    if (total < 1) {
        return 0;
    }
    return gf_roundToInt(static_cast<double>(part) * 100.0 / static_cast<double>(total));
}

std::string_view gf_pluralSuffix(std::int64_t count) { return count == 1 ? "" : "s"; }
