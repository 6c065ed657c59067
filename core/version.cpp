#include "core/version.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <gsl/narrow>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "core/format.h"
#include "core/log.h"

namespace {

// Longer texts are refused before they are read: a version, even as a JSON
// object, is a few dozen characters.
constexpr std::size_t kLongestVersionText = 256;

// The three numbers of a dotted version.
struct DottedGroups {
    std::string_view major;
    std::string_view minor;
    std::string_view patch;
};

bool lf_isDigit(char c) { return c >= '0' && c <= '9'; }

// Any one character but a line end separates the numbers ("11.0.3", also
// "1x2y3"), as versions have always been read.
bool lf_isSeparator(char c) { return c != '\n' && c != '\r'; }

// Splits the whole text into digits, a separator, digits, a separator,
// digits. A separator may itself be a digit, so a text can split in several
// ways; the first number takes as many digits as it can, then the second
// (so "123456" gives 12, 4 and 6). Time linear in the length, whatever the
// text holds: no split is tried twice.
std::optional<DottedGroups> lf_splitDotted(std::string_view text) {
    const std::size_t size = text.size();
    constexpr std::size_t kShortest = 5;  // three digits and two separators
    if (size < kShortest) {
        return std::nullopt;
    }
    // digitsFrom[i]: how many digits follow from position i on.
    std::vector<std::size_t> digitsFrom(size + 1, 0);
    for (std::size_t i = size; i-- > 0;) {
        digitsFrom[i] = lf_isDigit(text[i]) ? digitsFrom[i + 1] + 1 : 0;
    }
    std::size_t trailingDigits = 0;
    while (trailingDigits < size && lf_isDigit(text[size - 1 - trailingDigits])) {
        ++trailingDigits;
    }
    // The first separator at `first`, the second at `second`: the first
    // number is text[0, first), the second text[first + 1, second), the third
    // text[second + 1, size).
    const std::size_t lastSecond = size - 2;
    const std::size_t firstSecondForThird = size - std::min(size, trailingDigits + 1);
    for (std::size_t first = std::min(digitsFrom[0], size - 4); first >= 1; --first) {
        const std::size_t middleDigits = digitsFrom[first + 1];
        if (!lf_isSeparator(text[first]) || middleDigits == 0) {
            continue;
        }
        const std::size_t lowest = std::max(first + 2, firstSecondForThird);
        std::size_t second = std::min(lastSecond, first + 1 + middleDigits);
        if (second >= lowest && !lf_isSeparator(text[second])) {
            --second;  // a line end cannot separate; a digit before it can
        }
        if (second >= lowest) {
            return DottedGroups{text.substr(0, first), text.substr(first + 1, second - first - 1),
                                text.substr(second + 1)};
        }
    }
    return std::nullopt;
}

// The whole group as a decimal int32; "parse error in version string" when
// it does not fit.
std::int32_t lf_parseGroup(std::string_view group) {
    std::int32_t number = 0;
    const char* end = group.data() + group.size();
    const auto [stop, error] = std::from_chars(group.data(), end, number);
    if (error != std::errc{} || stop != end) {
        throw std::runtime_error("parse error in version string");
    }
    return number;
}

// A JSON member as int32; a number that does not fit fails rather than wraps.
// A fraction is cut off; a number with one beyond the range must not reach
// the conversion, which would be undefined.
std::int32_t lf_jsonMember(const nlohmann::json& object, const char* name) {
    const auto member = object.find(name);
    if (member == object.end()) {
        return 0;
    }
    if (member->is_number_unsigned()) {
        return gsl::narrow<std::int32_t>(member->get<std::uint64_t>());
    }
    if (member->is_number_float()) {
        const double whole = std::trunc(member->get<double>());
        if (!(whole >= std::numeric_limits<std::int32_t>::min() && whole <= std::numeric_limits<std::int32_t>::max())) {
            throw gsl::narrowing_error{};
        }
        return static_cast<std::int32_t>(whole);
    }
    return gsl::narrow<std::int32_t>(member->get<std::int64_t>());
}

}  // namespace

constinit const VersionData programVersion{11, 0, 3};

VersionData::VersionData(const std::string& text) {
    try {
        if (text.size() > kLongestVersionText) {
            throw std::runtime_error(fmtlib::format("version text of {} characters is too long", text.size()));
        }
        if (const auto groups = lf_splitDotted(text)) {
            major = lf_parseGroup(groups->major);
            minor = lf_parseGroup(groups->minor);
            patch = lf_parseGroup(groups->patch);
            return;
        }
        const auto json = nlohmann::json::parse(text);
        if (json.is_object()) {
            major = lf_jsonMember(json, "major");
            minor = lf_jsonMember(json, "minor");
            patch = lf_jsonMember(json, "patch");
        }
    } catch (const std::exception& error) {
        gf_writeLogPlain(fmtlib::format("{} exception: {}", "VersionData", error.what()));
    }
}

std::string gf_formatVersion(const VersionData& version) {
    return fmtlib::format("{}.{}.{}", version.major, version.minor, version.patch);
}
