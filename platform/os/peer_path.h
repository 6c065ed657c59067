#pragma once
// The single-byte text by which another program on this PC opens a file,
// for calls that carry a path as narrow text in a field of fixed size (the
// simulator's flight-plan call). Windows programs read such a text in the
// system's ANSI code page, not in UTF-8; Linux programs open a path by its
// bytes.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace platform {

// The path as a program on this PC reads a narrow path, shorter than
// fieldSize bytes so that it fits the field with its terminating zero; or
// nullopt when it has no such text (the caller must not send it cut short).
// Linux: the path's own bytes. Windows: an ASCII path as it is; else its
// ANSI text when that converts both ways exactly; else, or when that text
// is too long, the short (8.3) path of the existing file when it is ASCII.
std::optional<std::string> narrowPathForPeer(const std::filesystem::path& path, std::size_t fieldSize);

}  // namespace platform
