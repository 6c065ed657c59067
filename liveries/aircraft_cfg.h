#pragma once
// One aircraft.cfg of an AI aircraft package turned into livery records:
// each [fltsim.N] section describes one livery (title, airline,
// registration, parking types). The file tasks run on scan worker threads,
// many files at once (liveries/folder_search.h); whatever is wrong goes into
// the report lists (liveries/scan_reports.h), never to the user directly.
//
// Paths are handled as text, as on Windows: the reports write them as they
// are, and a file's folder text is the path up to its last separator.
//
// Files of IVAO model packages follow their own rules: liveries/ivao_cfg.h.

#include <cstdint>
#include <filesystem>
#include <list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_files.h"
#include "liveries/cfg_line_readers.h"
#include "liveries/livery_data.h"

// The aircraft.cfg being read.
struct CfgFile {
    std::int32_t folderOrdinal = 0;  // 1 to 10: the liveries folder it lies in
    std::string path;                // its path as text, as reports write it
    std::string folder;              // the path text before its last separator
    std::string model;               // ICAO type designator of its liveries
};

// The file as CfgFile, without a model yet.
CfgFile gf_describeCfgFile(std::int32_t folderOrdinal, const std::filesystem::path& path);

// Room reserved for a file's lines: more than almost any aircraft.cfg has.
inline constexpr std::size_t kCfgReservedLines = 4048;

// The task for an ordinary aircraft.cfg: its liveries, in section order.
// Nothing for a missing file, one whose encoding cannot be told or read, one
// whose section numbers are wrong, or one without a valid model. Catches
// everything (logged "Exception in lf_searchLiveriesinFile {}: {}").
std::list<LiveryData> lf_searchLiveriesinFile(std::int32_t folderOrdinal, const std::filesystem::path& path);

// One aircraft.cfg read: its encoding and whether its lines were read, and
// the lines as UTF-8. The lines lie in one vector per thread, which keeps its
// room for kCfgReservedLines from file to file (a scan thread reads
// thousands of files); they are valid until the thread reads the next file.
struct CfgLines {
    TextFileContent content;
    std::vector<std::string> lines;
};

// Reads the file once (gf_readTextFile); no lines when its encoding is
// none_found.
CfgLines gf_readCfgLines(const std::filesystem::path& path);

// Checks the section numbers: false (and nothing read from the file) when a
// number does not fit an int (logged "fltsim num {} incorrect") or exceeds
// 10000 (reported); a file without any section is listed in noSectionFiles.
bool lf_checkFltSimNumbers(const std::vector<std::string>& lines, const std::string& path);

// The file's model: its first icao_type_designator, else the stock type of
// its base_container; checked by checkModelCode. "" when there is none.
std::string applyModelFixes(const std::string& path, const std::vector<std::string>& lines);
std::string lf_modelFromBaseContainer(const std::string& path, const std::vector<std::string>& lines);
// A known type stays; a type the database fixes becomes the fixed one
// (reported as a fix); any other is reported invalid and gives "".
std::string checkModelCode(const std::string& code, const std::string& path);

// A [fltsim.N] header line and the lines after it.
using CfgSection = std::span<const std::string>;

// Cuts the lines into sections and hands each to handle(section): a section
// begins at a header line (one for which lf_readFltSimNumber is not empty)
// and ends before the next header or the first line for which
// endsSection(line) holds. Lines outside sections are passed over.
template <class EndsSection, class Handle>
void gf_forEachFltSimSection(const std::vector<std::string>& lines, EndsSection endsSection, Handle handle) {
    const std::string* begin = nullptr;  // the open section's header
    const auto close = [&](const std::string* end) {
        if (begin != nullptr) {
            handle(CfgSection(begin, end));
        }
        begin = nullptr;
    };
    for (const std::string& line : lines) {
        if (!lf_readFltSimNumber(line).empty()) {
            close(&line);
            begin = &line;
        } else if (endsSection(line)) {
            close(&line);
        }
    }
    close(lines.data() + lines.size());
}

// The section without the empty lines and "//" lines at its end.
CfgSection gf_withoutTrailingComments(CfgSection section);

// The ordinary sections end at another section's header, a line with '['
// among its first six characters.
std::list<LiveryData> lf_splitFltSimSections(const CfgFile& file, const std::vector<std::string>& lines);
// One section's livery; nothing when the section is refused or incomplete
// (reported), when its title is not to be used or was taken already.
std::list<LiveryData> lf_procesFltSimSection(const CfgFile& file, CfgSection section);

// Whether an atc_id value is good: each comma-separated registration not
// empty, at most 12 characters, without '*'. out is the registration when
// there is exactly one, else empty.
bool checkAtcId(std::string_view value, std::string& out);

// Whether the title is one of the "don't use" titles.
bool gf_isDontUseTitle(std::string_view title);
