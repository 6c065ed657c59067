#include "core/data_decryption.h"

#include <sodium.h>

#include <array>
#include <fstream>
#include <gsl/gsl>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <system_error>
#include <tuple>
#include <vector>

#include "core/data_file_format.h"
#include "core/format.h"
#include "core/log.h"

namespace {

constexpr std::size_t kHeaderBytes = crypto_secretstream_xchacha20poly1305_HEADERBYTES;
constexpr std::size_t kStoredChunkBytes = kDataFileChunkBytes + crypto_secretstream_xchacha20poly1305_ABYTES;

static_assert(kDataFileKeyBytes == crypto_secretstream_xchacha20poly1305_KEYBYTES);

// An error of the encrypted stream, naming its file: the program decrypts
// more than one.
[[noreturn]] void lf_throwStreamError(std::string_view what, const std::filesystem::path& inputPath) {
    throw std::runtime_error(fmtlib::format("{}: {}", what, inputPath.string()));
}

// Reads up to the buffer's size; fewer bytes only at the end of the file.
std::size_t lf_readUpTo(std::ifstream& input, std::span<unsigned char> buffer, const std::filesystem::path& inputPath) {
    input.read(reinterpret_cast<char*>(buffer.data()), gsl::narrow<std::streamsize>(buffer.size()));
    if (input.bad()) {
        lf_throwStreamError("Could not read input file", inputPath);
    }
    return gsl::narrow<std::size_t>(input.gcount());
}

// An encrypted file as it lies on disk: its path, size and time of change.
using FileState = std::tuple<std::string, std::uintmax_t, std::filesystem::file_time_type::rep>;

FileState lf_fileState(const std::filesystem::path& path) {
    std::error_code ignored;
    const std::uintmax_t size = std::filesystem::file_size(path, ignored);
    const auto changed = std::filesystem::last_write_time(path, ignored);
    return {path.string(), size, changed.time_since_epoch().count()};
}

// The files whose decryption failed and was logged. A file is decrypted by
// more than one reader at start; its failure is logged once, and again only
// when the file has changed (a new download).
// Its place in the lock order: docs/locks.md.
std::mutex failedFilesMutex;
std::set<FileState> failedFiles;

// True the first time this file, as it is now, fails.
bool lf_firstFailure(const std::filesystem::path& inputPath) {
    const std::lock_guard lock(failedFilesMutex);
    return failedFiles.insert(lf_fileState(inputPath)).second;
}

}  // namespace

void gf_decryptStream(std::span<const std::uint8_t, 32> key, const std::filesystem::path& inputPath,
                      const std::filesystem::path& outputPath) {
    if (sodium_init() < 0) {
        throw std::runtime_error("libsodium could not be initialised");
    }
    std::ifstream input(inputPath, std::ios::binary);
    if (!input.is_open()) {
        throw std::runtime_error("Could not open input file: " + inputPath.string());
    }
    std::ofstream output(outputPath, std::ios::binary | std::ios::trunc);
    if (!output.is_open()) {
        throw std::runtime_error("Could not open output file: " + outputPath.string());
    }

    std::array<unsigned char, kHeaderBytes> header{};
    if (lf_readUpTo(input, header, inputPath) != header.size()) {
        lf_throwStreamError("Input ends inside the stream header", inputPath);
    }
    crypto_secretstream_xchacha20poly1305_state state;
    if (crypto_secretstream_xchacha20poly1305_init_pull(&state, header.data(), key.data()) != 0) {
        lf_throwStreamError("Invalid header or key", inputPath);
    }

    std::vector<unsigned char> stored(kStoredChunkBytes);
    std::vector<unsigned char> plain(kDataFileChunkBytes);
    // A file cut at a chunk boundary authenticates chunk by chunk; only the
    // final tag proves that nothing is missing at its end.
    bool finalChunkSeen = false;
    while (!finalChunkSeen) {
        const std::size_t storedCount = lf_readUpTo(input, stored, inputPath);
        if (storedCount == 0) {
            lf_throwStreamError("Input ends without its final chunk", inputPath);
        }
        unsigned long long plainCount = 0;
        unsigned char tag = 0;
        if (crypto_secretstream_xchacha20poly1305_pull(&state, plain.data(), &plainCount, &tag, stored.data(),
                                                       storedCount, nullptr, 0) != 0) {
            lf_throwStreamError("Decryption failed", inputPath);
        }
        output.write(reinterpret_cast<const char*>(plain.data()), gsl::narrow<std::streamsize>(plainCount));
        finalChunkSeen = tag == crypto_secretstream_xchacha20poly1305_TAG_FINAL;
    }
    output.close();
    if (output.fail()) {
        throw std::runtime_error("Could not write output file: " + outputPath.string());
    }
}

bool gf_streamDecrypt(const std::filesystem::path& inputPath, const std::filesystem::path& outputPath) {
    DataFileKey key = kDataFileKey;
    const auto wipeKey = gsl::finally([&key] { sodium_memzero(key.data(), key.size()); });
    try {
        gf_decryptStream(key, inputPath, outputPath);
        return true;
    } catch (const std::exception& error) {
        if (lf_firstFailure(inputPath)) {
            gf_writeLogPlain(fmtlib::format("{} exception: {}", "gf_streamDecrypt", error.what()));
        }
    }
    gf_removeFileIfExists(outputPath);
    return false;
}

void gf_removeFileIfExists(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::remove(path, error) && error) {
        gf_writeLog(fmtlib::format("Warning: could not remove {}, errorcode: {}", path.string(), error.message()));
    }
}
