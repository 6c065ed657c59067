#pragma once
// Report files of the livery scan and the registration codes: plain text,
// one line each.

#include <filesystem>
#include <list>
#include <string>
#include <vector>

// Writes every line followed by a line feed, replacing the file; false when
// the file cannot be written.
bool gf_writeLines(const std::vector<std::string>& lines, const std::filesystem::path& path);
bool gf_writeLinesList(const std::list<std::string>& lines, const std::filesystem::path& path);
