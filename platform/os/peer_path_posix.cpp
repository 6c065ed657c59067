#include "platform/os/peer_path.h"

namespace platform {

std::optional<std::string> narrowPathForPeer(const std::filesystem::path& path, std::size_t fieldSize) {
    if (path.native().size() >= fieldSize) {
        return std::nullopt;
    }
    return path.native();
}

}  // namespace platform
