#include "support/png_file.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>

namespace vantrel::test {

namespace {

std::uint32_t lf_crc32(std::string_view type, const std::vector<std::uint8_t>& data) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1U) : c >> 1U;
            }
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFU;
    const auto add = [&crc](std::uint8_t byte) { crc = table[(crc ^ byte) & 0xFFU] ^ (crc >> 8U); };
    for (const char character : type) {
        add(static_cast<std::uint8_t>(character));
    }
    for (const std::uint8_t byte : data) {
        add(byte);
    }
    return crc ^ 0xFFFFFFFFU;
}

void lf_putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> static_cast<unsigned>(shift)));
    }
}

void lf_writeChunk(std::ofstream& file, std::string_view type, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> chunk;
    lf_putBigEndian(chunk, static_cast<std::uint32_t>(data.size()));
    chunk.insert(chunk.end(), type.begin(), type.end());
    chunk.insert(chunk.end(), data.begin(), data.end());
    lf_putBigEndian(chunk, lf_crc32(type, data));
    file.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
}

// A zlib stream of stored (uncompressed) deflate blocks of at most 65535
// bytes, closed by the Adler-32 of the data.
std::vector<std::uint8_t> lf_storedZlib(const std::vector<std::uint8_t>& data) {
    constexpr std::size_t kMaxBlock = 65535;
    std::vector<std::uint8_t> out{0x78, 0x01};
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::size_t offset = 0; offset < data.size(); offset += kMaxBlock) {
        const std::size_t length = std::min(kMaxBlock, data.size() - offset);
        const bool last = offset + length >= data.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(length & 0xFFU));
        out.push_back(static_cast<std::uint8_t>(length >> 8U));
        out.push_back(static_cast<std::uint8_t>(~length & 0xFFU));
        out.push_back(static_cast<std::uint8_t>((~length >> 8U) & 0xFFU));
        for (std::size_t i = offset; i < offset + length; ++i) {
            out.push_back(data[i]);
            a = (a + data[i]) % 65521U;
            b = (b + a) % 65521U;
        }
        if (last) {
            break;
        }
    }
    lf_putBigEndian(out, (b << 16U) | a);
    return out;
}

}  // namespace

bool writePng(const std::filesystem::path& path, int width, int height, const std::vector<std::uint8_t>& rgb) {
    const auto rowBytes = static_cast<std::size_t>(width) * 3;
    if (width <= 0 || height <= 0 || rgb.size() != rowBytes * static_cast<std::size_t>(height)) {
        return false;
    }
    std::vector<std::uint8_t> rows;  // each row starts with filter type 0 (none)
    for (int y = 0; y < height; ++y) {
        rows.push_back(0);
        const auto begin = rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<std::size_t>(y));
        rows.insert(rows.end(), begin, begin + static_cast<std::ptrdiff_t>(rowBytes));
    }
    std::vector<std::uint8_t> header;
    lf_putBigEndian(header, static_cast<std::uint32_t>(width));
    lf_putBigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace

    std::ofstream file(path, std::ios::binary);
    constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    file.write(reinterpret_cast<const char*>(kSignature.data()), kSignature.size());
    lf_writeChunk(file, "IHDR", header);
    lf_writeChunk(file, "IDAT", lf_storedZlib(rows));
    lf_writeChunk(file, "IEND", {});
    return static_cast<bool>(file);
}

}  // namespace vantrel::test
