#include "run/feed_numbers.h"

#include <charconv>

namespace {

bool lf_isDigit(char c) { return c >= '0' && c <= '9'; }

// The grammar's first characters: a digit, or a point followed by a digit,
// after an optional minus. std::from_chars alone would also take "nan" and
// "inf".
bool lf_startsWithDecimal(std::string_view field) {
    if (!field.empty() && field.front() == '-') {
        field.remove_prefix(1);
    }
    if (field.empty()) {
        return false;
    }
    return lf_isDigit(field[0]) || (field[0] == '.' && field.size() > 1 && lf_isDigit(field[1]));
}

template <typename Number>
std::optional<Number> lf_fromChars(std::string_view field) {
    Number value{};
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc{}) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<double> gf_readDecimal(std::string_view field) {
    if (!lf_startsWithDecimal(field)) {
        return std::nullopt;
    }
    return lf_fromChars<double>(field);
}

std::optional<std::uint32_t> gf_readUnsigned32(std::string_view field) {
    if (field.empty() || !lf_isDigit(field.front())) {
        return std::nullopt;
    }
    return lf_fromChars<std::uint32_t>(field);
}

std::optional<int> gf_readLeadingInt(std::string_view field) {
    const std::string_view digits = !field.empty() && field.front() == '-' ? field.substr(1) : field;
    if (digits.empty() || !lf_isDigit(digits.front())) {
        return std::nullopt;
    }
    return lf_fromChars<int>(field);
}
