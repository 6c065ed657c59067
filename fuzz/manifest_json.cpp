// A package's manifest.json as the add-on airport scan reads it. A key
// whose value is of the wrong kind ends the read with nlohmann's type error,
// which the scan expects and catches.

#include <cstddef>
#include <cstdint>

#include <nlohmann/json.hpp>

#include "fuzz/support/fuzz_input.h"
#include "scanner/package_publisher.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        readManifest(fuzz::writeScratchFile("package/manifest.json", fuzz::asText(data, size)));
    } catch (const nlohmann::json::type_error&) {
        // a value of the wrong kind: refused as the scan refuses it
    }
    return 0;
}
