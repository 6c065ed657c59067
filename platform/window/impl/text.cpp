#include "platform/window/impl/text.h"

#include <algorithm>

namespace {

char16_t lf_foldAscii(char16_t character) {
    return character >= u'A' && character <= u'Z' ? static_cast<char16_t>(character - u'A' + u'a')
                                                  : character;
}

bool lf_sameIgnoringCase(char16_t left, char16_t right) {
    return lf_foldAscii(left) == lf_foldAscii(right);
}

}  // namespace

namespace platform::window::impl {

std::u16string_view terminatedText(LPCWSTR text) {
    return text == nullptr ? std::u16string_view() : std::u16string_view(text);
}

int copyToBuffer(std::u16string_view text, LPWSTR buffer, int bufferMax) {
    if (buffer == nullptr || bufferMax < 1) {
        return 0;
    }
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(bufferMax - 1));
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = u'\0';
    return static_cast<int>(count);
}

bool equalsIgnoringCase(std::u16string_view left, std::u16string_view right) {
    return std::ranges::equal(left, right, lf_sameIgnoringCase);
}

bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace platform::window::impl
