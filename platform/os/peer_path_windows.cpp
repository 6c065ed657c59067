#include "platform/os/peer_path.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

namespace platform {
namespace {

bool lf_isAscii(std::wstring_view text) {
    return std::ranges::all_of(text, [](wchar_t c) { return c < 0x80; });
}

std::string lf_asciiText(std::wstring_view text) {
    std::string ascii(text.size(), '\0');
    std::ranges::transform(text, ascii.begin(), [](wchar_t c) { return static_cast<char>(c); });
    return ascii;
}

// The text in the ANSI code page, when every character has its own code
// there and the text reads back as it was: no best-fit look-alike, no
// default character. A system whose ANSI code page is UTF-8 converts any
// valid text; that code page takes neither the best-fit flag nor the
// default-character report.
std::optional<std::string> lf_ansiText(const std::wstring& wide) {
    const bool utf8 = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const usedDefaultReport = utf8 ? nullptr : &usedDefault;
    const int wideSize = static_cast<int>(wide.size());
    const int size = ::WideCharToMultiByte(CP_ACP, flags, wide.data(), wideSize, nullptr, 0, nullptr,
                                           usedDefaultReport);
    if (size <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    if (::WideCharToMultiByte(CP_ACP, flags, wide.data(), wideSize, text.data(), size, nullptr,
                              usedDefaultReport) != size ||
        usedDefault) {
        return std::nullopt;
    }
    const int backSize = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    std::wstring back(static_cast<std::size_t>(std::max(backSize, 0)), L'\0');
    if (backSize <= 0 ||
        ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, back.data(), backSize) != backSize ||
        back != wide) {
        return std::nullopt;
    }
    return text;
}

// The short (8.3) form of an existing file's path, or nothing. A path of
// MAX_PATH characters or more is only looked up with the "\\?\" prefix,
// which the result then loses again.
std::optional<std::wstring> lf_shortPath(const std::wstring& wide) {
    constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
    const bool prefixed = wide.size() >= MAX_PATH && std::filesystem::path(wide).has_root_name() &&
                          !wide.starts_with(L"\\\\");
    const std::wstring asked = prefixed ? std::wstring(kLongPrefix) + wide : wide;
    const DWORD needed = ::GetShortPathNameW(asked.c_str(), nullptr, 0);
    if (needed == 0) {
        return std::nullopt;
    }
    std::wstring found(needed, L'\0');
    const DWORD length = ::GetShortPathNameW(asked.c_str(), found.data(), needed);
    if (length == 0 || length >= needed) {
        return std::nullopt;
    }
    found.resize(length);
    if (prefixed && found.starts_with(kLongPrefix)) {
        found.erase(0, kLongPrefix.size());
    }
    return found;
}

}  // namespace

std::optional<std::string> narrowPathForPeer(const std::filesystem::path& path, std::size_t fieldSize) {
    const std::wstring& wide = path.native();
    std::optional<std::string> text = lf_isAscii(wide) ? std::optional(lf_asciiText(wide)) : lf_ansiText(wide);
    if (text && text->size() < fieldSize) {
        return text;
    }
    const std::optional<std::wstring> shortPath = lf_shortPath(wide);
    if (shortPath && lf_isAscii(*shortPath) && shortPath->size() < fieldSize) {
        return lf_asciiText(*shortPath);
    }
    return std::nullopt;
}

}  // namespace platform
