// A BGL scenery file of a Community package as the add-on airport scan
// reads it: the quick test for an airport section, then the whole file, its
// sections, airport records, helipads and parking lists, each airport linked
// to the archive and its stand file generated. The program's data folders
// lie in a working folder of the fuzzing process's own.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>

#include "fuzz/support/fuzz_input.h"
#include "liveries/dbase_file.h"
#include "run/init_program.h"
#include "scanner/bgl_file.h"
#include "scanner/bgl_scan.h"
#include "scanner/scan_log.h"
#include "scanner/scanner_state.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    const std::filesystem::path program = fuzz::scratchFolder() / "program";
    std::filesystem::create_directories(program);
    std::filesystem::current_path(program);
    prepareDataFolders();
    gf_loadDbaseXml(VANTREL_FUZZ_DBASE);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file =
        fuzz::writeScratchFile("Community/fuzz-airport/scenery/airport.bgl", fuzz::asText(data, size));
    if (bglHasAirportSection(file)) {
        try {
            lf_processBGLfile(file);
        } catch (const std::out_of_range&) {
            // a size or offset beyond the file: the scan drops the file
        }
    }
    ScanLog.lines.clear();
    return 0;
}
