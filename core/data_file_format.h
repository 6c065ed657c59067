#pragma once
// The encrypted data files (input/dbase.enc and input/AIG-regcodes.enc):
// libsodium's secret stream (crypto_secretstream_xchacha20poly1305) with the
// key below. A file is the 24-byte stream header, then chunks of at most
// kDataFileChunkBytes plain bytes, each stored with 17 bytes more (tag and
// authentication); the last chunk, and only it, carries TAG_FINAL. A plain
// file whose length is a multiple of the chunk size ends with a full chunk
// tagged final, and an empty one is a single empty chunk tagged final.
//
// The encryption tool (tools/encrypt) makes the files with this key and the
// program reads them with it. Within the program only the data-file
// decryption includes this header; it copies the key to the stack for each
// call and wipes the copy after. Changing the key makes every shipped and
// downloaded data file unreadable.

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kDataFileChunkBytes = 4096;

// crypto_secretstream_xchacha20poly1305_KEYBYTES.
inline constexpr std::size_t kDataFileKeyBytes = 32;
using DataFileKey = std::array<std::uint8_t, kDataFileKeyBytes>;

inline constexpr DataFileKey kDataFileKey{
    0xed, 0xde, 0x50, 0x03, 0x3d, 0x1b, 0x82, 0x11, 0x80, 0x79, 0xd8, 0xba, 0xb5, 0xc6, 0x11, 0x8f,
    0x64, 0x9a, 0xaa, 0x97, 0x58, 0xf8, 0xf9, 0x01, 0xb7, 0x2e, 0xc2, 0x47, 0xb9, 0x6b, 0xbd, 0xa4,
};
