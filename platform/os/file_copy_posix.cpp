#include "platform/os/file_copy.h"

namespace platform {

std::error_code copyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    return error;
}

}  // namespace platform
