// An airport stand file, read twice: as the park airport's stand file (its
// parameters, its stands and their options, the quality factors), and then
// as the airport's learned file merged into those stands.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "airports/learned_airport_file.h"
#include "airports/park_airport_file.h"
#include "airports/stand_file.h"
#include "core/exceptions.h"
#include "fuzz/support/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    AirportFileInfo record;
    std::vector<ParkPosition> stands;
    pugi::xml_document document;
    if (document.load_buffer(data, size)) {
        record.publisher = readStringParameter(document, "publisher").value_or("");
        record.airportName = readStringParameter(document, "airport_name").value_or("");
        record.altitudeFt = readIntParameter(document, "altitude").value_or(0);
        readBoolParameter(document, "handmade");
        try {
            readParkpositions(document.child("parkpositions"), true, stands);
        } catch (const qrx::UserErrorException&) {
            // a stand id met twice: the stands read before stay
        }
        computeQualityFactors(stands);
    }
    lf_readLearned(fuzz::writeScratchFile("learned/LSZH.xml", fuzz::asText(data, size)), record, stands);
    return 0;
}
