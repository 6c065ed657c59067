// vantrel-encrypt <plain file> <encrypted file>
//
// Encrypts a plain data file (the aircraft database, the registration codes)
// into the format the program decrypts: the secret-stream header, then the
// file in chunks of 4096 plain bytes, the last one tagged final (an empty
// file gives one empty final chunk). The result is written beside its
// destination first and renamed into place only when complete, so a failed
// run never leaves a half-written file. Exit status 0 on success, 1 on
// failure with the reason on standard error, 2 for wrong arguments.

#include <sodium.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/data_file_format.h"

namespace {

constexpr std::size_t kStoredChunkBytes = kDataFileChunkBytes + crypto_secretstream_xchacha20poly1305_ABYTES;

void lf_encryptFile(const std::filesystem::path& plainPath, const std::filesystem::path& encryptedPath) {
    std::ifstream input(plainPath, std::ios::binary);
    if (!input.is_open()) {
        throw std::runtime_error("cannot open " + plainPath.string());
    }
    std::ofstream output(encryptedPath, std::ios::binary | std::ios::trunc);
    if (!output.is_open()) {
        throw std::runtime_error("cannot create " + encryptedPath.string());
    }

    crypto_secretstream_xchacha20poly1305_state state;
    std::array<unsigned char, crypto_secretstream_xchacha20poly1305_HEADERBYTES> header{};
    crypto_secretstream_xchacha20poly1305_init_push(&state, header.data(), kDataFileKey.data());
    output.write(reinterpret_cast<const char*>(header.data()), header.size());

    std::vector<char> plain(kDataFileChunkBytes);
    std::vector<unsigned char> stored(kStoredChunkBytes);
    bool last = false;
    while (!last) {
        input.read(plain.data(), static_cast<std::streamsize>(plain.size()));
        if (input.bad()) {
            throw std::runtime_error("cannot read " + plainPath.string());
        }
        const auto plainCount = static_cast<unsigned long long>(input.gcount());
        // A full chunk is the last one when nothing follows it.
        last = input.peek() == std::char_traits<char>::eof();
        const unsigned char tag = last ? crypto_secretstream_xchacha20poly1305_TAG_FINAL
                                       : crypto_secretstream_xchacha20poly1305_TAG_MESSAGE;
        unsigned long long storedCount = 0;
        crypto_secretstream_xchacha20poly1305_push(&state, stored.data(), &storedCount,
                                                   reinterpret_cast<const unsigned char*>(plain.data()),
                                                   plainCount, nullptr, 0, tag);
        output.write(reinterpret_cast<const char*>(stored.data()), static_cast<std::streamsize>(storedCount));
    }
    output.close();
    if (output.fail()) {
        throw std::runtime_error("cannot write " + encryptedPath.string());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: vantrel-encrypt <plain file> <encrypted file>\n";
        return 2;
    }
    const std::filesystem::path plainPath = argv[1];
    const std::filesystem::path encryptedPath = argv[2];
    std::filesystem::path partialPath = encryptedPath;
    partialPath += ".part";
    try {
        if (sodium_init() < 0) {
            throw std::runtime_error("libsodium could not be initialised");
        }
        lf_encryptFile(plainPath, partialPath);
        std::filesystem::rename(partialPath, encryptedPath);
        return 0;
    } catch (const std::exception& error) {
        std::error_code ignored;
        std::filesystem::remove(partialPath, ignored);
        std::cerr << "vantrel-encrypt: " << error.what() << '\n';
        return 1;
    }
}
