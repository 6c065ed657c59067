#include "scanner/support/bgl_builder.h"

#include <bit>
#include <cmath>
#include <filesystem>

#include "support/temp_folder.h"

namespace test {

namespace {

void lf_appendU16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFFU));
    out.push_back(static_cast<char>(value >> 8 & 0xFFU));
}

void lf_appendU32(std::string& out, std::uint32_t value) {
    lf_appendU16(out, value & 0xFFFFU);
    lf_appendU16(out, value >> 16);
}

void lf_appendFloat(std::string& out, float value) { lf_appendU32(out, std::bit_cast<std::uint32_t>(value)); }

// A record header: id and size, then zero bytes to fill the record.
std::string lf_record(std::uint16_t id, std::uint32_t sizeBytes) {
    std::string record;
    lf_appendU16(record, id);
    lf_appendU32(record, sizeBytes);
    record.resize(std::max<std::uint32_t>(sizeBytes, 6), '\0');
    return record;
}

void lf_setU32(std::string& record, std::size_t offset, std::uint32_t value) {
    std::string bytes;
    lf_appendU32(bytes, value);
    record.replace(offset, 4, bytes);
}

std::string lf_helipad(const BglHelipad& helipad) {
    std::string record = lf_record(0x26, 36);
    lf_setU32(record, 12, encodeLongitude(helipad.lonDeg));
    lf_setU32(record, 16, encodeLatitude(helipad.latDeg));
    lf_setU32(record, 24, std::bit_cast<std::uint32_t>(helipad.sizeM));
    lf_setU32(record, 28, std::bit_cast<std::uint32_t>(helipad.sizeM));
    return record;
}

std::string lf_parkingList(const std::vector<BglParking>& parkings) {
    std::string entries;
    for (const BglParking& parking : parkings) {
        lf_appendU32(entries, parking.nameCode | parking.type << 8 | parking.number << 12 | parking.airlineCodes << 24);
        lf_appendFloat(entries, parking.radiusM);
        lf_appendFloat(entries, parking.headingDeg);
        entries.append(16, '\0');  // the tee offsets
        lf_appendU32(entries, encodeLongitude(parking.lonDeg));
        lf_appendU32(entries, encodeLatitude(parking.latDeg));
        entries.append(20, '\0');
        for (std::uint32_t code = 0; code < parking.airlineCodes; ++code) {
            entries.append("KLM", 4);
        }
    }
    std::string record;
    lf_appendU16(record, 0xE7);
    lf_appendU32(record, static_cast<std::uint32_t>(8 + entries.size()));
    lf_appendU16(record, static_cast<std::uint32_t>(parkings.size()));
    return record + entries;
}

}  // namespace

std::uint32_t encodeIdent(const std::string& ident) {
    std::uint32_t value = 0;
    for (const char c : ident) {
        const std::uint32_t digit = c == ' ' ? 0 : (c >= '0' && c <= '9') ? c - '0' + 2 : c - 'A' + 12;
        value = value * 38 + digit;
    }
    return value << 5;
}

std::uint32_t encodeLatitude(double latDeg) {
    return static_cast<std::uint32_t>(std::llround((90.0 - latDeg) * (1 << 29) / 180.0));
}

std::uint32_t encodeLongitude(double lonDeg) {
    return static_cast<std::uint32_t>(std::llround((lonDeg + 180.0) * 3.0 * (1 << 28) / 360.0));
}

BglBuilder& BglBuilder::airport(const BglAirport& airport) {
    std::string subrecords = lf_record(0x19, 16);  // the airport's name, passed over
    for (const auto& [id, size] : airport.otherSubrecords) {
        std::string subrecord = lf_record(id, size);
        subrecord.resize(std::max<std::uint32_t>(size, 8), '\0');
        subrecords += subrecord;
    }
    for (const BglHelipad& helipad : airport.helipads) {
        subrecords += lf_helipad(helipad);
    }
    if (!airport.parkings.empty()) {
        subrecords += lf_parkingList(airport.parkings);
    }
    std::string record = lf_record(0x56, static_cast<std::uint32_t>(68 + subrecords.size()));
    record.resize(68);
    lf_setU32(record, 20, static_cast<std::uint32_t>(airport.altitudeMm));
    lf_setU32(record, 40, encodeIdent(airport.icao));
    records_ += record + subrecords;
    return *this;
}

BglBuilder& BglBuilder::record(std::uint16_t id, std::uint32_t sizeBytes) {
    records_ += lf_record(id, sizeBytes);
    return *this;
}

std::string BglBuilder::bytes() const {
    // Header (56 bytes), two section entries (40), the airport section's
    // subsection table (16), the records; then a section of names.
    constexpr std::uint32_t kTable = 56;
    constexpr std::uint32_t kSubsections = kTable + 2 * 20;
    constexpr std::uint32_t kRecords = kSubsections + 16;
    std::string file;
    lf_appendU32(file, 0x19920201);
    lf_appendU32(file, kTable);
    file.append(12, '\0');
    lf_appendU32(file, 2);  // sections
    file.append(32, '\0');
    for (const std::uint32_t type : {0x65U, 3U}) {
        lf_appendU32(file, type);
        lf_appendU32(file, 1);
        lf_appendU32(file, 1);
        lf_appendU32(file, type == 3 ? kSubsections : kRecords + static_cast<std::uint32_t>(records_.size()));
        lf_appendU32(file, 16);
    }
    lf_appendU32(file, 0);
    lf_appendU32(file, 1);
    lf_appendU32(file, kRecords);
    lf_appendU32(file, static_cast<std::uint32_t>(records_.size()));
    return file + records_;
}

void writeBgl(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    writeBytes(path, bytes);
}

}  // namespace test
