#include "scanner/bgl_scan.h"

#include <cstdint>
#include <fstream>

#include "core/format.h"
#include "core/log.h"
#include "core/package_folders.h"
#include "scanner/airport_links.h"
#include "scanner/bgl_airport.h"
#include "scanner/generated_airport_file.h"
#include "scanner/package_publisher.h"
#include "scanner/scan_log.h"

namespace {

constexpr std::size_t kSectionCountWord = 5;
constexpr std::size_t kEntryFlagsWord = 1;
constexpr std::size_t kEntrySubsectionTableWord = 3;
constexpr std::size_t kSubsectionFirstRecordWord = 2;
// Sections with this flag have subsection entries of 20 bytes.
constexpr std::uint32_t kLongSubsectionEntries = 1U << 16;

enum class Walk { goOn, fileDone };

void lf_readAirportRecord(std::size_t record, const BglWords& words, const BglRecordHeader& header,
                          const std::string& bglPath) {
    bool usable = false;
    const std::string ident = lf_decodeIdentifierOrRegionCode(bglWord(words, record + kAirportIdentWord), usable);
    if (usable) {
        processAirportRecord(record, words, header.sizeWords(), ident, bglPath);
    } else if (!ident.empty() && ident.find(' ') == std::string::npos) {
        // A real airport (a three-letter field, say) that no stand file can
        // name: the user sees why it gets no stands.
        addScanLogLine(fmtlib::format("Airport {} in {} skipped: only four-character idents get stand files", ident,
                                      bglPath));
    }
}

// The records from the word index on, to the end of the file.
Walk lf_walkRecords(std::size_t first, const BglWords& words, const std::string& bglPath, bool msfs2024) {
    for (std::size_t record = first; record < words.size();) {
        const BglRecordHeader header = bglRecordHeader(words, record);
        if (header.is(BglRecordId::unrecognisedAirport) && msfs2024) {
            handleUnrecognisedAirport(bglPath);
            return Walk::fileDone;
        }
        if (header.is(BglRecordId::airport)) {
            lf_readAirportRecord(record, words, header, bglPath);
        }
        if (header.sizeWords() == 0) {
            break;  // a size below 4 bytes: no record, and no way on
        }
        record += header.sizeWords();
    }
    return Walk::goOn;
}

void lf_walkSections(const BglWords& words, const std::string& bglPath) {
    if (bglWord(words, 1) != kBglSectionTableOffset || words.size() <= kBglHeaderWords) {
        return;
    }
    const bool msfs2024 = gf_msfs2024Selected();
    const std::uint32_t sectionCount = words[kSectionCountWord];
    for (std::size_t section = 0; section < sectionCount; ++section) {
        const std::size_t entry = kBglHeaderWords + kBglSectionEntryWords * section;
        if (entry >= words.size()) {
            return;  // this entry and all after it lie beyond the file
        }
        if (words[entry] != kBglAirportSectionType ||
            (bglWord(words, entry + kEntryFlagsWord) & kLongSubsectionEntries) != 0) {
            continue;
        }
        const std::size_t subsectionTable = bglWord(words, entry + kEntrySubsectionTableWord) / 4;
        const std::size_t first = bglWord(words, subsectionTable + kSubsectionFirstRecordWord) / 4;
        if (lf_walkRecords(first, words, bglPath, msfs2024) == Walk::fileDone) {
            return;
        }
    }
}

}  // namespace

void lf_processBGLfile(const std::filesystem::path& path) {
    try {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            return;
        }
        lf_walkSections(readFileWords(file), path.string());
    } catch (...) {
        gf_writeLog(fmtlib::format("Exception in lf_processBGLfile: {}", path.string()));
        throw;
    }
}

void processAirportRecord(std::size_t record, const BglWords& words, std::size_t recordWords,
                          const std::string& ident, const std::string& bglPath) {
    ScannedAirport airport;
    airport.icao = ident;
    std::uint32_t archivedCount = 0;
    const bool linked = linkAirportToPackage(airport, archivedCount, bglPath);
    if (linked && gf_msfs2024Selected()) {
        return;
    }
    readAirportStands(record, words, recordWords, airport);
    const std::size_t found = airport.stands.size();
    const bool simaddon = airport.publisher == kSimaddonPublisher;
    if (found > archivedCount && !simaddon) {
        addScanLogLine(
            fmtlib::format("{}{} has {} parkpos while archived one has {}", "===> ", airport.icao, found, archivedCount));
    }
    if (!linked || (found > archivedCount && !simaddon)) {
        generateAirportFile(airport);
    }
}
