#pragma once
// Copying a file over another. std::filesystem::copy_file with
// overwrite_existing cannot be used for this on Windows with this toolchain:
// its runtime tells files apart by inode, which Windows does not have, so it
// takes any existing target for the source itself and refuses ("File
// exists"). Windows copies with CopyFileW instead.

#include <filesystem>
#include <system_error>

namespace platform {

// Copies `from` to `to`, replacing `to` when it exists; the error of the
// copy, empty when it succeeded.
std::error_code copyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace platform
