#pragma once
// The BGL scenery file of the simulator as the airport scan reads it: a
// sequence of little-endian 32-bit words (word k covers bytes 4k to 4k + 3;
// a last partial word is filled with zero bytes), walked by word index.
//
//   w1            0x38, the byte offset of the section table
//   w5            number of sections
//   w14 + 5i      entry i of the section table, 5 words:
//                   +0 section type (3: airports, the only one read)
//                   +1 flags; bit 16 set: subsection entries of 20 bytes,
//                      which this reader does not know, so such a section
//                      is passed over
//                   +2 number of subsections, +3 byte offset of the
//                      subsection table, +4 size
//   subsection    +2 (third word of the first entry): the byte offset of
//                 the section's first record
//
// A record (and a subrecord inside one) begins with a 6-byte header: u16 id
// at +0 and the record's size in bytes, header included, at +2 (u32, not
// aligned: u16 at +4 x 65536 + u16 at +2). The next record begins size / 4
// words further on.
//
// Every word is read through bglWord, which checks the index against the
// file: a size or offset that points beyond the file (a hostile or truncated
// file) throws std::out_of_range and never reads past the words.

#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <vector>

using BglWords = std::vector<std::uint32_t>;

// Record ids the scan acts on; every other id is passed over by its size.
enum class BglRecordId : std::uint16_t {
    helipad = 0x26,      // subrecord of an airport record
    airport = 0x56,      // an airport with its subrecords
    parkingList = 0xE7,  // subrecord of an airport record: its parking places
    // Airport record of a kind this scan cannot read, found in files of
    // MSFS 2024 (and passed over in MSFS 2020 mode).
    unrecognisedAirport = 0x113,
};

// Byte offset of the section table, the value w1 must hold.
inline constexpr std::uint32_t kBglSectionTableOffset = 0x38;
inline constexpr std::uint32_t kBglAirportSectionType = 3;
// Words of the file header, up to the section table, and of one section entry.
inline constexpr std::size_t kBglHeaderWords = 14;
inline constexpr std::size_t kBglSectionEntryWords = 5;

// The whole stream as words, read 4 bytes at a time from its start; a last
// partial word keeps zero bytes where the stream ends.
BglWords readFileWords(std::istream& stream);

// A cheap test before a scan worker is started for the file: it opens, is
// longer than its header, has at least one section, is longer than its
// section table, and some section is of type 3. Reads nothing beyond the
// section table and does not test w1.
bool bglHasAirportSection(const std::filesystem::path& path);

// The word at the index; throws std::out_of_range when the file ends before it.
std::uint32_t bglWord(const BglWords& words, std::size_t index);
std::int32_t bglSignedWord(const BglWords& words, std::size_t index);
float bglFloatWord(const BglWords& words, std::size_t index);

struct BglRecordHeader {
    std::uint16_t id = 0;
    std::uint32_t sizeBytes = 0;  // header included

    std::size_t sizeWords() const { return sizeBytes / 4; }
    bool is(BglRecordId recordId) const { return id == static_cast<std::uint16_t>(recordId); }
};

// The header of the record that begins at the word index.
BglRecordHeader bglRecordHeader(const BglWords& words, std::size_t index);

// Encoded coordinates: latitude = 90 - v x 180 / 2^29 and longitude =
// v x 360 / (3 x 2^28) - 180, v the unsigned word. So 0x10000000 (2^28) is
// latitude 0, and 0x18000000 (3 x 2^27) is longitude 0.
double bglLatitude(std::uint32_t value);
double bglLongitude(std::uint32_t value);
// On the globe, and not both within 0.0001 degrees of zero (a position never set).
bool isValidBglPosition(double latitudeDeg, double longitudeDeg);

// An ident (ICAO code or region) packed in base 38, in the bits above the
// lowest 5: the digits, most significant first, are 0 blank, 2 to 11 the
// figures 0 to 9, 12 to 37 the letters A to Z. EDDS: E=16, D=15, D=15, S=30,
// ((16 x 38 + 15) x 38 + 15) x 38 + 30 = 900212; Stuttgart's scenery stores
// 0x01B78E81, which is 900212 x 32 + 1.
// usable: exactly 4 characters and no blank. A failure is logged "!
// Exception in lf_decodeIdentifierOrRegionCode" and gives an unusable ident.
std::string lf_decodeIdentifierOrRegionCode(std::uint32_t value, bool& usable);

// The prefix of a parking place's id for its 6-bit name code: "" (none),
// "r", "p", "np", "ep", "sep", "sp", "swp", "wp", "nwp", "g" for the codes 0
// to 10, "" for 11, and the letters A to Z for 12 to 37 (and the characters
// that follow them for 38 to 63).
std::string parkingNamePrefix(std::uint32_t nameCode);
