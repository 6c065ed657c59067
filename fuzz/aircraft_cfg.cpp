// One aircraft.cfg of an AI aircraft package read into liveries, with a
// small aircraft database so that models and airlines can be known. The
// reports the file leaves are emptied after each input.

#include <cstddef>
#include <cstdint>

#include "fuzz/support/fuzz_input.h"
#include "liveries/aircraft_cfg.h"
#include "liveries/dbase_file.h"
#include "liveries/scan_reports.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    gf_loadDbaseXml(VANTREL_FUZZ_DBASE);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lf_searchLiveriesinFile(1, fuzz::writeScratchFile("SimObjects/Airplanes/a/aircraft.cfg", fuzz::asText(data, size)));
    clearScanReportLists();
    return 0;
}
