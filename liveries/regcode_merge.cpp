#include "liveries/regcode_merge.h"

#include <filesystem>

#include "core/data_paths.h"
#include "core/folders.h"
#include "core/format.h"
#include "core/log.h"
#include "core/strings.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "liveries/livery_data.h"
#include "liveries/report_files.h"
#include "records/live_ac_labels.h"

namespace {

// What binding one registration did.
struct BindResult {
    bool added = false;     // it was not bound yet
    bool replaced = false;  // it moved from another title (a line in regcodeMessages)
};

BindResult lf_bindRegcode(const std::string& registration, TitleView title) {
    const auto [bound, inserted] = liveryCatalog.regcodeTitles.try_emplace(registration, title);
    if (inserted) {
        return {true, false};
    }
    if (bound->second == title) {
        return {};
    }
    regcodeMessages.push_back(fmtlib::format("   regcode {} for '{}', instead of the same for '{}'", registration,
                                             title, bound->second));
    bound->second = title;
    return {false, true};
}

// "{count} regcode{s} ..." with the plural suffix of the count.
std::string lf_countPart(std::string_view format, std::size_t count) {
    return fmtlib::format(fmtlib::runtime(format), count, gf_pluralSuffix(static_cast<std::int64_t>(count)));
}

// The report of the last merge of the registration-code lists.
std::filesystem::path lf_offlineRegcodesReportFile() { return dataPaths.infoFolder / "OfflineRegcodes.txt"; }

void lf_mergeAigList() {
    std::vector<RegcodeEntry> entries;
    const auto readWithoutErrors = gf_readEncryptedAigRegcodes(entries);
    if (!readWithoutErrors) {
        return;  // logged by the decryption; the user's lists are merged all the same
    }
    const std::string path = dataPaths.regcodesXmlFile.string();
    regcodeMessages.push_back(fmtlib::format("Processing file {}", path));
    if (!*readWithoutErrors) {
        regcodeMessages.push_back(
            fmtlib::format("There were errors processing the AIG-regcode file '{}', see Log.txt", path));
    }
    mergeRegcodes(entries);
}

void lf_mergeUserLists() {
    const auto& folder = dataPaths.myRegcodesFolder;
    if (gf_countDirectoryEntries(folder) == 0) {
        return;
    }
    regcodeMessages.push_back(fmtlib::format("Processing files in {}", folder.string()));
    std::vector<RegcodeEntry> entries;
    if (!readRegcodeTxtFolder(folder, entries)) {
        regcodeMessages.push_back(fmtlib::format(
            "There were errors processing the regcode files in folder '{}', see Log.txt", folder.string()));
    }
    mergeRegcodes(entries);
}

void lf_writeOfflineReport() {
    // Nothing was merged: the report of the last merge stays.
    if (regcodeMessages.empty()) {
        return;
    }
    const std::filesystem::path report = lf_offlineRegcodesReportFile();
    std::filesystem::remove(report);
    std::filesystem::create_directories(report.parent_path());
    gf_writeLines(regcodeMessages, report);
    gf_writeLogPlain(
        fmtlib::format("Offline regcode files processed, results can be found in '{}'", report.string()));
    if (!liveryCatalog.specialTitles.empty()) {
        gf_writeLogPlain(fmtlib::format("{} special liveries", liveryCatalog.specialTitles.size()));
    }
}

}  // namespace

void checkInlineRegcodes() {
    std::vector<std::string> clashes;
    for (const LiveryData& livery : liveryList) {
        if (livery.atcId.empty()) {
            continue;
        }
        const TitleView title = findCatalogTitle(livery.title);
        if (title.empty()) {
            clashes.push_back(fmtlib::format("==> [{}] {} '{}' not available, system error, should not happen?",
                                             gf_describeAcIdentity(livery.airline, livery.model), livery.atcId,
                                             livery.title));
            continue;
        }
        const auto [bound, inserted] = liveryCatalog.regcodeTitles.try_emplace(livery.atcId, title);
        if (!inserted && bound->second != title) {
            clashes.push_back(
                fmtlib::format("{} '{}' => already in use by '{}'", livery.atcId, livery.title, bound->second));
        }
    }
    if (clashes.empty()) {
        return;
    }
    const auto& path = dataPaths.inlineRegcodesReportFile;
    std::filesystem::create_directories(path.parent_path());
    gf_writeLines(clashes, path);
    gf_writeLogPlain(fmtlib::format("{} in-line regcode clashes, see '{}'", clashes.size(), path.string()));
}

void mergeRegcodes(const std::vector<RegcodeEntry>& entries) {
    std::size_t added = 0;
    std::size_t replaced = 0;
    std::size_t special = 0;
    for (const RegcodeEntry& entry : entries) {
        const TitleView title = findCatalogTitle(entry.title);
        if (title.empty()) {
            continue;
        }
        for (const std::string& registration : entry.regcodes) {
            const BindResult result = lf_bindRegcode(registration, title);
            added += result.added ? 1 : 0;
            replaced += result.replaced ? 1 : 0;
        }
        if (entry.special) {
            liveryCatalog.specialTitles.push_back(title);
            liveryCatalog.specialTitleSet.insert(title);
            ++special;
        }
    }
    std::string summary = lf_countPart("{} new regcode{} added", added);
    if (replaced > 0) {
        summary += lf_countPart(", {} regcode{} replaced", replaced);
    }
    if (special > 0) {
        summary += lf_countPart(", {} regcode{} defined as special", special);
    }
    regcodeMessages.push_back(std::move(summary));
}

void processRegcodeFiles() {
    regcodeMessages.clear();
    try {
        lf_mergeAigList();
        lf_mergeUserLists();
        lf_writeOfflineReport();
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("exception: {}", error.what()));
    }
}
