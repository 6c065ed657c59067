#include "scanner/bgl_file.h"

#include <array>
#include <bit>
#include <cmath>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string_view>

#include "core/format.h"
#include "core/log.h"

namespace {

constexpr double kLatitudePerUnit = 3.3527612686157227e-7;   // 180 / 2^29 degrees
constexpr double kLongitudePerUnit = 4.470348358154297e-7;   // 360 / (3 x 2^28) degrees
constexpr double kUnsetPositionDeg = 0.0001;
constexpr int kIdentBase = 38;
constexpr std::size_t kIcaoLength = 4;

std::uint32_t lf_littleEndian(const std::array<unsigned char, 4>& bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

}  // namespace

BglWords readFileWords(std::istream& stream) {
    stream.seekg(0, std::ios::end);
    const std::streamoff size = stream.tellg();
    stream.seekg(0, std::ios::beg);
    if (size <= 0) {
        return {};
    }
    // One read of the whole file into bytes that end in zeros up to a whole word.
    const auto byteCount = static_cast<std::size_t>(size);
    std::vector<unsigned char> bytes((byteCount + 3) / 4 * 4, 0);
    stream.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(byteCount));
    BglWords words(bytes.size() / 4);
    for (std::size_t word = 0; word < words.size(); ++word) {
        words[word] = lf_littleEndian({bytes[4 * word], bytes[4 * word + 1], bytes[4 * word + 2], bytes[4 * word + 3]});
    }
    return words;
}

bool bglHasAirportSection(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    file.seekg(0, std::ios::beg);
    constexpr std::streamoff kSmallestFile = 14;
    if (size <= kSmallestFile) {
        return false;
    }
    // The header's first 14 words, of which only the section count matters;
    // a file shorter than that reads zeros, as it has no sections then.
    std::array<unsigned char, kBglHeaderWords * 4> header{};
    file.read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()));
    file.clear();
    const std::uint64_t sectionCount = lf_littleEndian({header[20], header[21], header[22], header[23]});
    if (sectionCount == 0 ||
        static_cast<std::uint64_t>(size) <= kBglSectionTableOffset + kBglSectionEntryWords * 4 * sectionCount) {
        return false;
    }
    file.seekg(kBglSectionTableOffset, std::ios::beg);
    for (std::uint64_t section = 0; section < sectionCount; ++section) {
        std::array<unsigned char, kBglSectionEntryWords * 4> entry{};
        if (!file.read(reinterpret_cast<char*>(entry.data()), static_cast<std::streamsize>(entry.size()))) {
            return false;
        }
        if (lf_littleEndian({entry[0], entry[1], entry[2], entry[3]}) == kBglAirportSectionType) {
            return true;
        }
    }
    return false;
}

std::uint32_t bglWord(const BglWords& words, std::size_t index) {
    if (index >= words.size()) {
        throw std::out_of_range(fmtlib::format("word {} lies beyond the file's {} words", index, words.size()));
    }
    return words[index];
}

std::int32_t bglSignedWord(const BglWords& words, std::size_t index) {
    return std::bit_cast<std::int32_t>(bglWord(words, index));
}

float bglFloatWord(const BglWords& words, std::size_t index) { return std::bit_cast<float>(bglWord(words, index)); }

BglRecordHeader bglRecordHeader(const BglWords& words, std::size_t index) {
    const std::uint32_t first = bglWord(words, index);
    const std::uint32_t second = bglWord(words, index + 1);
    return {static_cast<std::uint16_t>(first & 0xFFFFU), (second & 0xFFFFU) << 16 | first >> 16};
}

double bglLatitude(std::uint32_t value) { return 90.0 - value * kLatitudePerUnit; }

double bglLongitude(std::uint32_t value) { return value * kLongitudePerUnit - 180.0; }

bool isValidBglPosition(double latitudeDeg, double longitudeDeg) {
    return latitudeDeg >= -90.0 && latitudeDeg <= 90.0 && longitudeDeg >= -180.0 && longitudeDeg <= 180.0 &&
           !(std::abs(latitudeDeg) <= kUnsetPositionDeg && std::abs(longitudeDeg) <= kUnsetPositionDeg);
}

std::string lf_decodeIdentifierOrRegionCode(std::uint32_t value, bool& usable) {
    usable = false;
    try {
        std::uint32_t rest = value >> 5;
        std::string digits;  // least significant first
        while (rest >= kIdentBase) {
            digits.push_back(static_cast<char>(rest % kIdentBase));
            rest /= kIdentBase;
        }
        digits.push_back(static_cast<char>(rest));
        std::string ident;
        bool blank = false;
        for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
            constexpr int kFigureOffset = '0' - 2;  // 2 to 11 give '0' to '9'
            constexpr int kLetterOffset = 'A' - 12;  // 12 to 37 give 'A' to 'Z'
            if (*digit == 0) {
                blank = true;
                ident.push_back(' ');
            } else if (*digit >= 2 && *digit <= 11) {
                ident.push_back(static_cast<char>(*digit + kFigureOffset));
            } else {
                ident.push_back(static_cast<char>(*digit + kLetterOffset));
            }
        }
        usable = ident.size() == kIcaoLength && !blank;
        return ident;
    } catch (const std::exception&) {
        gf_writeLogPlain(fmtlib::format("! Exception in {}", "lf_decodeIdentifierOrRegionCode"));
    }
    return {};
}

std::string parkingNamePrefix(std::uint32_t nameCode) {
    static constexpr std::array<std::string_view, 12> kNamedPrefixes = {"",   "r",  "p",   "np", "ep", "sep",
                                                                         "sp", "swp", "wp", "nwp", "g",  ""};
    if (nameCode < kNamedPrefixes.size()) {
        return std::string(kNamedPrefixes[nameCode]);
    }
    constexpr std::uint32_t kLetterOffset = 'A' - 12;  // 12 gives 'A', 37 'Z'
    return std::string(1, static_cast<char>(nameCode + kLetterOffset));
}
