#include "liveries/scan_reports.h"

#include <filesystem>

#include "core/data_paths.h"
#include "core/format.h"
#include "core/log.h"
#include "core/strings.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_data.h"
#include "liveries/regcode_lists.h"
#include "liveries/report_files.h"

namespace {

void lf_makeErrorsFolder() {
    if (!std::filesystem::exists(dataPaths.errorsFolder)) {
        std::filesystem::create_directory(dataPaths.errorsFolder);
    }
}

// Sorts the lines, writes them into output/errors and logs "{what}, see {path}".
void lf_writeSortedErrors(std::list<std::string>& lines, const std::filesystem::path& path, std::string_view what) {
    lines.sort();
    lf_makeErrorsFolder();
    gf_writeLinesList(lines, path);
    gf_writeLogPlain(fmtlib::format("{}, see {}", what, path.string()));
}

std::string lf_countOf(std::size_t count, std::string_view what) {
    return fmtlib::format("{} {}{}", count, what, gf_pluralSuffix(static_cast<std::int64_t>(count)));
}

void lf_writeFixesFile() {
    const auto& path = dataPaths.fixesReportFile;
    try {
        std::filesystem::create_directories(path.parent_path());
        gf_writeLines(modelFixLines.lines, path);
    } catch (const std::exception& error) {
        gf_writeLogPlain(fmtlib::format("Error writing file {}: {}", path.string(), error.what()));
    }
}

// output/info is made by the program's start-up; a scan makes it again when
// it is gone, so that the report the log points at is there.
void lf_makeInfoFolder() {
    std::error_code ignored;
    std::filesystem::create_directories(dataPaths.infoFolder, ignored);
}

}  // namespace

void lf_addInvalidAirlineLine(std::string_view code, std::string_view path, std::string_view header) {
    invalidAirlineLines.append(fmtlib::format("{:12} in {} ", code, path) + std::string(header));
}

void lf_addInvalidModelLine(std::string_view code, std::string_view path) {
    invalidModelLines.append(fmtlib::format("{:16} in {}", code, path));
}

void lf_addModelFixLine(std::string line) { modelFixLines.append(std::move(line)); }

void lf_addInvalidCfgLine(std::string line) { invalidCfgLines.append(std::move(line)); }

void lf_addIncompleteSectionLine(std::string line) { incompleteSectionLines.append(std::move(line)); }

void removePreviousScanFiles() {
    const DataPaths& paths = dataPaths;
    try {
        for (const std::filesystem::path* file :
             {&paths.noFltsimSectionReportFile, &paths.airlineModelConversionsReportFile,
              &paths.inlineRegcodesReportFile, &paths.invalidAirlineCodesReportFile,
              &paths.invalidAircraftCodesReportFile, &paths.fixesReportFile,
              &paths.invalidAircraftCfgFilesReportFile, &paths.incompleteFltsimSectionsReportFile,
              &paths.errorsFolder}) {
            std::filesystem::remove(*file);
        }
    } catch (const std::exception& error) {
        gf_writeLogPlain(fmtlib::format("problems with removing previous files: {}", error.what()));
    }
}

void writeLiveryScanReport() {
    const DataPaths& paths = dataPaths;
    const bool noErrors = invalidAirlineLines.lines.empty() && invalidModelLines.lines.empty() &&
                          modelFixLines.lines.empty() && invalidCfgLines.lines.empty() &&
                          incompleteSectionLines.lines.empty();
    gf_writeLogPlain(noErrors ? "\nNo errors" : "\nErrors:");
    if (!invalidAirlineLines.lines.empty()) {
        lf_writeSortedErrors(invalidAirlineLines.lines, paths.invalidAirlineCodesReportFile,
                             lf_countOf(invalidAirlineLines.lines.size(), "invalid airline code"));
    }
    if (!invalidModelLines.lines.empty()) {
        lf_writeSortedErrors(invalidModelLines.lines, paths.invalidAircraftCodesReportFile,
                             lf_countOf(invalidModelLines.lines.size(), "invalid model code"));
    }
    if (!modelFixLines.lines.empty()) {
        lf_writeFixesFile();
        gf_writeLogPlain(
            fmtlib::format("{} code fixes, see {}", modelFixLines.lines.size(), paths.fixesReportFile.string()));
    }
    if (!invalidCfgLines.lines.empty()) {
        lf_writeSortedErrors(invalidCfgLines.lines, paths.invalidAircraftCfgFilesReportFile,
                             fmtlib::format("{} invalid aircraft.cfg files", invalidCfgLines.lines.size()));
    }
    if (auto& sections = incompleteSectionLines.lines; !sections.empty()) {
        // Counted as met; the same report (one section read twice) is written once.
        const std::size_t count = sections.size();
        sections.sort();
        sections.unique();
        lf_makeErrorsFolder();
        gf_writeLinesList(sections, paths.incompleteFltsimSectionsReportFile);
        gf_writeLogPlain(fmtlib::format("{} incomplete [fltsim.x] sections, see {}", count,
                                        paths.incompleteFltsimSectionsReportFile.string()));
    }
    gf_writeLogPlain("\nInformation:");
    if (auto& files = noSectionFiles.lines; !files.empty()) {
        files.sort();
        lf_makeInfoFolder();
        gf_writeLinesList(files, paths.noFltsimSectionReportFile);
        gf_writeLogPlain(fmtlib::format("{} empty aircraft.cfg files, see {}", files.size(),
                                        paths.noFltsimSectionReportFile.string()));
    }
    if (!dbaseUpdateLines.empty()) {
        lf_makeInfoFolder();
        gf_writeLines(dbaseUpdateLines, paths.airlineModelConversionsReportFile);
        gf_writeLogPlain(fmtlib::format("{} liveries updated with real live data from dbase, see {}",
                                        dbaseUpdateLines.size(), paths.airlineModelConversionsReportFile.string()));
    }
}

void clearScanReportLists() {
    dbaseUpdateLines.clear();
    invalidAirlineLines.lines.clear();
    invalidModelLines.lines.clear();
    incompleteSectionLines.lines.clear();
    noSectionFiles.lines.clear();
    invalidCfgLines.lines.clear();
    modelFixLines.lines.clear();
    {
        const std::lock_guard lock(titleSetMutex);
        liveryTitles.clear();
    }
    dontUseTitles.clear();
}
