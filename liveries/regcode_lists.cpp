#include "liveries/regcode_lists.h"

#include <pugixml.hpp>

#include <algorithm>

#include "core/data_decryption.h"
#include "core/data_paths.h"
#include "core/folders.h"
#include "core/format.h"
#include "core/log.h"
#include "core/strings.h"
#include "core/text_files.h"
#include "liveries/liveries_state.h"

namespace {

constexpr std::size_t kMinRegcodeLength = 3;
constexpr std::size_t kMaxRegcodeLength = 12;
constexpr std::size_t kExpectedLinesPerFile = 256;

// The fields of a my_regcodes line.
enum RegcodeLineField : std::size_t { kTitleField = 0, kRegcodesField = 1, kMarkerField = 2, kMaxFields = 3 };

std::vector<std::string> lf_sortedRegcodes(std::string_view list) {
    std::vector<std::string> regcodes = gf_splitComma(list);
    std::sort(regcodes.begin(), regcodes.end());
    regcodes.erase(std::unique(regcodes.begin(), regcodes.end()), regcodes.end());
    return regcodes;
}

std::string_view lf_liveryWord(std::size_t count) { return count == 1 ? "livery" : "liveries"; }

bool lf_validLength(const std::string& regcode) {
    return regcode.size() >= kMinRegcodeLength && regcode.size() <= kMaxRegcodeLength;
}

// Reads the lines of one user list; false when a line was logged as wrong.
class RegcodeTxtFile {
public:
    RegcodeTxtFile(const std::filesystem::path& path, std::vector<RegcodeEntry>& entries)
        : file_{path, {}}, path_(path.string()), entries_(entries) {}

    bool read() {
        for (const std::string& line : lines()) {
            if (!line.empty()) {
                readLine(line);
            }
        }
        return !error_;
    }

private:
    void logError(const std::string& text) {
        gf_writeLog(text);
        error_ = true;
    }

    void readLine(const std::string& line) {
        std::vector<std::string> fields = gf_splitString(line, ';');
        if (fields.size() > kMaxFields) {
            logError(fmtlib::format("{}: wrong format '{}'", path_, line));
            return;
        }
        if (fields.size() == 1) {
            if (!fields[kTitleField].empty()) {
                entries_.push_back({std::move(fields[kTitleField]), {}, false});
            }
            return;
        }
        std::vector<std::string> regcodes = lf_sortedRegcodes(fields[kRegcodesField]);
        if (regcodes.empty()) {
            return;
        }
        const bool single = regcodes.size() == 1;
        std::erase_if(regcodes, [this](const std::string& regcode) {
            if (lf_validLength(regcode)) {
                return false;
            }
            logError(fmtlib::format("wrong regcode length '{}' in {}", regcode, path_));
            return true;
        });
        if (regcodes.empty()) {
            if (!single) {
                logError(fmtlib::format("{} ; regs empty?", path_));
            }
            return;
        }
        // One registration is always special; several only with the marker.
        const bool special = single || (fields.size() > kMarkerField && fields[kMarkerField] == "#");
        entries_.push_back({std::move(fields[kTitleField]), std::move(regcodes), special});
    }

    // The file's lines as UTF-8. Lists saved by an editor may begin with a
    // byte-order mark or be UTF-16; read as bytes, the first title would
    // carry the mark and never match its livery. A file of fewer than two
    // bytes has no detectable encoding and is read as it is.
    const std::vector<std::string>& lines() {
        const Charset charset = gf_detectCharset(file_.path);
        if (charset == Charset::noneFound) {
            return gf_readLines(file_, kExpectedLinesPerFile);
        }
        file_.lines.reserve(kExpectedLinesPerFile);
        gf_readTextFileByCharset(charset, file_.path, file_.lines);
        return file_.lines;
    }

