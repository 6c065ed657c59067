#pragma once
// What the fuzz targets share: the input as text or bytes, and a scratch
// folder of the fuzzing process for the readers that take a file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace fuzz {

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

inline std::span<const std::byte> asBytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const std::byte*>(data), size};
}

// A folder of this process below the system's temporary folder, created on
// first use; each target overwrites its one file there for every input.
const std::filesystem::path& scratchFolder();

// Writes the bytes to the file of that name in the scratch folder (its
// folders created) and returns its path.
std::filesystem::path writeScratchFile(const std::filesystem::path& name, std::string_view bytes);

}  // namespace fuzz
