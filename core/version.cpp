#include "core/version.h"

#include <charconv>
#include <cmath>
#include <gsl/narrow>
#include <limits>
#include <nlohmann/json.hpp>
#include <regex>
#include <stdexcept>

#include "core/format.h"
#include "core/log.h"

namespace {

// The dots are left unescaped on purpose: any one character separates the
// numbers, as versions have always been read.
const std::regex kDottedVersion{R"((\d+).(\d+).(\d+))"};

// The whole group as a decimal int32; "parse error in version string" when
// it does not fit.
std::int32_t lf_parseGroup(const std::string& group) {
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
        std::smatch match;
        if (std::regex_match(text, match, kDottedVersion)) {
            major = lf_parseGroup(match[1].str());
            minor = lf_parseGroup(match[2].str());
            patch = lf_parseGroup(match[3].str());
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