    TextFileLines file_;
    std::string path_;  // as the messages write it
    std::vector<RegcodeEntry>& entries_;
    bool error_ = false;
};

// The titles of the "don't use" entries into dontUseTitles; their number.
std::size_t lf_appendDontUseTitles(const std::vector<RegcodeEntry>& entries) {
    std::size_t count = 0;
    for (const RegcodeEntry& entry : entries) {
        if (entry.regcodes.empty()) {
            dontUseTitles.push_back(entry.title);
            ++count;
        }
    }
    return count;
}

}  // namespace

bool readAigRegcodesXml(std::vector<RegcodeEntry>& entries) {
    const auto& path = dataPaths.regcodesXmlFile;
    pugi::xml_document document;
    if (!document.load_file(path.c_str())) {
        gf_writeLog(fmtlib::format("Failed to load {}", path.string()));
        return false;
    }
    bool error = false;
    const std::size_t countBefore = entries.size();
    for (const pugi::xml_node livery : document.child("AIG-regcodes").children("livery")) {
        std::string title = livery.attribute("title").value();
        if (title.empty()) {
            continue;
        }
        // Only a repeat of the entry just made is found.
        if (entries.size() > countBefore && entries.back().title == title) {
            gf_writeLog(fmtlib::format("SAME AS PREVIOUS title '{}'", title));
            error = true;
            continue;
        }
        entries.push_back({std::move(title), lf_sortedRegcodes(livery.attribute("reg").value()),
                           livery.attribute("special").as_bool()});
    }
    gf_writeLogPlain(
        fmtlib::format("{} {} read from {}", entries.size(), lf_liveryWord(entries.size()), path.string()));
    return !error;
}

bool readRegcodeTxtFolder(const std::filesystem::path& folder, std::vector<RegcodeEntry>& entries) {
    bool ok = true;
    try {
        for (const auto& item : std::filesystem::directory_iterator(folder)) {
            const std::filesystem::path& path = item.path();
            if (!item.is_regular_file() || !gf_equalsUpperCase(".TXT", path.extension().string())) {
                continue;
            }
            gf_writeLogPlain(fmtlib::format("Processing regcodes file '{}'", path.string()));
            ok = RegcodeTxtFile(path, entries).read() && ok;
        }
    } catch (const std::filesystem::filesystem_error& error) {
        gf_writeLog(fmtlib::format("Error reading regcode files in {}, what: {}", folder.string(), error.what()));
        return false;
    }
    gf_writeLogPlain(fmtlib::format("{} {}", entries.size(), lf_liveryWord(entries.size())));
    return ok;
}

std::optional<bool> gf_readEncryptedAigRegcodes(std::vector<RegcodeEntry>& entries) {
    const auto& plain = dataPaths.regcodesXmlFile;
    if (!gf_streamDecrypt(dataPaths.regcodesEncFile, plain)) {
        return std::nullopt;
    }
    // The plain list lies on disk only while it is read.
    try {
        const bool result = readAigRegcodesXml(entries);
        gf_removeFileIfExists(plain);
        return result;
    } catch (...) {
        gf_removeFileIfExists(plain);
        throw;
    }
}

void readDontUseTitleLists() {
    try {
        std::vector<RegcodeEntry> aigEntries;
        if (gf_readEncryptedAigRegcodes(aigEntries)) {
            const std::size_t count = lf_appendDontUseTitles(aigEntries);
            gf_writeLogPlain(fmtlib::format("{} don't use title{} read", count, gf_pluralSuffix(count)));
        }
        const auto& folder = dataPaths.myRegcodesFolder;
        if (gf_countDirectoryEntries(folder) > 0) {
            std::vector<RegcodeEntry> userEntries;
            readRegcodeTxtFolder(folder, userEntries);
            const std::size_t count = lf_appendDontUseTitles(userEntries);
            gf_writeLogPlain(fmtlib::format("{} don't use title{} read from files in {}", count, gf_pluralSuffix(count),
                                            folder.string()));
        }
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("exception: {}", error.what()));
    }
}
