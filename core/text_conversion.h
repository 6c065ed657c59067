#pragma once
// Text is UTF-8 inside the program and UTF-16 at the Windows calls. The
// conversions are strict: an invalid sequence fails the whole conversion with
// win32::Utf8ConversionException, nothing is replaced. UTF-16 text is
// std::u16string (wchar_t is 32 bits on Linux).
// Also here: the user's application-data folders, as the shell names them.

#include <filesystem>
#include <optional>
#include <string>

// Shell folder numbers (CSIDL) of the application-data folders.
inline constexpr int kCsidlAppData = 26;       // roaming
inline constexpr int kCsidlLocalAppData = 28;  // local

// Both throw std::overflow_error for a text longer than the largest int and
// win32::Utf8ConversionException for an invalid one.
std::u16string gf_utf8ToUtf16(const std::string& utf8);
std::string gf_utf16ToUtf8(const std::u16string& utf16);

// The shell folder with that number; empty when there is none.
std::optional<std::filesystem::path> gf_getKnownFolderPath(int csidl);

// The roaming and the local application-data folder; the empty path, and a
// log line, when it cannot be found.
std::filesystem::path gf_getAppDataPath();
std::filesystem::path gf_getLocalAppDataPath();
