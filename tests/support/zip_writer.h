#pragma once
// Writes zip archives for tests, with entry names as given: folders, "..",
// absolute paths, as a hostile archive may hold them.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace test {

// (entry name, content) in archive order; a name ending in "/" is a folder
// entry (its content is ignored). Entries are stored uncompressed, so a test
// can find and damage an entry's bytes in the file. Throws std::runtime_error.
void writeZip(const std::filesystem::path& path, const std::vector<std::pair<std::string, std::string>>& entries);

}  // namespace test
