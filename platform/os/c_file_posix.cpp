#include "platform/os/c_file.h"

namespace platform {

std::FILE* openCFile(const std::filesystem::path& path, const char* mode) { return std::fopen(path.c_str(), mode); }

}  // namespace platform
