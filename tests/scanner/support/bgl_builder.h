#pragma once
// Synthetic BGL files for the scanner's tests: a header, a section table
// with an airport section (and a section of another type before it), and
// airport records with helipads and a parking list, written as the
// simulator writes them, so that a test shows its case in a few lines.

#include <cstdint>
#include <string>
#include <vector>

namespace test {

struct BglParking {
    std::uint32_t nameCode = 2;  // "p"
    std::uint32_t type = 3;      // a medium general-aviation ramp
    std::uint32_t number = 1;
    float radiusM = 20.0F;
    float headingDeg = 90.0F;
    double latDeg = 52.0;
    double lonDeg = 4.5;
    std::uint32_t airlineCodes = 0;  // 4-byte codes after the entry's 14 words
};

struct BglHelipad {
    double latDeg = 52.0;
    double lonDeg = 4.5;
    float sizeM = 20.0F;
};

struct BglAirport {
    std::string icao = "EHAM";
    std::int32_t altitudeMm = -3000;
    std::vector<BglHelipad> helipads;
    std::vector<BglParking> parkings;
    // A raw subrecord (id, size in bytes) placed before the helipads; a size
    // below 6 writes that size and stands for a broken subrecord.
    std::vector<std::pair<std::uint16_t, std::uint32_t>> otherSubrecords;
};

// The ident packed as the simulator packs it (scanner/bgl_file.h).
std::uint32_t encodeIdent(const std::string& ident);
std::uint32_t encodeLatitude(double latDeg);
std::uint32_t encodeLongitude(double lonDeg);

class BglBuilder {
public:
    BglBuilder& airport(const BglAirport& airport);
    // A record of another id (and this size in bytes) before the next airport.
    BglBuilder& record(std::uint16_t id, std::uint32_t sizeBytes);
    // The file's bytes.
    std::string bytes() const;

private:
    std::string records_;
};

// Writes the bytes to the path, making its folders.
void writeBgl(const std::string& path, const std::string& bytes);

}  // namespace test
