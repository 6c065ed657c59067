#include "fuzz/support/fuzz_input.h"

#include <fstream>
#include <stdexcept>
#include <string>

#include <unistd.h>

namespace fuzz {

const std::filesystem::path& scratchFolder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("vantrel-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

std::filesystem::path writeScratchFile(const std::filesystem::path& name, std::string_view bytes) {
    const std::filesystem::path path = scratchFolder() / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write the fuzz input to " + path.string());
    }
    return path;
}

}  // namespace fuzz
