#include "core/data_decryption.h"

#include <sodium.h>

#include <array>
#include <fstream>
#include <gsl/gsl>
#include <stdexcept>
#include <vector>

#include "core/data_file_format.h"
#include "core/format.h"
#include "core/log.h"

namespace {

constexpr std::size_t kHeaderBytes = crypto_secretstream_xchacha20poly1305_HEADERBYTES;
constexpr std::size_t kStoredChunkBytes = kDataFileChunkBytes + crypto_secretstream_xchacha20poly1305_ABYTES;

static_assert(kDataFileKeyBytes == crypto_secretstream_xchacha20poly1305_KEYBYTES);

// Reads up to the buffer's size; fewer bytes only at the end of the file.
std::size_t lf_readUpTo(std::ifstream& input, std::span<unsigned char> buffer) {
    input.read(reinterpret_cast<char*>(buffer.data()), gsl::narrow<std::streamsize>(buffer.size()));
    if (input.bad()) {
        throw std::runtime_error("Could not read input file");
    }
    return gsl::narrow<std::size_t>(input.gcount());
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
    if (lf_readUpTo(input, header) != header.size()) {
        throw std::runtime_error("Input ends inside the stream header");
    }
    crypto_secretstream_xchacha20poly1305_state state;
    if (crypto_secretstream_xchacha20poly1305_init_pull(&state, header.data(), key.data()) != 0) {
        throw std::runtime_error("Invalid header or key");
    }

    std::vector<unsigned char> stored(kStoredChunkBytes);
    std::vector<unsigned char> plain(kDataFileChunkBytes);
    // A file cut at a chunk boundary authenticates chunk by chunk; only the
    // final tag proves that nothing is missing at its end.
    bool finalChunkSeen = false;
    while (!finalChunkSeen) {
        const std::size_t storedCount = lf_readUpTo(input, stored);
        if (storedCount == 0) {
            throw std::runtime_error("Input ends without its final chunk");
        }
        unsigned long long plainCount = 0;
        unsigned char tag = 0;
        if (crypto_secretstream_xchacha20poly1305_pull(&state, plain.data(), &plainCount, &tag, stored.data(),
                                                       storedCount, nullptr, 0) != 0) {
            throw std::runtime_error("Decryption failed");
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
        gf_writeLogPlain(fmtlib::format("{} exception: {}", "gf_streamDecrypt", error.what()));
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
