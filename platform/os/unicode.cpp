#include "platform/os/unicode.h"

#include <cstdint>
#include <optional>

namespace platform {
namespace {

bool lf_isContinuation(unsigned char byte) { return (byte & 0xC0U) == 0x80U; }

bool lf_isSurrogate(char32_t codePoint) { return codePoint >= 0xD800 && codePoint <= 0xDFFF; }

// Decodes the sequence that starts at utf8[pos] and advances pos past it;
// empty when the sequence is invalid. The lead byte fixes the length and the
// smallest code point that length may carry, which rejects overlong forms
// (C0 80 for U+0000, E0 80 80, F0 80 80 80).
std::optional<char32_t> lf_decodeUtf8(std::string_view utf8, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    std::size_t length = 0;
    char32_t codePoint = 0;
    char32_t smallest = 0;
    if (lead < 0x80U) {
        ++pos;
        return lead;
    }
    if ((lead & 0xE0U) == 0xC0U) {
        length = 2, codePoint = lead & 0x1FU, smallest = 0x80;
    } else if ((lead & 0xF0U) == 0xE0U) {
        length = 3, codePoint = lead & 0x0FU, smallest = 0x800;
    } else if ((lead & 0xF8U) == 0xF0U) {
        length = 4, codePoint = lead & 0x07U, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (utf8.size() - pos < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[pos + i]);
        if (!lf_isContinuation(byte)) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6U) | (byte & 0x3FU);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF || lf_isSurrogate(codePoint)) {
        return std::nullopt;
    }
    pos += length;
    return codePoint;
}

void lf_appendUtf8(std::string& out, char32_t codePoint) {
    const auto put = [&out](std::uint32_t byte) { out.push_back(static_cast<char>(byte)); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0U | (codePoint >> 6U));
        put(0x80U | (codePoint & 0x3FU));
    } else if (codePoint < 0x10000) {
        put(0xE0U | (codePoint >> 12U));
        put(0x80U | ((codePoint >> 6U) & 0x3FU));
        put(0x80U | (codePoint & 0x3FU));
    } else {
        put(0xF0U | (codePoint >> 18U));
        put(0x80U | ((codePoint >> 12U) & 0x3FU));
        put(0x80U | ((codePoint >> 6U) & 0x3FU));
        put(0x80U | (codePoint & 0x3FU));
    }
}

}  // namespace

Utf16Conversion utf8ToUtf16(std::string_view utf8) {
    Utf16Conversion result;
    result.text.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto codePoint = lf_decodeUtf8(utf8, pos);
        if (!codePoint) {
            return {{}, kErrorNoUnicodeTranslation};
        }
        if (*codePoint < 0x10000) {
            result.text.push_back(static_cast<char16_t>(*codePoint));
        } else {
            const char32_t offset = *codePoint - 0x10000;
            result.text.push_back(static_cast<char16_t>(0xD800 + (offset >> 10U)));
            result.text.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FFU)));
        }
    }
    return result;
}

Utf8Conversion utf16ToUtf8(std::u16string_view utf16) {
    Utf8Conversion result;
    result.text.reserve(utf16.size());
    for (std::size_t pos = 0; pos < utf16.size(); ++pos) {
        char32_t codePoint = utf16[pos];
        if (codePoint >= 0xDC00 && codePoint <= 0xDFFF) {
            return {{}, kErrorNoUnicodeTranslation};
        }
        if (codePoint >= 0xD800 && codePoint <= 0xDBFF) {
            if (pos + 1 == utf16.size() || utf16[pos + 1] < 0xDC00 || utf16[pos + 1] > 0xDFFF) {
                return {{}, kErrorNoUnicodeTranslation};
            }
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10U) + (utf16[++pos] - 0xDC00U);
        }
        lf_appendUtf8(result.text, codePoint);
    }
    return result;
}

}  // namespace platform
