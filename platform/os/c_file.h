#pragma once
// C stdio files opened by path. On Windows a narrow file name goes through
// the ANSI code page, so a folder under a user name outside it (Jürgen,
// 東京) would not open; the wide name reaches every folder.

#include <cstdio>
#include <filesystem>

namespace platform {

// std::fopen by path; mode as std::fopen takes it ("wb", "r", ...).
std::FILE* openCFile(const std::filesystem::path& path, const char* mode);

}  // namespace platform
