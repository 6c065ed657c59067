#include "core/half_hours.h"

#include <charconv>
#include <optional>

#include "core/format.h"
#include "core/log.h"
#include "core/strings.h"

namespace {

// An optional minus and digits at the start of the piece; whatever follows
// the digits is ignored ("12h" is 12).
std::optional<int> lf_leadingInt(std::string_view piece) {
    int value = 0;
    const auto [end, error] = std::from_chars(piece.data(), piece.data() + piece.size(), value);
    if (error != std::errc{}) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

HalfHourSet gf_hours2bitset(std::string_view text) {
    HalfHourSet hours;
    for (const auto& piece : gf_splitComma(text)) {
        const auto slot = lf_leadingInt(piece);
        if (slot && *slot >= 0 && static_cast<std::size_t>(*slot) < kHalfHoursPerDay) {
            hours.set(static_cast<std::size_t>(*slot));
        } else {
            gf_writeLog(fmtlib::format("{} invalid hour '{}' in {}", "gf_hours2bitset", piece, text));
        }
    }
    return hours;
}
std::string gf_bitset2hours(const HalfHourSet& hours) {
    std::string text;
    for (std::size_t slot = 0; slot < kHalfHoursPerDay; ++slot) {
        if (hours.test(slot)) {
            if (!text.empty()) {
                text += ',';
            }
            text += std::to_string(slot);
        }
    }
    return text;
}
