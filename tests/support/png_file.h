#pragma once
// Writes a screenshot as a PNG file, without a library: the image data is
// stored in uncompressed deflate blocks.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vantrel::test {

// rgb holds width x height pixels of three bytes, row by row.
bool writePng(const std::filesystem::path& path, int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace vantrel::test
