// The user's parameters.xml as each start reads it: the settings read and
// clamped, missing entries completed, the file written back and, for a file
// of an older version, migrated. The file lies in a folder of the fuzzing
// process's own.

#include <cstddef>
#include <cstdint>

#include "core/data_paths.h"
#include "core/parameters_file.h"
#include "fuzz/support/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    parametersPath = fuzz::writeScratchFile("Vantrel/parameters.xml", fuzz::asText(data, size)).string();
    gf_readParameters();
    return 0;
}
