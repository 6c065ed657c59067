#pragma once
// Decryption of the program's encrypted data files (the aircraft database
// and the registration codes, core/data_file_format.h): the user of such a
// file decrypts it into its plain file beside it, reads that, and removes it
// again, so that the plain text lies on disk only while it is read.

#include <cstdint>
#include <filesystem>
#include <span>

// Decrypts inputPath into outputPath with the program's data-file key. On any
// failure logs "gf_streamDecrypt exception: {}" with the error text, removes
// outputPath (also an older file there) and returns false; never throws. A
// file that fails again unchanged (several readers decrypt the same file) is
// not logged again.
bool gf_streamDecrypt(const std::filesystem::path& inputPath, const std::filesystem::path& outputPath);

// The decryption itself with the given 32-byte key; the output file is
// created or truncated. Throws std::runtime_error on failure: "Could not open
// input file: {}", "Could not open output file: {}", and, each followed by
// ": " and the input file's path, "Could not read input file", "Input ends
// inside the stream header", "Invalid header or key", "Decryption failed"
// (wrong key, damaged chunk), "Input ends without its final chunk" (a
// truncated file); "Could not write output file: {}". What was written before
// a failure stays in the output; gf_streamDecrypt removes it.
void gf_decryptStream(std::span<const std::uint8_t, 32> key, const std::filesystem::path& inputPath,
                      const std::filesystem::path& outputPath);

// Removes the file when it exists. A removal that fails is logged "Warning:
// could not remove {}, errorcode: {}" with the system's text for the error;
// nothing else happens.
void gf_removeFileIfExists(const std::filesystem::path& path);
