// The simulator's UserCfg.opt as start-up reads it when it looks for the
// packages folder: the file lies where a boxed installation keeps it, in
// application-data folders of the fuzzing process's own.

#include <cstdlib>
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "core/package_folders.h"
#include "fuzz/support/fuzz_input.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    const std::filesystem::path local = fuzz::scratchFolder() / "local";
    const std::filesystem::path roaming = fuzz::scratchFolder() / "roaming";
    std::filesystem::create_directories(local);
    std::filesystem::create_directories(roaming);
    ::setenv("LOCALAPPDATA", local.c_str(), 1);
    ::setenv("APPDATA", roaming.c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeScratchFile("local/MSFSPackages/UserCfg.opt", fuzz::asText(data, size));
    // Whatever the file names, the search answers without throwing: a path
    // the file system cannot look up counts as not found.
    gf_findPackagesFolder();
    return 0;
}
