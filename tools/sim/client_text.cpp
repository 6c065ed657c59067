#include "client_text.h"

#include <cstddef>
#include <cstdint>

namespace sim {

namespace {

// The length of the well-formed UTF-8 sequence at the start of the text
// (no overlong forms, no surrogates, nothing above U+10FFFF); 0 when none.
std::size_t lf_utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t index) { return static_cast<std::uint8_t>(text[index]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t index = 2; index < length; ++index) {
        if (byte(index) < 0x80 || byte(index) > 0xBF) {
            return 0;
        }
    }
    return length;
}

}  // namespace

std::string clientTextToUtf8(std::string_view text) {
    std::string converted;
    converted.reserve(text.size());
    while (!text.empty()) {
        const auto lead = static_cast<std::uint8_t>(text.front());
        std::size_t taken = 1;
        if (lead < 0x80) {
            converted += text.front();
        } else if (const std::size_t length = lf_utf8SequenceLength(text); length != 0) {
            converted.append(text.substr(0, length));
            taken = length;
        } else {
            converted += static_cast<char>(0xC0 | (lead >> 6));
            converted += static_cast<char>(0x80 | (lead & 0x3F));
        }
        text.remove_prefix(taken);
    }
    return converted;
}

}  // namespace sim
